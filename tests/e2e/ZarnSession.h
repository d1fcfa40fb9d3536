#pragma once

#include <QProcess>
#include <QRect>
#include <QTemporaryDir>

// The real zarn executable, started in a fresh copy of its application folder on
// the test's X server.
class ZarnSession
{
public:
    ZarnSession();
    ~ZarnSession();

    QString appFolder() const { return m_folder.path(); }
    QString filePath(const QString &name) const { return m_folder.filePath(name); }
    void writeFile(const QString &name, const QByteArray &bytes) const;
    QByteArray readFile(const QString &name) const;

    // Starts zarn in folder (the test's own when empty) and waits for its main
    // window, whose title matches caption; false when it did not appear.
    bool start(const QString &folder = QString(), const QString &caption = QStringLiteral("^Zarn V0.01$"));
    // Starts a zarn through launcher (a shell, gio), which may end once zarn runs,
    // with this environment; waits for the main window and takes zarn's process
    // from it.
    bool launch(const QString &launcher, const QStringList &arguments,
                const QProcessEnvironment &environment);
    bool waitForExit(int timeoutMs = 20000);
    bool running() const { return m_process.state() != QProcess::NotRunning; }
    qint64 pid() const { return m_pid; }

    QString mainWindow() const { return m_window; }
    // The main window's client area (below the menu bar) on the screen.
    QRect clientArea() const;
    // A place in the client area, given in its own coordinates.
    QPoint at(int x, int y) const { return clientArea().topLeft() + QPoint(x, y); }
    QRect statusBar() const { return QRect(at(0, 400), QSize(496, 23)); }
    // The left of the status bar, where its message stands (the compile summary
    // takes the right end).
    QRect statusMessage() const { return QRect(at(0, 400), QSize(300, 23)); }

    // Gives the main window the keyboard focus.
    void focus() const;
    // Chooses a menu item from the keyboard: Alt+letter, then Down presses, Return.
    void menu(const QString &letter, int downs) const;
    // Answers the file dialog with this title: types the path, presses Return.
    bool answerFileDialog(const QString &title, const QString &path) const;
    // Waits until the status bar shows text.
    bool waitForStatus(const QString &text, int timeoutMs = 30000) const;

private:
    QTemporaryDir m_folder;
    QProcess m_process;
    qint64 m_pid = 0;
    bool m_throughLauncher = false;
    QString m_window;
};
