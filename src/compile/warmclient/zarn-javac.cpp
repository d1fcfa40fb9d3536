// zarn-javac SOCKET JAVAC ARGUMENT...
//
// The compile script's way to Zarn's warm compiler: hands javac's arguments, the
// working folder and the CLASSPATH through the Unix socket, waits for the answer
// (a heartbeat at least every quarter second), then prints what javac printed and
// exits with its status. When the warm compiler is not there, refuses, falls
// silent or answers nonsense, it runs JAVAC ARGUMENT... itself, having printed
// nothing: one plain javac run, never a failed compile. A compiler that fell
// silent or answered nonsense may still be compiling into the same folders, so it
// is killed, and javac starts once it has gone: never two writers of one class.
// Plain C++ and POSIX, so that it starts in a millisecond.

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace {

// Longer than a heartbeat's gap by far: silence this long means the compiler hangs.
constexpr int SilenceMs = 3000;
// More than javac prints; beyond it the answer is nonsense.
constexpr std::uint32_t LongestFrame = 64u << 20;

[[noreturn]] void runPlainJavac(char **javacAndArguments)
{
    ::execv(javacAndArguments[0], javacAndArguments);
    const std::string failure = std::string("zarn-javac: cannot run ") + javacAndArguments[0] + ": "
                                + std::strerror(errno) + "\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, failure.data(), failure.size());
    ::_exit(127);
}

void appendNumber(std::string &out, std::uint32_t number)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char((number >> shift) & 0xFF);
}

void appendString(std::string &out, const std::string &text)
{
    appendNumber(out, std::uint32_t(text.size()));
    out += text;
}

bool writeAll(int fd, const char *data, size_t size)
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
Broken readAll(int fd, char *data, size_t size)
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

Broken readNumber(int fd, std::uint32_t &number)
{
    unsigned char bytes[4];
    if (const Broken broken = readAll(fd, reinterpret_cast<char *>(bytes), sizeof bytes);
        broken != Broken::None)
        return broken;
    number = std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16 | std::uint32_t(bytes[2]) << 8
             | bytes[3];
    return Broken::None;
}

int connectTo(const char *socketPath)
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

// A handle on the process behind the socket, by which it can be killed and its end
// seen; -1 when it is not this user's, or the system gives none.
int compilerProcess(int fd)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || peer.uid != ::getuid()
        || peer.pid <= 0)
        return -1;
    return int(::syscall(SYS_pidfd_open, peer.pid, 0u)); // glibc 2.36 declares it outside extern "C"
}

// Kills the compiler and waits for its end, so that nothing it still does can
// reach the folders javac is about to write.
void endCompiler(int process)
{
    if (::syscall(SYS_pidfd_send_signal, process, SIGKILL, nullptr, 0u) != 0 && errno != ESRCH)
        return;
    pollfd ending{process, POLLIN, 0};
    while (::poll(&ending, 1, -1) < 0 && errno == EINTR) { }
}

std::string request(int argc, char **argv)
{
    char folder[PATH_MAX];
    if (!::getcwd(folder, sizeof folder))
        return {};
    const char *classPath = ::getenv("CLASSPATH");
    std::string out;
    appendNumber(out, std::uint32_t(argc)); // the folder and the CLASSPATH, javac and its arguments
    appendString(out, folder);
    appendString(out, classPath ? std::string("=") + classPath : std::string("-"));
    for (int i = 2; i < argc; ++i)
        appendString(out, argv[i]);
    return out;
}

// What the warm compiler answered: javac's output and exit status; otherwise how
// the answer broke off (a refusal closes it).
Broken answer(int fd, std::string &out, std::string &err, int &exitCode)
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

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        const char usage[] = "usage: zarn-javac SOCKET JAVAC [ARGUMENT...]\n";
        [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, usage, sizeof usage - 1);
        return 2;
    }
    std::signal(SIGPIPE, SIG_IGN); // a compiler gone mid-request is a failed write, not a death
    const int fd = connectTo(argv[1]);
    // Without a way to end it, it is not asked: it could not be stopped from writing.
    const int process = fd >= 0 ? compilerProcess(fd) : -1;
    const std::string asked = process >= 0 ? request(argc, argv) : std::string();
    std::string out;
    std::string err;
    int exitCode = 0;
    // A request it did not take whole was never compiled: it closes such a connection.
    const Broken broken = asked.empty() || !writeAll(fd, asked.data(), asked.size())
                              ? Broken::Closed
                              : answer(fd, out, err, exitCode);
    if (broken == Broken::Silent)
        endCompiler(process);
    if (fd >= 0)
        ::close(fd);
    if (broken != Broken::None) {
        std::signal(SIGPIPE, SIG_DFL);
        runPlainJavac(argv + 2);
    }
    writeAll(STDOUT_FILENO, out.data(), out.size());
    writeAll(STDERR_FILENO, err.data(), err.size());
    return exitCode;
}
