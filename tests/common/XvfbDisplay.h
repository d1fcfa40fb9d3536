#pragma once

#include <QByteArray>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

// A private X server for a test or benchmark, started before the application
// object exists and ended with this object. Xvfb picks a free display itself.
class XvfbDisplay
{
public:
    XvfbDisplay()
    {
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        const QByteArray writeEnd = QByteArray::number(fds[1]);
        const char *argv[] = {"Xvfb",      "-displayfd", writeEnd.constData(),
                              "-screen",   "0",          "1280x1024x24",
                              "-nolisten", "tcp",        nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int spawned = posix_spawnp(&m_pid, "Xvfb", &actions, nullptr, const_cast<char *const *>(argv),
                                         environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        if (spawned != 0) {
            m_pid = 0;
            ::close(fds[0]);
            return;
        }
        char c;
        while (::read(fds[0], &c, 1) == 1 && c != '\n')
            m_display.append(c);
        ::close(fds[0]);
        if (!m_display.isEmpty())
            m_display.prepend(':');
    }

    ~XvfbDisplay()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
    }

    XvfbDisplay(const XvfbDisplay &) = delete;
    XvfbDisplay &operator=(const XvfbDisplay &) = delete;

    // ":N", or empty when the server could not start.
    QByteArray display() const { return m_display; }

private:
    pid_t m_pid = 0;
    QByteArray m_display;
};

// A Qt test main that runs the test on the xcb platform of a private Xvfb.
#define ZARN_XVFB_TEST_MAIN(TestObject)                                                                      \
    int main(int argc, char *argv[])                                                                         \
    {                                                                                                        \
        XvfbDisplay xvfb;                                                                                    \
        if (xvfb.display().isEmpty()) {                                                                      \
            qWarning("Xvfb could not be started");                                                           \
            return 1;                                                                                        \
        }                                                                                                    \
        qputenv("DISPLAY", xvfb.display());                                                                  \
        qputenv("QT_QPA_PLATFORM", "xcb");                                                                   \
        QApplication app(argc, argv);                                                                        \
        TestObject test;                                                                                     \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
