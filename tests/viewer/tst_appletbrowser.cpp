// The browser area with the real java and the applet host, on a private Xvfb.
#include "AppletBrowser.h"
#include "AppletTesting.h"
#include "Jdk.h"
#include "TestTime.h"
#include "XvfbDisplay.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestAppletBrowser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void appletRunsInsideTheArea();
    void pageAndParametersReachTheApplet();
    void readableLineInsteadOfABlank_data();
    void readableLineInsteadOfABlank();
    void hostEndsWithTheArea();
    void layoutNeverStaysBlank();
    void hostArchiveIsMadeAndUsed();

private:
    QString page(const QString &name, const QString &html) const;

    QTemporaryDir m_site;
    std::unique_ptr<QWidget> m_window;
    AppletBrowser *m_browser = nullptr;
};

void TestAppletBrowser::initTestCase()
{
    QVERIFY(!javacPath().isEmpty());
    QVERIFY(compileJava(m_site.path(), QStringLiteral("Red.java"),
                        colourApplet(QStringLiteral("Red"), 200, 30, 40)));
    QVERIFY(compileJava(m_site.path(), QStringLiteral("Thrower.java"), throwingApplet()));
    QVERIFY(compileJava(m_site.path(), QStringLiteral("Plain.java"), anyNameClass()));
    QVERIFY(compileJava(m_site.path(), QStringLiteral("Cards.java"),
                        "import java.applet.Applet;\nimport java.awt.*;\n"
                        "public class Cards extends Applet {\n"
                        "    public void init() {\n"
                        "        setLayout(new BorderLayout());\n"
                        "        add(new Button(\"Next\"), BorderLayout.NORTH);\n"
                        "        Panel cards = new Panel(new CardLayout());\n"
                        "        Panel one = new Panel();\n"
                        "        one.setBackground(new Color(60, 120, 180));\n"
                        "        cards.add(one, \"one\");\n"
                        "        add(cards, BorderLayout.CENTER);\n"
                        "    }\n}\n"));
    const QString classes = m_site.filePath(QStringLiteral("classes"));
    QVERIFY(compileJava(classes, QStringLiteral("Aware.java"), pageAwareApplet()));
    QDir().mkpath(classes + QStringLiteral("/models"));
    QFile shape(classes + QStringLiteral("/models/shape.txt "));
    QVERIFY(shape.open(QIODevice::WriteOnly));
    shape.write("cube\n");
    QFile other(classes + QStringLiteral("/models/line\nbreak"));
    QVERIFY(other.open(QIODevice::WriteOnly));
}

void TestAppletBrowser::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(400, 300);
    m_browser = new AppletBrowser(m_window.get());
    m_browser->setGeometry(8, 8, 385, 249);
    m_browser->setJdk(jdkOfCompiler(javacPath()));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get(), scaled(5000)));
}

void TestAppletBrowser::cleanup()
{
    m_window.reset();
}

QString TestAppletBrowser::page(const QString &name, const QString &html) const
{
    QFile file(m_site.filePath(name));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(html.toUtf8());
    return file.fileName();
}

void TestAppletBrowser::appletRunsInsideTheArea()
{
    QSignalSpy painted(m_browser, &AppletBrowser::appletPainted);
    m_browser->Navigate(
        page(QStringLiteral("red.html"), QStringLiteral("<applet code = Red.java>\n</applet>\n")));
    QVERIFY(painted.wait(scaled(20000)));
    QCOMPARE(m_browser->message(), QString());
    QVERIFY(m_browser->surface()->isVisible());
    QCOMPARE(m_browser->surface()->size(), QSize(385, 249)); // no size on the page: the whole area
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(m_browser->surface()), QColor(200, 30, 40), scaled(10000));

    // Live: it takes real clicks and keys.
    clickOnScreen(m_browser->surface());
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(m_browser->surface()), QColor(30, 200, 40), scaled(10000));
    typeOnScreen(QStringLiteral("a"));
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(m_browser->surface()), QColor(30, 40, 200), scaled(10000));
}

void TestAppletBrowser::pageAndParametersReachTheApplet()
{
    QSignalSpy painted(m_browser, &AppletBrowser::appletPainted);
    QSignalSpy loaded(m_browser, &AppletBrowser::appletLoaded);
    m_browser->Navigate(page(QStringLiteral("aware.html"),
                             QStringLiteral("<html><body><APPLET codebase=classes code=\"pkg/Aware.class\"\n"
                                            "width=200 height=50%><param NAME=SHADE value=deep></APPLET>")));
    QVERIFY(painted.wait(scaled(20000)));
    QCOMPARE(m_browser->surface()->size(), QSize(200, 124));
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(m_browser->surface()), QColor(0, 160, 0), scaled(10000));
    // The files it loaded are named to the last character.
    QStringList names;
    for (const QList<QVariant> &report : std::as_const(loaded))
        names.append(report.constFirst().toString());
    const QString models = QFileInfo(m_site.filePath(QStringLiteral("classes/models"))).canonicalFilePath();
    QVERIFY2(names.contains(models + QStringLiteral("/shape.txt ")),
             qPrintable(names.join(QLatin1Char('|'))));
    QVERIFY2(names.contains(models + QStringLiteral("/line\nbreak")),
             qPrintable(names.join(QLatin1Char('|'))));
}

