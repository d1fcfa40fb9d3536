// Where the viewer cannot embed (Qt not on X11, here the offscreen platform), the
// applet opens a top-level window of its own, titled "View Applet".
#include "AppletBrowser.h"
#include "AppletTesting.h"
#include "Jdk.h"
#include "TestTime.h"
#include "XvfbDisplay.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestAppletOwnWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void appletGetsAWindowOfItsOwn();
};

void TestAppletOwnWindow::appletGetsAWindowOfItsOwn()
{
    QTemporaryDir site;
    QVERIFY(compileJava(site.path(), QStringLiteral("Red.java"),
                        colourApplet(QStringLiteral("Red"), 200, 30, 40)));
    QFile page(site.filePath(QStringLiteral("page.html")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<applet code=Red width=120 height=80>");
    page.close();

    AppletBrowser browser;
    browser.resize(385, 249);
    browser.setJdk(jdkOfCompiler(javacPath()));
    QSignalSpy painted(&browser, &AppletBrowser::appletPainted);
    browser.Navigate(page.fileName());
    QVERIFY(painted.wait(scaled(20000)));
    QCOMPARE(browser.message(), QStringLiteral("The applet runs in a window of its own."));

    QProcess search;
    search.start(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral("^View Applet$")});
    QVERIFY(search.waitForFinished());
    QVERIFY2(!search.readAllStandardOutput().trimmed().isEmpty(), "no window titled View Applet");
}

int main(int argc, char *argv[])
{
    XvfbDisplay xvfb; // for the applet's window; Qt itself draws offscreen
    if (xvfb.display().isEmpty())
        return 1;
    qputenv("DISPLAY", xvfb.display());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestAppletOwnWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_appletownwindow.moc"
