#pragma once

// The conversation with Zarn's warm compiler over its Unix socket, for the compile
// script's client (zarn-javac) and for Zarn's own checks of a pane's text: a request
// is the number of strings, then each as its length and its UTF-8 bytes; the
// answer is a heartbeat ('h') at least every quarter second, javac's output ('o',
// 'e', each with its length), then its exit status ('x'), or a refusal ('r').
// Plain C++ and POSIX, header only: the client starts in a millisecond.

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace warm {

// Longer than a heartbeat's gap by far: silence this long means the compiler hangs.
constexpr int SilenceMs = 3000;
// More than javac prints; beyond it the answer is nonsense.
constexpr std::uint32_t LongestFrame = 64u << 20;

inline void appendNumber(std::string &out, std::uint32_t number)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char((number >> shift) & 0xFF);
}

inline void appendString(std::string &out, const std::string &text)
{
    appendNumber(out, std::uint32_t(text.size()));
    out += text;
}

inline bool writeAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= size_t(written);
    }
    return true;
}

// How a conversation with the warm compiler ended early.
enum class Broken {
    None,
    Closed, // it closed the connection, or refused: it compiles nothing for us
    Silent, // it may still be compiling
};

// Reads exactly size bytes, each within SilenceMs of the last.
inline Broken readAll(int fd, char *data, size_t size)
{
    while (size > 0) {
        pollfd waiting{fd, POLLIN, 0};
        const int ready = ::poll(&waiting, 1, SilenceMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0)
            return Broken::Silent;
        if (ready < 0)
            return Broken::Closed;
        const ssize_t got = ::read(fd, data, size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return Broken::Closed;
        data += got;
        size -= size_t(got);
    }
    return Broken::None;
}

inline Broken readNumber(int fd, std::uint32_t &number)
{
    unsigned char bytes[4];
    if (const Broken broken = readAll(fd, reinterpret_cast<char *>(bytes), sizeof bytes);
        broken != Broken::None)
        return broken;
    number = std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16 | std::uint32_t(bytes[2]) << 8
             | bytes[3];
    return Broken::None;
}

inline int connectTo(const char *socketPath)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (std::strlen(socketPath) >= sizeof address.sun_path)
        return -1;
    std::strcpy(address.sun_path, socketPath);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Writes all of data to the socket fd; a peer gone is a failed write, never a SIGPIPE.
inline bool sendAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        data += sent;
        size -= size_t(sent);
    }
    return true;
}

// What the warm compiler answered: javac's output and exit status; otherwise how
// the answer broke off (a refusal closes it).
inline Broken answer(int fd, std::string &out, std::string &err, int &exitCode)
{
    while (true) {
        char kind = 0;
        if (const Broken broken = readAll(fd, &kind, 1); broken != Broken::None)
            return broken;
        if (kind == 'h')
            continue;
        if (kind == 'r')
            return Broken::Closed;
        std::uint32_t number = 0;
        if (kind != 'o' && kind != 'e' && kind != 'x')
            return Broken::Silent; // nonsense: what it does now, nobody knows
        if (const Broken broken = readNumber(fd, number); broken != Broken::None)
            return broken;
        if (kind == 'x') {
            exitCode = int(number);
            return Broken::None;
        }
        if (number > LongestFrame)
            return Broken::Silent;
        std::string &into = kind == 'o' ? out : err;
        const size_t start = into.size();
        into.resize(start + number);
        if (const Broken broken = readAll(fd, into.data() + start, number); broken != Broken::None)
            return broken;
    }
}

} // namespace warm