void TestAppletBrowser::readableLineInsteadOfABlank_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("withJava");
    QTest::addColumn<QString>("says");
    QTest::newRow("no applet") << QStringLiteral("<html>nothing here</html>") << true
                               << QStringLiteral("holds no applet");
    QTest::newRow("no class named") << QStringLiteral("<applet code = >") << true
                                    << QStringLiteral("names no applet class");
    QTest::newRow("class missing") << QStringLiteral("<applet code=Missing.java>") << true
                                   << QStringLiteral("The class Missing was not found");
    QTest::newRow("not an applet") << QStringLiteral("<applet code=Hello>") << true
                                   << QStringLiteral("is not an applet");
    QTest::newRow("applet throws") << QStringLiteral("<applet code=Thrower>") << true
                                   << QStringLiteral("java.lang.IllegalStateException: broken on purpose");
    QTest::newRow("java missing") << QStringLiteral("<applet code=Red>") << false
                                  << QStringLiteral("Java was not found");
}

void TestAppletBrowser::readableLineInsteadOfABlank()
{
    QFETCH(QString, html);
    QFETCH(bool, withJava);
    QFETCH(QString, says);
    if (!withJava)
        m_browser->setJdk(Jdk());
    m_browser->Navigate(page(QStringLiteral("odd.html"), html));
    QTRY_VERIFY_WITH_TIMEOUT(m_browser->message().contains(says), scaled(20000));
    QVERIFY(!m_browser->surface()->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(m_browser->hostProcessId(), 0, scaled(20000));
}

void TestAppletBrowser::hostEndsWithTheArea()
{
    QSignalSpy painted(m_browser, &AppletBrowser::appletPainted);
    m_browser->Navigate(page(QStringLiteral("red.html"), QStringLiteral("<applet code=Red>")));
    QVERIFY(painted.wait(scaled(20000)));
    const qint64 host = m_browser->hostProcessId();
    QVERIFY(processRuns(host));
    m_window.reset(); // closing the viewer destroys the area
    QTRY_VERIFY_WITH_TIMEOUT(!processRuns(host), scaled(5000));
}

// The embedded frame may get its size after the applet's first layout; every start
// must still show the applet's components, not a blank area.
void TestAppletBrowser::layoutNeverStaysBlank()
{
    const QString cards = page(QStringLiteral("cards.html"), QStringLiteral("<applet code=Cards>"));
    for (int run = 0; run < 20; ++run) {
        QSignalSpy painted(m_browser, &AppletBrowser::appletPainted);
        m_browser->Navigate(cards);
        QVERIFY(painted.wait(scaled(20000)));
        QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(m_browser->surface()), QColor(60, 120, 180), scaled(5000));
    }
}

// The first applet that paints has the host's class-data archive made; the hosts
// after it start from the archive, and run the applet as before. Once an applet
// has painted, the next host starts ahead and waits: the next run is its.
void TestAppletBrowser::hostArchiveIsMadeAndUsed()
{
    const QString folder = m_site.filePath(QStringLiteral("cds"));
    m_browser->setArchiveFolder(folder);
    const QString red = page(QStringLiteral("red.html"), QStringLiteral("<applet code=Red>"));
    QSignalSpy painted(m_browser, &AppletBrowser::appletPainted);
    m_browser->Navigate(red);
    QVERIFY(painted.wait(scaled(20000)));
    const JvmArchive archive = appletHostArchive(jdkOfCompiler(javacPath()), folder);
    QVERIFY(archive.applies());
    QTRY_VERIFY_WITH_TIMEOUT(archive.isWhole(), scaled(30000));

    m_browser->Navigate(red);
    QVERIFY(painted.wait(scaled(20000)));
    QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(m_browser->hostProcessId()));
    QVERIFY(commandLine.open(QIODevice::ReadOnly));
    QVERIFY(commandLine.readAll().contains("-XX:SharedArchiveFile=" + archive.path().toUtf8()));
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(m_browser->surface()), QColor(200, 30, 40), scaled(10000));

    QTRY_VERIFY_WITH_TIMEOUT(m_browser->spareIsWaiting(), scaled(20000));
    const qint64 ahead = m_browser->spareProcessId();
    m_browser->Navigate(page(QStringLiteral("aware.html"),
                             QStringLiteral("<applet codebase=classes code=pkg.Aware width=200 height=100>"
                                            "<param name=shade value=deep></applet>")));
    QCOMPARE(m_browser->hostProcessId(), ahead);
    QVERIFY(painted.wait(scaled(20000)));
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(m_browser->surface()), QColor(0, 160, 0), scaled(10000));
}

ZARN_XVFB_TEST_MAIN(TestAppletBrowser)
#include "tst_appletbrowser.moc"
