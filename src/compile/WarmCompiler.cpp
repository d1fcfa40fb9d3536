#include "WarmCompiler.h"

#include "ChildProcesses.h"
#include "InstallLayout.h"
#include "JdkRelease.h"
#include "LogCategories.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// javac's own classes that the warm compiler runs javac through.
const QStringList CompilerExports = {
    QStringLiteral("--add-exports"), QStringLiteral("jdk.compiler/com.sun.tools.javac.main=ALL-UNNAMED"),
    QStringLiteral("--add-exports"), QStringLiteral("jdk.compiler/com.sun.tools.javac.util=ALL-UNNAMED"),
    QStringLiteral("--add-exports"), QStringLiteral("jdk.compiler/com.sun.tools.javac.api=ALL-UNNAMED"),
    QStringLiteral("--add-exports"), QStringLiteral("jdk.compiler/com.sun.tools.javac.file=ALL-UNNAMED"),
};

} // namespace

WarmCompiler::WarmCompiler(const QString &appFolder, QObject *parent)
    : QObject(parent)
    , m_appFolder(appFolder)
{
}

WarmCompiler::~WarmCompiler()
{
    stop();
}

QString WarmCompiler::socketFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString folder = !runtime.isEmpty() && QFileInfo(runtime).isDir()
                               ? QDir(runtime).filePath(QStringLiteral("zarn"))
                               : QStringLiteral("/tmp/zarn-%1").arg(::getuid());
    const QByteArray name = QFile::encodeName(folder);
    ::mkdir(name.constData(), 0700);
    // Another user's folder, or a link, would let another user reach the socket.
    struct stat status = {};
    if (::lstat(name.constData(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != ::getuid()
        || (status.st_mode & 077) != 0) {
        qCInfo(logCompile) << "no warm compiler:" << folder << "is not a folder of this user's alone";
        return {};
    }
    return folder;
}

void WarmCompiler::prepare(const QString &javac)
{
    if ((m_process && m_javac == javac) || m_cannotServe.contains(javac))
        return;
    stop();
    if (qEnvironmentVariable("ZARN_PLAIN_JVM") == QLatin1String("1")
        || !qEnvironmentVariable("CLASSPATH").isEmpty())
        return;
    const QString jdk = jdkOf(javac);
    const QString java = QDir(jdk).filePath(QStringLiteral("bin/java"));
    const QString jar = shippedFile(QStringLiteral("zarn-compiler.jar"));
    if (jdk.isEmpty() || !QFileInfo(java).isExecutable() || !QFileInfo::exists(jar)
        || !QFileInfo(shippedProgram(QStringLiteral("zarn-javac"))).isExecutable()) {
        qCInfo(logCompile) << "no warm compiler for" << javac
                           << ": its JDK, zarn-compiler.jar or zarn-javac is missing";
        return;
    }
    const QString folder = socketFolder();
    if (folder.isEmpty())
        return;
    m_javac = javac;
    m_socket = QDir(folder).filePath(
        QStringLiteral("compiler-%1.sock").arg(QCoreApplication::applicationPid()));
    m_process = new QProcess(this);
    m_process->setWorkingDirectory(m_appFolder); // the compile script's: relative names mean the same
    connect(m_process, &QProcess::readyReadStandardOutput, this, &WarmCompiler::readLines);
    connect(m_process, &QProcess::readyReadStandardError, this, [process = m_process] {
        qCInfo(logCompile) << "the warm compiler says:" << process->readAllStandardError().trimmed();
    });
    connect(m_process, &QProcess::started, this, [this] {
        m_pid = m_process->processId();
        ChildProcesses::add(m_pid, false);
    });
    connect(m_process, &QProcess::finished, this, [this, process = m_process](int code) {
        qCInfo(logCompile) << "the warm compiler ended, exit code" << code;
        ChildProcesses::remove(m_pid);
        // One that could not even start (a JDK whose javac it cannot run) is not tried again.
        if (!m_ready && code != 0)
            m_cannotServe.insert(m_javac);
        if (process == m_process) {
            m_process = nullptr;
            m_ready = false;
            m_pid = 0;
        }
        process->deleteLater();
    });
    connect(m_process, &QProcess::errorOccurred, this,
            [this, process = m_process](QProcess::ProcessError error) {
                if (error != QProcess::FailedToStart || process != m_process)
                    return;
                qCInfo(logCompile) << "the warm compiler cannot start:" << process->errorString();
                m_cannotServe.insert(m_javac);
                m_process = nullptr;
                process->deleteLater();
            });
    // The quick JIT tier and a small first heap: after its warm-up it compiles an
    // applet in some 40 ms, in about half the memory of a JVM left to its defaults.
    const QStringList arguments = QStringList{QStringLiteral("-XX:+UseSerialGC"),
                                              QStringLiteral("-XX:TieredStopAtLevel=1"),
                                              QStringLiteral("-Xms64m")}
                                  + CompilerExports
                                  + QStringList{QStringLiteral("-cp"), jar,
                                                QStringLiteral("zarn.compiler.WarmCompiler"), m_socket,
                                                javac};
    qCInfo(logCompile) << "starting the warm compiler:" << java << arguments;
    m_process->start(java, arguments);
}

QStringList WarmCompiler::launcher(const QString &javac) const
{
    if (!m_ready || javac != m_javac)
        return {};
    return {shippedProgram(QStringLiteral("zarn-javac")), m_socket};
}

void WarmCompiler::readLines()
{
    while (m_process && m_process->canReadLine()) {
        const QString line = QString::fromUtf8(m_process->readLine()).trimmed();
        if (line == QLatin1String("ready")) {
            qCInfo(logCompile) << "the warm compiler is ready, process" << m_pid;
            m_ready = true;
            Q_EMIT ready();
        } else {
            qCInfo(logCompile) << "the warm compiler:" << line;
            Q_EMIT said(line);
        }
    }
}

// Its input closed, it ends by itself at once; one that does not is killed.
void WarmCompiler::stop()
{
    if (!m_process)
        return;
    QProcess *process = m_process;
    m_process = nullptr;
    m_ready = false;
    process->disconnect(this);
    process->closeWriteChannel();
    if (!process->waitForFinished(1000)) {
        process->kill();
        process->waitForFinished(1000);
    }
    ChildProcesses::remove(m_pid);
    m_pid = 0;
    delete process;
}
