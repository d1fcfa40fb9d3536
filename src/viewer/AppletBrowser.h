#pragma once

#include "AppletLaunch.h"
#include "Jdk.h"
#include "ManagedProcess.h"

#include <QWidget>

#include <memory>

class AppletOutput;
class ConsoleChannel;
class QLabel;
class QScrollArea;

// The viewer's browser area: runs the applet of a host page with Zarn's applet
// host. On X11 the applet's window sits inside this area, at the size its page
// gives it, scrolled to like a page when it is larger; elsewhere the applet gets a
// top-level window of its own. A readable line replaces the applet when it cannot
// run. Its hosts are stopped in the background: the window never waits on them.
class AppletBrowser : public QWidget
{
    Q_OBJECT

public:
    explicit AppletBrowser(QWidget *parent = nullptr);
    // Tells the hosts to quit; they end on their own, or are ended, after the grace.
    ~AppletBrowser() override;

    // The JDK whose java runs the host (with Zarn's Applet API where it lacks one).
    void setJdk(const Jdk &jdk) { m_jdk = jdk; }
    // Where the host's class-data archive is kept; none when empty.
    void setArchiveFolder(const QString &folder) { m_archiveFolder = folder; }

    // Loads the page at path and starts its applet.
    void Navigate(const QString &path);

    // For the applet element tag of the page at pagePath, written beside the classes
    // that are about to be compiled from the source whose files are at places (see
    // resolveCompiledApplet): starts the host, which gets ready and waits, so that
    // its start overlaps the compile. A running applet ends first.
    void prepare(const AppletTag &tag, const QString &pagePath, const AppletPlaces &places);
    // The classes are there: the prepared host loads and starts the applet.
    void load();
    // The compile that prepare waited for failed: the host ends, and the area says
    // so with the reason.
    void showCompileFailure(const QString &reason);
    // The compile was cancelled: the host ends, and the area says so.
    void showCancelled();

    // What the area shows instead of an applet; empty while the applet runs.
    QString message() const;
    // The host process, or 0 when none runs.
    qint64 hostProcessId() const;
    // The host started ahead for the next applet, or 0 when there is none (yet).
    qint64 spareProcessId() const { return m_spare ? m_spare->process->pid() : 0; }
    // That host has warmed up and waits.
    bool spareIsWaiting() const { return m_spare && m_spare->waiting; }
    // The area the applet's window is put into.
    QWidget *surface() const { return m_surface; }
    // What the host was last started to run.
    const AppletLaunch &launch() const { return m_launch; }
    // What the applet of the last start writes; null before the first start.
    std::shared_ptr<AppletOutput> output() const { return m_output; }

Q_SIGNALS:
    // The applet's init and start have run.
    void appletStarted();
    void appletPainted();
    // The applet loaded the local file at path (an image, a sound, data).
    void appletLoaded(const QString &path);
    // A host started: output() now holds what its applet writes.
    void outputBegun();
    // The applet's showStatus.
    void appletStatus(const QString &text);
    // The applet did not catch an exception; note says where and which, in a line.
    void appletException(const QString &note);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // A host process with the pipe its applet writes to.
    struct Host
    {
        std::unique_ptr<ManagedProcess> process;
        std::shared_ptr<AppletOutput> output;
        std::unique_ptr<ConsoleChannel> channel;
    };
    // The next host, started ahead in the background: the JDK, the JVM's options
    // and the folder it runs in must be those the next applet would get.
    struct Spare : Host
    {
        QStringList program;
        QString folder;
        Jdk jdk;
        bool waiting = false;
    };

    std::optional<AppletTag> readPage(const QString &path);
    void clearArea(const QString &pagePath);
    void startHost();
    void startNewHost(const QString &folder, const QStringList &launch);
    void connectHost();
    void adoptSpare(const QStringList &launch);
    void startSpare();
    // A host process, not started, with the pipe its applet will write to.
    static std::unique_ptr<Host> makeHost(const QString &name);
    // Starts host in folder: the host's program, its pipe, then tail.
    void runHost(Host &host, const QString &folder, const QStringList &tail);
    // The JVM and the host's program, for any applet.
    QStringList hostProgram() const;
    QString sourceRoot() const;
    void heardException(const QString &report);
    void showDocument(const QString &report);
    void showMessage(const QString &text);
    void readHost(const QByteArray &line);
    void hostEnded(const ManagedProcess::Exit &exit);
    void stopHost();
    void sendSize();
    QSize appletPixels() const;
    void placeSurface();

    Jdk m_jdk;
    QString m_archiveFolder;
    QString m_pagePath;
    AppletLaunch m_launch;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_page = nullptr;
    QWidget *m_surface = nullptr;
    QLabel *m_message = nullptr;
    std::unique_ptr<Host> m_host;
    std::shared_ptr<AppletOutput> m_output;
    // The pipe of the host last stopped, read until the next one is: what its
    // applet's stop and destroy print still reaches the console.
    std::unique_ptr<ConsoleChannel> m_lastChannel;
    bool m_reportedError = false;
    std::unique_ptr<Spare> m_spare;
};
