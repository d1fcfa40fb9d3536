#include "ZarnSession.h"

#include "Desktop.h"
#include "TestTime.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStatusBar>
#include <QTest>

#include <csignal>

ZarnSession::ZarnSession()
{
    // A fresh application folder: the executable, the applet host, temp/ and Options.dat.
    QDirIterator files(QStringLiteral(ZARN_APP_DIR), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString target = m_folder.filePath(QDir(QStringLiteral(ZARN_APP_DIR)).relativeFilePath(source));
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(source, target);
    }
    QDir(m_folder.path()).mkpath(QStringLiteral("temp"));
}

ZarnSession::~ZarnSession()
{
    if (running()) {
        m_process.kill();
        m_process.waitForFinished();
    }
    if (m_throughLauncher && m_pid > 0)
        ::kill(pid_t(m_pid), SIGKILL); // not a child of ours
}

void ZarnSession::writeFile(const QString &name, const QByteArray &bytes) const
{
    QFile file(filePath(name));
    QDir().mkpath(QFileInfo(file).absolutePath());
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

QByteArray ZarnSession::readFile(const QString &name) const
{
    QFile file(filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool ZarnSession::start(const QString &folder, const QString &caption)
{
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    m_process.setWorkingDirectory(folder);
    m_process.start(filePath(QStringLiteral("zarn")), {});
    if (!m_process.waitForStarted())
        return false;
    m_pid = m_process.processId();
    m_window = Desktop::waitForWindow(caption, m_pid);
    if (m_window.isEmpty())
        return false;
    focus();
    return true;
}

bool ZarnSession::launch(const QString &launcher, const QStringList &arguments,
                         const QProcessEnvironment &environment)
{
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    m_process.setProcessEnvironment(environment);
    m_process.setWorkingDirectory(m_folder.path());
    m_process.start(launcher, arguments);
    if (!m_process.waitForStarted())
        return false;
    m_window = Desktop::waitForWindow(QStringLiteral("^Zarn V0.01$"));
    if (m_window.isEmpty())
        return false;
    m_pid = Desktop::xdotool({QStringLiteral("getwindowpid"), m_window}).toLongLong();
    m_throughLauncher = true;
    focus();
    return m_pid > 0;
}

bool ZarnSession::waitForExit(int timeoutMs)
{
    return m_process.waitForFinished(scaled(timeoutMs));
}

QRect ZarnSession::clientArea() const
{
    const QRect window = Desktop::geometry(m_window);
    return QRect(window.left(), window.bottom() + 1 - 423, 496, 423);
}

void ZarnSession::focus() const
{
    Desktop::focus(m_window);
}

void ZarnSession::menu(const QString &letter, int downs) const
{
    QStringList keys = {QStringLiteral("alt+") + letter};
    for (int i = 0; i < downs; ++i)
        keys << QStringLiteral("Down");
    keys << QStringLiteral("Return");
    Desktop::keys(keys);
}

bool ZarnSession::answerFileDialog(const QString &title, const QString &path) const
{
    const QString dialog = Desktop::waitForWindow(QLatin1Char('^') + title + QLatin1Char('$'), m_pid);
    if (dialog.isEmpty())
        return false;
    Desktop::focus(dialog);
    // The name box has the focus; replace what it offers.
    Desktop::keys({QStringLiteral("ctrl+a")});
    Desktop::type(path);
    Desktop::keys({QStringLiteral("Return")});
    return Desktop::waitForNoWindow(QLatin1Char('^') + title + QLatin1Char('$'), m_pid);
}

bool ZarnSession::waitForStatus(const QString &text, int timeoutMs) const
{
    // The status bar as Zarn draws it, drawn here with the same Qt, style and font.
    QWidget holder;
    QStatusBar reference(&holder);
    reference.setSizeGripEnabled(false);
    reference.setGeometry(0, 0, 496, 23);
    reference.showMessage(text);
    const QImage expected = reference.grab().toImage().copy(QRect(QPoint(0, 0), statusMessage().size()));

    const QDeadlineTimer deadline(scaled(timeoutMs));
    while (!deadline.hasExpired()) {
        if (Desktop::showsLike(statusMessage(), expected))
            return true;
        QTest::qWait(20);
    }
    return false;
}
