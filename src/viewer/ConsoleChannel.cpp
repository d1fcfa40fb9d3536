#include "ConsoleChannel.h"

#include "AppletOutput.h"

#include <QByteArray>
#include <QList>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

constexpr qsizetype ReadSize = 1024 * 1024;
// Reads are this far apart at least: an applet that prints line by line costs a
// read of many lines, not a read (and a wake of the window) a line.
constexpr int ReadIntervalMs = 10;
// A record is at most the host's longest piece and its two marks; anything longer
// is not the host's, and is cut rather than kept growing.
constexpr qsizetype LongestRecord = 128 * 1024;

// The complete records at the front of pending, taken out of it.
QList<ConsoleLine> takeRecords(QByteArray &pending)
{
    QList<ConsoleLine> lines;
    qsizetype start = 0;
    for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n', start)) {
        if (end > start) {
            ConsoleLine line;
            line.stream = pending.at(start) == 'e' ? ConsoleLine::Stream::Err : ConsoleLine::Stream::Out;
            line.text = QString::fromUtf8(pending.constData() + start + 1, end - start - 1);
            lines.append(line);
        }
        start = end + 1;
    }
    pending.remove(0, start);
    if (pending.size() > LongestRecord) {
        lines.append({pending.startsWith('e') ? ConsoleLine::Stream::Err : ConsoleLine::Stream::Out,
                      QString::fromUtf8(pending.mid(1))});
        pending.clear();
    }
    return lines;
}

} // namespace

QString ConsoleChannel::hostPath()
{
    return QStringLiteral("/dev/fd/%1").arg(HostDescriptor);
}

ConsoleChannel::ConsoleChannel(std::shared_ptr<AppletOutput> output)
    : m_output(std::move(output))
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return;
    m_stop = eventfd(0, EFD_CLOEXEC);
    if (m_stop < 0) {
        close(ends[0]);
        close(ends[1]);
        return;
    }
    m_readEnd = ends[0];
    m_hostEnd = ends[1];
    // Room for what the host writes between two reads; the system's limit may refuse it.
    fcntl(m_readEnd, F_SETPIPE_SZ, int(ReadSize));
    m_reader = std::thread(&ConsoleChannel::read, this);
}

ConsoleChannel::~ConsoleChannel()
{
    if (m_reader.joinable()) {
        const eventfd_t one = 1;
        (void)!write(m_stop, &one, sizeof one);
        m_reader.join();
    }
    for (const int fd : {m_readEnd, m_hostEnd, m_stop})
        if (fd >= 0)
            close(fd);
}

void ConsoleChannel::giveToHost() const
{
    if (m_hostEnd == HostDescriptor)
        fcntl(m_hostEnd, F_SETFD, 0); // dup2 onto itself would keep close-on-exec
    else if (m_hostEnd >= 0)
        dup2(m_hostEnd, HostDescriptor);
}

void ConsoleChannel::hostStarted()
{
    if (m_hostEnd >= 0)
        close(m_hostEnd);
    m_hostEnd = -1;
}

void ConsoleChannel::read()
{
    QByteArray pending;
    QByteArray chunk(ReadSize, Qt::Uninitialized);
    pollfd waits[2] = {{m_readEnd, POLLIN, 0}, {m_stop, POLLIN, 0}};
    for (;;) {
        if (poll(waits, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (waits[1].revents != 0)
            break;
        const ssize_t got = ::read(m_readEnd, chunk.data(), std::size_t(chunk.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break; // every write end closed: the host has ended
        pending.append(chunk.constData(), got);
        m_output->append(takeRecords(pending));
        if (poll(&waits[1], 1, ReadIntervalMs) > 0)
            break;
    }
    if (!pending.isEmpty())
        m_output->append(takeRecords(pending.append('\n')));
}
