// View > Applet end to end with the real javac and java, on a private Xvfb.
#include "AppFolder.h"
#include "AppletBrowser.h"
#include "AppletTesting.h"
#include "AppletWindow.h"
#include "RecordingMessages.h"
#include "ScriptedFileDialog.h"
#include "XvfbDisplay.h"
#include "Zarn.h"

#include <QApplication>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

class TestAppletViewer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void viewShowsTheAppletInsideTheWindow();
    void viewWhileOpenReloadsTheNewClass();
    void closeEndsTheHostAndReopenLoadsTheNewClass();
    void failedCompileSaysSoInTheViewer();
    void viewerOutlivesTheMainWindow();

private:
    void writeApplet(int red, int green, int blue);
    AppletWindow *viewer() const;
    AppletBrowser *browser() const { return viewer() ? viewer()->WebBrowser1 : nullptr; }
    QString status() const
    {
        return m_window->findChild<QStatusBar *>(QStringLiteral("StatusBar1"))->currentMessage();
    }

    std::unique_ptr<AppFolder> m_app;
    QPointer<Zarn> m_window;
};

void TestAppletViewer::init()
{
    m_app = std::make_unique<AppFolder>();
    m_window = new Zarn(m_app->path(),
                        {std::make_shared<RecordingMessages>(), std::make_shared<ScriptedFileDialog>()});
    m_window->settings.CompilerLocation = javacPath();
    m_window->FileName = m_app->filePath(QStringLiteral("work/Clock.java"));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestAppletViewer::cleanup()
{
    delete viewer();
    delete m_window;
}

void TestAppletViewer::writeApplet(int red, int green, int blue)
{
    QDir().mkpath(m_app->filePath(QStringLiteral("work")));
    m_app->write(QStringLiteral("work/Clock.java"), colourApplet(QStringLiteral("Clock"), red, green, blue));
}

AppletWindow *TestAppletViewer::viewer() const
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *applet = qobject_cast<AppletWindow *>(window))
            return applet;
    return nullptr;
}

void TestAppletViewer::viewShowsTheAppletInsideTheWindow()
{
    writeApplet(200, 30, 40);
    m_window->findChild<QAction *>(QStringLiteral("AppletB"))->trigger();
    QCOMPARE(status(), QStringLiteral("Done Compiling"));
    QCOMPARE(
        m_app->read(QStringLiteral("temp/temp.html")),
        QByteArray("<html>\n<body>\n<div align = center>\n<applet code = Clock.java>\n</applet>\n</div>\n"
                   "</body>\n</html>\n"));
    QVERIFY(QFile::exists(m_app->filePath(QStringLiteral("temp/Clock.class"))));

    QVERIFY(viewer());
    QCOMPARE(viewer()->windowTitle(), QStringLiteral("View Applet"));
    QCOMPARE(viewer()->size(), QSize(398, 294));
    QCOMPARE(browser()->geometry(), QRect(8, 8, 385, 249));
    QCOMPARE(viewer()->Command1->text(), QStringLiteral("&Close"));
    QCOMPARE(viewer()->Command1->geometry(), QRect(160, 264, 73, 25));
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(browser()->surface()), QColor(200, 30, 40), 20000);
    QVERIFY(browser()->surface()->window() == viewer()); // inside the viewer, not a window of its own
}

void TestAppletViewer::viewWhileOpenReloadsTheNewClass()
{
    writeApplet(200, 30, 40);
    m_window->AppletB_Click();
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(browser()->surface()), QColor(200, 30, 40), 20000);
    AppletWindow *first = viewer();
    const qint64 host = browser()->hostProcessId();

    writeApplet(40, 40, 220);
    m_window->AppletB_Click();
    QCOMPARE(status(), QStringLiteral("Done Compiling"));
    QCOMPARE(viewer(), first); // the same window, a fresh host
    QVERIFY(browser()->hostProcessId() != host);
    QTRY_VERIFY_WITH_TIMEOUT(!processRuns(host), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(browser()->surface()), QColor(40, 40, 220), 20000);
}

void TestAppletViewer::closeEndsTheHostAndReopenLoadsTheNewClass()
{
    writeApplet(200, 30, 40);
    m_window->AppletB_Click();
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(browser()->surface()), QColor(200, 30, 40), 20000);
    const qint64 host = browser()->hostProcessId();

    QTest::mouseClick(viewer()->Command1, Qt::LeftButton);
    QTRY_VERIFY(!viewer());
    QTRY_VERIFY_WITH_TIMEOUT(!processRuns(host), 5000);

    writeApplet(40, 40, 220);
    m_window->AppletB_Click();
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(browser()->surface()), QColor(40, 40, 220), 20000);
    QVERIFY(browser()->hostProcessId() != host);
}

void TestAppletViewer::failedCompileSaysSoInTheViewer()
{
    writeApplet(200, 30, 40);
    m_window->AppletB_Click();
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(browser()->surface()), QColor(200, 30, 40), 20000);

    // The class of the compile before neither runs nor stays in the temp folder.
    m_app->write(QStringLiteral("work/Clock.java"), "public class Clock { oops }\n");
    m_window->AppletB_Click();
    QCOMPARE(status(), QStringLiteral("Done Compiling"));
    QVERIFY(viewer());
    QVERIFY(browser()->message().startsWith(QStringLiteral("The compile failed.\nClock.java:1: ")));
    QCOMPARE(browser()->hostProcessId(), 0);
    QVERIFY(!QFile::exists(m_app->filePath(QStringLiteral("temp/Clock.class"))));
}

void TestAppletViewer::viewerOutlivesTheMainWindow()
{
    writeApplet(200, 30, 40);
    m_window->AppletB_Click();
    QVERIFY(viewer());
    m_window->findChild<QAction *>(QStringLiteral("ExitB"))->trigger();
    QTRY_VERIFY(m_window.isNull());
    QVERIFY(viewer() && viewer()->isVisible());
    const qint64 host = browser()->hostProcessId();
    viewer()->close();
    QTRY_VERIFY(!viewer());
    QTRY_VERIFY_WITH_TIMEOUT(!processRuns(host), 5000);
}

ZARN_XVFB_TEST_MAIN(TestAppletViewer)
#include "tst_appletviewer.moc"
