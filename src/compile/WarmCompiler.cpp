#include "WarmCompiler.h"

#include "InstallLayout.h"
#include "Jdk.h"
#include "LogCategories.h"
#include "ManagedProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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

qint64 WarmCompiler::processId() const
{
    return m_process ? m_process->pid() : 0;
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

void WarmCompiler::prepare(const Jdk &jdk)
{
    const QString &javac = jdk.javac;
    if ((m_process && m_javac == javac) || m_cannotServe.contains(javac))
        return;
    stop();
    if (qEnvironmentVariable("ZARN_PLAIN_JVM") == QLatin1String("1")
        || !qEnvironmentVariable("CLASSPATH").isEmpty())
        return;
    const QString java = QDir(jdk.home).filePath(QStringLiteral("bin/java"));
    const QString jar = shippedFile(QStringLiteral("zarn-compiler.jar"));
    if (jdk.home.isEmpty() || !QFileInfo(java).isExecutable() || !QFileInfo::exists(jar)
        || !QFileInfo(shippedProgram(QStringLiteral("zarn-javac"))).isExecutable()) {
        qCInfo(logCompile) << "no warm compiler for" << javac
                           << ": its JDK, zarn-compiler.jar or zarn-javac is missing";
        return;
    }
    const QString socket = ownSocket();
    if (socket.isEmpty())
        return;
    m_javac = javac;
    m_socket = socket;
    m_process = std::make_unique<ManagedProcess>(QStringLiteral("the warm compiler"));
    ManagedProcess *process = m_process.get();
    connect(process, &ManagedProcess::lineRead, this, &WarmCompiler::readLine);
    connect(process, &ManagedProcess::ended, this, [this, process](const ManagedProcess::Exit &exit) {
        qCInfo(logCompile) << "the warm compiler ended:" << process->errorOutput().trimmed();
        // One that could not even start (a JDK whose javac it cannot run) is not tried again.
        if (!m_ready && (!exit.startError.isEmpty() || exit.code != 0))
            m_cannotServe.insert(m_javac);
        m_ready = false;
        m_process.release()->deleteLater();
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
    ManagedProcess::Setup setup;
    setup.workingFolder = m_appFolder; // the compile script's: relative names mean the same
    process->start(java, arguments, setup);
}

QString WarmCompiler::ownSocket()
{
    const QString folder = socketFolder();
    return folder.isEmpty() ? QString()
                            : QDir(folder).filePath(
                                QStringLiteral("compiler-%1.sock").arg(QCoreApplication::applicationPid()));
}

QStringList WarmCompiler::launcher(const QString &javac) const
{
    if (!m_ready || javac != m_javac)
        return {};
    return {shippedProgram(QStringLiteral("zarn-javac")), m_socket};
}

void WarmCompiler::readLine(const QByteArray &bytes)
{
    const QString line = QString::fromUtf8(bytes).trimmed();
    if (line == QLatin1String("ready")) {
        qCInfo(logCompile) << "the warm compiler is ready, process" << processId();
        m_ready = true;
        Q_EMIT ready();
    } else {
        qCInfo(logCompile) << "the warm compiler:" << line;
        Q_EMIT said(line);
    }
}

void WarmCompiler::stop()
{
    m_ready = false;
    if (m_process) {
        m_process->disconnect(this);
        m_process->stop();
        m_process.reset();
    }
}
