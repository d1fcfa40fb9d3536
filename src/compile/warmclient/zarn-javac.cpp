// zarn-javac SOCKET JAVAC ARGUMENT...
//
// The compile script's way to Zarn's warm compiler: hands javac's arguments, the
// working folder and the CLASSPATH through the Unix socket, waits for the answer
// (a heartbeat at least every quarter second), then prints what javac printed and
// exits with its status. When the warm compiler is not there, refuses, falls
// silent or answers nonsense, it runs JAVAC ARGUMENT... itself, having printed
// nothing: one plain javac run, never a failed compile. Plain C++ and POSIX, so
// that it starts in a millisecond.

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/socket.h>
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

// Reads exactly size bytes, each within SilenceMs of the last.
bool readAll(int fd, char *data, size_t size)
{
    while (size > 0) {
        pollfd waiting{fd, POLLIN, 0};
        const int ready = ::poll(&waiting, 1, SilenceMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        const ssize_t got = ::read(fd, data, size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        data += got;
        size -= size_t(got);
    }
    return true;
}

bool readNumber(int fd, std::uint32_t &number)
{
    unsigned char bytes[4];
    if (!readAll(fd, reinterpret_cast<char *>(bytes), sizeof bytes))
        return false;
    number = std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16 | std::uint32_t(bytes[2]) << 8
             | bytes[3];
    return true;
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

// What the warm compiler answered: javac's output and exit status; false when it
// refused, went silent, went away or answered nonsense before its end.
bool answer(int fd, std::string &out, std::string &err, int &exitCode)
{
    while (true) {
        char kind = 0;
        if (!readAll(fd, &kind, 1))
            return false;
        if (kind == 'h')
            continue;
        std::uint32_t number = 0;
        if ((kind != 'o' && kind != 'e' && kind != 'x') || !readNumber(fd, number))
            return false;
        if (kind == 'x') {
            exitCode = int(number);
            return true;
        }
        if (number > LongestFrame)
            return false;
        std::string &into = kind == 'o' ? out : err;
        const size_t start = into.size();
        into.resize(start + number);
        if (!readAll(fd, into.data() + start, number))
            return false;
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
    if (fd < 0)
        runPlainJavac(argv + 2);
    const std::string asked = request(argc, argv);
    std::string out;
    std::string err;
    int exitCode = 0;
    if (asked.empty() || !writeAll(fd, asked.data(), asked.size()) || !answer(fd, out, err, exitCode)) {
        ::close(fd);
        std::signal(SIGPIPE, SIG_DFL);
        runPlainJavac(argv + 2);
    }
    ::close(fd);
    writeAll(STDOUT_FILENO, out.data(), out.size());
    writeAll(STDERR_FILENO, err.data(), err.size());
    return exitCode;
}
