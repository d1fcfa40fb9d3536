#pragma once

#include <QWidget>

class AppletBrowser;
class QPushButton;

// "View Applet": the browser area running the applet of the host page in the temp
// folder, and a Close button.
class AppletWindow : public QWidget
{
    Q_OBJECT

public:
    // appFolder holds temp/temp.html; java runs the applet host.
    AppletWindow(const QString &appFolder, const QString &java, QWidget *parent = nullptr);

    AppletBrowser *WebBrowser1 = nullptr;
    QPushButton *Command1 = nullptr;

    void Command1_Click();

private:
    void Form_Load();

    QString m_appFolder;
};
