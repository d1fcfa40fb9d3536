#pragma once

#include "AppletLaunch.h"

#include <QWidget>

#include <memory>

class AppletOutput;
class ConsoleChannel;
class QLabel;
class QProcess;
class QScrollArea;

// The viewer's browser area: runs the applet of a host page with Zarn's applet
// host. On X11 the applet's window sits inside this area, at the size its page
// gives it, scrolled to like a page when it is larger; elsewhere the applet gets a
// top-level window of its own. A readable line replaces the applet when it cannot
// run.
class AppletBrowser : public QWidget
{
    Q_OBJECT

public:
    explicit AppletBrowser(QWidget *parent = nullptr);
    // Tells the host to quit, and ends it after a short grace.
    ~AppletBrowser() override;

    // The java launcher to run the host with (see findJava).
    void setJava(const QString &java) { m_java = java; }
    // Where the host's class-data archive is kept; none when empty.
    void setArchiveFolder(const QString &folder) { m_archiveFolder = folder; }

    // Loads the page at path and starts its applet.
    void Navigate(const QString &path);

    // For the page at path, written beside the classes that are about to be compiled
    // from the source whose files are at places (see resolveCompiledApplet): starts
    // the host, which gets ready and waits, so that its start overlaps the compile.
    // A running applet ends first.
    void prepare(const QString &path, const AppletPlaces &places);
    // The classes are there: the prepared host loads and starts the applet.
    void load();
    // The compile that prepare waited for failed: the host ends, and the area says
    // so with the reason.
    void showCompileFailure(const QString &reason);

    // What the area shows instead of an applet; empty while the applet runs.
    QString message() const;
    // The host process, or 0 when none runs.
    qint64 hostProcessId() const;
    // The host started ahead for the next applet, or 0 when there is none (yet).
    qint64 spareProcessId() const { return m_spare ? m_spare->pid : 0; }
    // That host has warmed up and waits.
    bool spareIsWaiting() const { return m_spare && m_spare->waiting; }
    // The area the applet's window is put into.
    QWidget *surface() const { return m_surface; }
    // What the host was last started to run.
    const AppletLaunch &launch() const { return m_launch; }
    // What the applet of the last start writes; null before the first start.
    std::shared_ptr<AppletOutput> output() const { return m_output; }

    static constexpr int QuitGraceMs = 1000;

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
    std::optional<AppletTag> readPage(const QString &path);
    void startHost();
    void startNewHost(const QString &folder, const QStringList &launch);
    void connectHost();
    void adoptSpare(const QStringList &launch);
    void startSpare();
    void dropSpare();
    // The JVM and the host's program, for any applet.
    QStringList hostProgram() const;
    QString sourceRoot() const;
    static QStringList openOutput(QProcess &host, std::shared_ptr<AppletOutput> &output,
                                  std::unique_ptr<ConsoleChannel> &channel);
    void heardException(const QString &report);
    void showMessage(const QString &text);
    void readHost();
    void hostEnded();
    void stopHost();
    static void endProcess(QProcess *host, qint64 pid);
    void sendSize();
    QSize appletPixels() const;
    void placeSurface();

    QString m_java;
    QString m_archiveFolder;
    QString m_pagePath;
    AppletLaunch m_launch;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_page = nullptr;
    QWidget *m_surface = nullptr;
    QLabel *m_message = nullptr;
    QProcess *m_host = nullptr;
    std::shared_ptr<AppletOutput> m_output;
    // Read until the host has ended; replaced at the next start.
    std::unique_ptr<ConsoleChannel> m_channel;
    qint64 m_hostPid = 0;
    bool m_reportedError = false;

    // The next host, started ahead in the background: the JDK, the JVM's options
    // and the folder it runs in must be those the next applet would get.
    struct Spare
    {
        QProcess *process = nullptr;
        qint64 pid = 0;
        QString java;
        QStringList program;
        QString folder;
        bool waiting = false;
        std::shared_ptr<AppletOutput> output;
        std::unique_ptr<ConsoleChannel> channel;
    };
    std::unique_ptr<Spare> m_spare;
};
