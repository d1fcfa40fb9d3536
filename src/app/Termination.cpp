#include "Termination.h"

#include "ChildProcesses.h"
#include "LogCategories.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler's way to the event loop: it writes the signal's number here.
int signalPipe[2] = {-1, -1};

extern "C" void onTerminationSignal(int signalNumber)
{
    ChildProcesses::endAll();
    const char number = char(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &number, 1);
}

} // namespace

void installTerminationHandlers(std::function<void()> beforeExit)
{
    // Close-on-exec: no program Zarn starts gets either end (a byte written to it
    // would end Zarn).
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [beforeExit = std::move(beforeExit)] {
        char number = 0;
        if (::read(signalPipe[1], &number, 1) != 1)
            return;
        qCInfo(logApp) << "ended by signal" << int(number) << "; the processes Zarn started are ended";
        if (beforeExit)
            beforeExit();
        ::_exit(128 + number);
    });
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signalNumber, &action, nullptr);
}
