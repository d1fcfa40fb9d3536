#pragma once

#include <QWidget>

class AppletBrowser;
class QPushButton;
class QStatusBar;

// "View Applet": the browser area running the applet of the host page in the temp
// folder, a Close button, and below them the applet's status line, as browsers had
// one. View > Applet tells the area what to run.
class AppletWindow : public QWidget
{
    Q_OBJECT

public:
    // appFolder holds temp/temp.html.
    explicit AppletWindow(const QString &appFolder, QWidget *parent = nullptr);

    // The host page the area runs: temp/temp.html in the application folder.
    QString pagePath() const;

    AppletBrowser *WebBrowser1 = nullptr;
    QPushButton *Command1 = nullptr;
    // The applet's showStatus text, or a note on an exception it did not catch.
    QStatusBar *StatusLine = nullptr;

    void Command1_Click();

    // The comforts of the Workspace page. A resizable window grows its browser area
    // with it; a caption that names the class reads "Game - View Applet"; an applet
    // of its own size shows whole, the window taking that size up to the screen's.
    void setResizable(bool resizable);
    void setCaptionClass(const QString &className);
    void fitApplet(const QSize &applet);
    // The browser area as designed, which an applet's percentages refer to.
    static QSize designedArea();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layOut(const QSize &client);
    // The window's size for a browser area of area.
    QSize sizeFor(const QSize &area) const;
    void setWindowSize(const QSize &size);

    QString m_appFolder;
    bool m_resizable = false;
};
