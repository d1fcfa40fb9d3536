#include "ChildProcesses.h"

#include <array>
#include <atomic>
#include <csignal>

namespace {

// Few at a time: one compile, the hosts of the open viewers, the warm compiler. A
// group is kept as its negative leader, as kill() takes it. Lock-free, for the
// signal handler.
std::array<std::atomic<qint64>, 32> remembered{};
// Set by endAll before it reads the table: add() checks it after writing its
// entry, so that of the two, one always sees the other's write.
std::atomic<bool> ending{false};

} // namespace

namespace ChildProcesses {

void add(qint64 pid, bool wholeGroup)
{
    if (pid <= 0)
        return;
    const qint64 entry = wholeGroup ? -pid : pid;
    for (std::atomic<qint64> &slot : remembered) {
        qint64 empty = 0;
        if (slot.compare_exchange_strong(empty, entry))
            break;
    }
    if (ending.load())
        ::kill(pid_t(entry), SIGKILL);
}

void remove(qint64 pid)
{
    for (std::atomic<qint64> &slot : remembered) {
        qint64 entry = slot.load();
        if (entry == pid || entry == -pid)
            slot.compare_exchange_strong(entry, 0);
    }
}

void endAll()
{
    ending.store(true);
    for (std::atomic<qint64> &slot : remembered)
        if (const qint64 entry = slot.exchange(0); entry != 0)
            ::kill(pid_t(entry), SIGKILL);
}

} // namespace ChildProcesses
