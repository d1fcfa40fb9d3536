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

private:
    QString m_appFolder;
};
