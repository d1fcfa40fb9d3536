#include "WarmQuestion.h"

#include "WarmProtocol.h"

#include <QDir>
#include <QThread>

namespace {

std::string request(const QString &folder, const QString &javac, const QStringList &arguments)
{
    const QStringList strings = QStringList{folder, QStringLiteral("-"), javac} + arguments;
    std::string request;
    warm::appendNumber(request, std::uint32_t(strings.size()));
    for (const QString &string : strings)
        warm::appendString(request, string.toStdString());
    return request;
}

} // namespace

WarmQuestion::WarmQuestion(const QString &socket, const QString &appFolder, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
    , m_appFolder(QDir(appFolder).canonicalPath())
{
}

WarmQuestion::~WarmQuestion()
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

void WarmQuestion::ask(const QString &javac, const QStringList &arguments)
{
    const std::string asked = request(m_appFolder, javac, arguments);
    const QByteArray socket = QFile::encodeName(m_socket);
    m_thread = QThread::create([this, asked, socket] {
        const int fd = warm::connectTo(socket.constData());
        {
            const std::lock_guard<std::mutex> lock(m_socketLock);
            m_fd = fd;
            if (m_dropped && fd >= 0)
                ::shutdown(fd, SHUT_RDWR);
        }
        std::string out;
        std::string err;
        WarmAnswer answer;
        const warm::Broken broken = fd < 0 || !warm::sendAll(fd, asked.data(), asked.size())
                                        ? warm::Broken::Closed
                                        : warm::answer(fd, out, err, answer.exitCode);
        {
            const std::lock_guard<std::mutex> lock(m_socketLock);
            m_fd = -1;
        }
        if (fd >= 0)
            ::close(fd);
        answer.answered = broken == warm::Broken::None;
        answer.out = QString::fromLocal8Bit(out.data(), qsizetype(out.size()));
        answer.err = QString::fromLocal8Bit(err.data(), qsizetype(err.size()));
        if (broken != warm::Broken::None)
            answer.problem = broken == warm::Broken::Closed ? tr("the warm compiler refused or went")
                                                            : tr("the warm compiler fell silent");
        // Dropped with this object, which waits for the thread before it goes.
        QMetaObject::invokeMethod(
            this, [this, answer] { Q_EMIT finished(answer); }, Qt::QueuedConnection);
    });
    m_thread->start();
}
