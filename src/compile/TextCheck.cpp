#include "TextCheck.h"

#include "AppletApi.h"
#include "CompilerDiagnostics.h"
#include "Jdk.h"
#include "WarmProtocol.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace {

// The check's arguments after the warm compiler's word for a check.
std::string checkRequest(const QString &folder, const QString &javac, const QStringList &options,
                         const QString &path, const QString &text)
{
    QStringList strings = {folder, QStringLiteral("-"), javac, QStringLiteral("--zarn-check")};
    strings += options;
    strings << path << text;
    std::string request;
    warm::appendNumber(request, std::uint32_t(strings.size()));
    for (const QString &string : strings)
        warm::appendString(request, string.toStdString());
    return request;
}

} // namespace

QStringList textCheckOptions(const Jdk &jdk, const QString &sourcePath, const QString &encoding)
{
    QStringList options = {QStringLiteral("-sourcepath"), sourcePath};
    if (!encoding.isEmpty())
        options << QStringLiteral("-encoding") << encoding;
    return options + appletApiOptions(jdk);
}

TextCheck::TextCheck(const QString &socket, const QString &appFolder, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
    , m_appFolder(QDir(appFolder).canonicalPath())
{
}

TextCheck::~TextCheck()
{
    if (!m_thread)
        return;
    {
        // Its read ends at once; the warm compiler sees the client gone.
        const std::lock_guard<std::mutex> lock(m_socketLock);
        m_dropped = true;
        if (m_fd >= 0)
            ::shutdown(m_fd, SHUT_RDWR);
    }
    m_thread->wait();
    delete m_thread;
}

void TextCheck::start(const QString &javac, const QStringList &options, const QString &path,
                      const QString &text)
{
    const std::string request = checkRequest(m_appFolder, javac, options, QFileInfo(path).absoluteFilePath(),
                                             text);
    const QByteArray socket = QFile::encodeName(m_socket);
    m_thread = QThread::create([this, request, socket] {
        CompileResult result;
        const int fd = warm::connectTo(socket.constData());
        {
            const std::lock_guard<std::mutex> lock(m_socketLock);
            m_fd = fd;
            if (m_dropped && fd >= 0)
                ::shutdown(fd, SHUT_RDWR);
        }
        std::string out;
        std::string err;
        int exitCode = 0;
        const warm::Broken broken = fd < 0 || !warm::sendAll(fd, request.data(), request.size())
                                        ? warm::Broken::Closed
                                        : warm::answer(fd, out, err, exitCode);
        {
            const std::lock_guard<std::mutex> lock(m_socketLock);
            m_fd = -1;
        }
        if (fd >= 0)
            ::close(fd);
        if (broken == warm::Broken::None && exitCode <= 1) {
            result.outcome = CompileResult::Outcome::Ran;
            result.output = QString::fromLocal8Bit(out.data(), qsizetype(out.size()))
                            + QString::fromLocal8Bit(err.data(), qsizetype(err.size()));
            result.diagnostics = parseCompilerOutput(result.output);
        } else if (broken == warm::Broken::None) {
            result.problem = QString::fromLocal8Bit(err.data(), qsizetype(err.size())).trimmed();
        } else {
            result.problem = broken == warm::Broken::Closed ? tr("the warm compiler refused or went")
                                                            : tr("the warm compiler fell silent");
        }
        // Dropped with this object, which waits for the thread before it goes.
        QMetaObject::invokeMethod(
            this, [this, result] { Q_EMIT finished(result); }, Qt::QueuedConnection);
    });
    m_thread->start();
}
