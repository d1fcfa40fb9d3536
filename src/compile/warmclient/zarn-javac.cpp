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

#include "WarmProtocol.h"

#include <climits>
#include <csignal>
#include <cstdlib>
#include <sys/syscall.h>

using namespace warm;

namespace {

[[noreturn]] void runPlainJavac(char **javacAndArguments)
{
    ::execv(javacAndArguments[0], javacAndArguments);
    const std::string failure = std::string("zarn-javac: cannot run ") + javacAndArguments[0] + ": "
                                + std::strerror(errno) + "\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, failure.data(), failure.size());
    ::_exit(127);
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
