#include "RunnableJar.h"

#include "AppletApi.h"
#include "AppletLaunch.h"
#include "AtomicFile.h"
#include "HostPage.h"
#include "InstallLayout.h"
#include "ManagedProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray encoded(const QString &value)
{
    return value.toUtf8().toPercentEncoding();
}

// Writes bytes to a new file at path, its folders made first.
QString writeNewFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!QDir().mkpath(QFileInfo(path).path()) || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(bytes) != bytes.size() || !file.flush())
        return file.errorString();
    return {};
}

} // namespace

QString appletRunnerJar()
{
    return shippedFile(QStringLiteral("zarn-runner.jar"));
}

QByteArray runnerDescription(const AppletLaunch &launch, const QSize &size, const QString &document)
{
    return "class " + encoded(launch.className) + "\nwidth " + QByteArray::number(size.width()) + "\nheight "
           + QByteArray::number(size.height()) + "\ndocument " + encoded(document) + '\n'
           + appletHostParameters(launch, size);
}

QString jarTool(const QString &javac)
{
    // Through links (/usr/bin/javac): the JDK's own bin folder.
    const QFileInfo real(QFileInfo(javac).canonicalFilePath());
    const QString tool = real.absoluteDir().filePath(QStringLiteral("jar"));
    return QFileInfo(tool).isExecutable() ? tool : QString();
}

RunnableJar::RunnableJar(const QString &target, QObject *parent)
    : QObject(parent)
    , m_target(target)
    , m_folder(QDir::temp().filePath(QStringLiteral("zarn-jar-XXXXXX")))
{
    if (m_folder.isValid())
        QDir().mkpath(root());
}

RunnableJar::~RunnableJar() = default;

QString RunnableJar::problem() const
{
    return m_folder.isValid() ? QString() : m_folder.errorString();
}

QString RunnableJar::root() const
{
    return m_folder.filePath(QStringLiteral("root"));
}

QString RunnableJar::describe(const QString &className, const AppletTag &tag, const QSize &area)
{
    const QString page = className.section(QLatin1Char('.'), -1) + QStringLiteral(".html");
    const QString pagePath = QDir(root()).filePath(page);
    const AppletLaunch launch = resolveApplet(tag, pagePath);
    if (QString problem = writeNewFile(pagePath, hostPageText(tag.code, &tag)); !problem.isEmpty())
        return problem;
    return writeNewFile(QDir(root()).filePath(QLatin1String(RunnerDescriptionPath)),
                        runnerDescription(launch, appletSize(launch, area), page));
}

void RunnableJar::pack(const QString &tool)
{
    // The runner's jar, with its manifest's Main-Class, gets the applet's files.
    const QString jar = m_folder.filePath(QStringLiteral("runnable.jar"));
    if (!QFile::copy(appletRunnerJar(), jar)) {
        packed(-1, tr("the runner %1 could not be copied").arg(QDir::toNativeSeparators(appletRunnerJar())));
        return;
    }
    // Beside the runner, which takes it on a Java without the Applet API.
    const QString api = QDir(root()).filePath(QStringLiteral("zarn/runner/zarn-appletapi.jar"));
    if (!QDir().mkpath(QFileInfo(api).path()) || !QFile::copy(appletApiJar(), api)) {
        packed(-1,
               tr("Zarn's Applet API %1 could not be copied").arg(QDir::toNativeSeparators(appletApiJar())));
        return;
    }
    m_tool = new ManagedProcess(QStringLiteral("the jar tool"), this);
    connect(m_tool, &ManagedProcess::ended, this, [this](const ManagedProcess::Exit &exit) {
        packed(exit.crashed ? -1 : exit.code, exit.startError);
    });
    m_tool->start(tool,
                  {QStringLiteral("--update"), QStringLiteral("--file"), jar, QStringLiteral("-C"), root(),
                   QStringLiteral(".")},
                  {m_folder.path(), ManagedProcess::Output::Lines, false, true, {}});
}

bool RunnableJar::packing() const
{
    return m_tool && m_tool->isRunning();
}

void RunnableJar::cancel()
{
    m_cancelled = true;
    if (m_tool && m_tool->isRunning())
        m_tool->kill();
}

void RunnableJar::packed(int exitCode, const QString &startError)
{
    if (m_cancelled) {
        Q_EMIT finished(tr("cancelled"));
        return;
    }
    if (!startError.isEmpty()) {
        Q_EMIT finished(startError);
        return;
    }
    if (exitCode != 0) {
        const QString said = m_tool ? QString::fromLocal8Bit(m_tool->errorOutput()).trimmed() : QString();
        Q_EMIT finished(said.isEmpty() ? tr("the jar tool ended with status %1").arg(exitCode) : said);
        return;
    }
    QFile made(m_folder.filePath(QStringLiteral("runnable.jar")));
    if (!made.open(QIODevice::ReadOnly)) {
        Q_EMIT finished(made.errorString());
        return;
    }
    Q_EMIT finished(replaceFileAtomically(m_target, made.readAll()));
}
