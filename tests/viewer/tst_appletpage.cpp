#include "AppletLaunch.h"
#include "AppletPage.h"
#include "JavaSources.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestAppletPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageQuirks_data();
    void pageQuirks();
    void noApplet_data();
    void noApplet();
    void parameters();
    void classNames_data();
    void classNames();
    void codeBaseAndArchives();
    void sizes();
    void javaIsFoundInOrder();
    void hostArguments();
};

void TestAppletPage::pageQuirks_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("width");

    QTest::newRow("as View > Applet writes it") << QStringLiteral(
        "<html>\n<body>\n<div align = center>\n<applet code = Clock.java>\n</applet>\n</div>\n"
        "</body>\n</html>\n") << QStringLiteral("Clock.java")
                                                << QString();
    QTest::newRow("quoted, any case")
        << QStringLiteral("<APPLET Code=\"My Clock.class\" WIDTH='50%'></APPLET>")
        << QStringLiteral("My Clock.class") << QStringLiteral("50%");
    QTest::newRow("across line breaks") << QStringLiteral("<applet\n  code\n=\nClock\n  width=300\n>")
                                        << QStringLiteral("Clock") << QStringLiteral("300");
    QTest::newRow("greater-than inside quotes")
        << QStringLiteral("<applet alt=\"a > b\" code=A>") << QStringLiteral("A") << QString();
    QTest::newRow("entities in values") << QStringLiteral("<applet code=\"a&amp;b\" width=&#49;0>")
                                        << QStringLiteral("a&b") << QStringLiteral("10");
    QTest::newRow("escaped text is no tag")
        << QStringLiteral("<p>Use &lt;applet code=Fake&gt; like this:</p><applet code=Real>")
        << QStringLiteral("Real") << QString();
    QTest::newRow("comment is no tag") << QStringLiteral("<!-- <applet code=Old> --><applet code=New>")
                                       << QStringLiteral("New") << QString();
    QTest::newRow("script text is no tag")
        << QStringLiteral("<script>var s = '<applet code=Js>';</script><applet code=Page>")
        << QStringLiteral("Page") << QString();
    QTest::newRow("first of several") << QStringLiteral("<applet code=First></applet><applet code=Second>")
                                      << QStringLiteral("First") << QString();
    QTest::newRow("lone less-than in text")
        << QStringLiteral("1 < 2 <applet code=A>") << QStringLiteral("A") << QString();
    QTest::newRow("unterminated") << QStringLiteral("<applet code=\"Half") << QStringLiteral("Half")
                                  << QString();
}

void TestAppletPage::pageQuirks()
{
    QFETCH(QString, html);
    QFETCH(QString, code);
    QFETCH(QString, width);
    const std::optional<AppletTag> tag = findApplet(html);
    QVERIFY(tag);
    QCOMPARE(tag->code, code);
    QCOMPARE(tag->width, width);
}

void TestAppletPage::noApplet_data()
{
    QTest::addColumn<QString>("html");
    QTest::newRow("empty") << QString();
    QTest::newRow("plain page") << QStringLiteral("<html><body>Hello</body></html>");
    QTest::newRow("only escaped") << QStringLiteral("&lt;applet code=A&gt;");
    QTest::newRow("similar tag") << QStringLiteral("<applets code=A><object code=B>");
}

void TestAppletPage::noApplet()
{
    QFETCH(QString, html);
    QVERIFY(!findApplet(html));
}

void TestAppletPage::parameters()
{
    const std::optional<AppletTag> tag = findApplet(
        QStringLiteral("<applet code=A><PARAM NAME=Speed VALUE=\"3\"><param name='label' value='a \"b\"'/>\n"
                       "<param value=x><param name=empty></applet><param name=after value=no>"));
    QVERIFY(tag);
    QCOMPARE(tag->parameters.size(), 3);
    QCOMPARE(tag->parameters[0].name, QStringLiteral("Speed"));
    QCOMPARE(tag->parameters[0].value, QStringLiteral("3"));
    QCOMPARE(tag->parameters[1].value, QStringLiteral("a \"b\""));
    QCOMPARE(tag->parameters[2].name, QStringLiteral("empty"));
    QCOMPARE(tag->parameters[2].value, QString());
}

void TestAppletPage::classNames_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("className");
    QTest::newRow("bare") << QStringLiteral("Clock") << QStringLiteral("Clock");
    QTest::newRow("class file") << QStringLiteral("Clock.class") << QStringLiteral("Clock");
    QTest::newRow("java source") << QStringLiteral("Clock.java") << QStringLiteral("Clock");
    QTest::newRow("package dots") << QStringLiteral("pkg.Clock") << QStringLiteral("pkg.Clock");
    QTest::newRow("package path") << QStringLiteral("pkg/sub/Clock.class") << QStringLiteral("pkg.sub.Clock");
    QTest::newRow("upper-case suffix") << QStringLiteral("Clock.CLASS") << QStringLiteral("Clock");
    QTest::newRow("blanks") << QStringLiteral(" Clock ") << QStringLiteral("Clock");
    QTest::newRow("empty") << QString() << QString();
}

void TestAppletPage::classNames()
{
    QFETCH(QString, code);
    QFETCH(QString, className);
    QCOMPARE(appletClassName(code), className);
}

void TestAppletPage::codeBaseAndArchives()
{
    AppletTag tag;
    tag.code = QStringLiteral("pkg/Aware.class");
    const AppletLaunch here = resolveApplet(tag, QStringLiteral("/site/pages/index.html"));
    QCOMPARE(here.codeBase.toString(), QStringLiteral("file:///site/pages/"));
    QCOMPARE(here.documentBase.toString(), QStringLiteral("file:///site/pages/index.html"));
    QCOMPARE(here.className, QStringLiteral("pkg.Aware"));

    tag.codebase = QStringLiteral("../classes");
    tag.archive = QStringLiteral("lib/a.jar, b.jar");
    const AppletLaunch relative = resolveApplet(tag, QStringLiteral("/site/pages/index.html"));
    QCOMPARE(relative.codeBase.toString(), QStringLiteral("file:///site/classes/"));
    QCOMPARE(relative.archives.size(), 2);
    QCOMPARE(relative.archives[0].toString(), QStringLiteral("file:///site/classes/lib/a.jar"));
    QCOMPARE(relative.archives[1].toString(), QStringLiteral("file:///site/classes/b.jar"));

    tag.codebase = QStringLiteral("/opt/my applets/");
    QCOMPARE(resolveApplet(tag, QStringLiteral("/site/index.html")).codeBase.toLocalFile(),
             QStringLiteral("/opt/my applets/"));
}

void TestAppletPage::sizes()
{
    AppletLaunch launch;
    QCOMPARE(appletSize(launch, QSize(385, 249)), QSize(385, 249)); // no size: the whole area
    launch.width = parseAppletLength(QStringLiteral("200"));
    launch.height = parseAppletLength(QStringLiteral("50%"));
    QCOMPARE(appletSize(launch, QSize(385, 249)), QSize(200, 124));
    launch.width = parseAppletLength(QStringLiteral("120px"));
    launch.height = parseAppletLength(QStringLiteral("250 %"));
    QCOMPARE(appletSize(launch, QSize(385, 249)), QSize(120, 249));
    for (const QString &bad : {QStringLiteral("wide"), QStringLiteral("-5"), QStringLiteral("0"), QString()})
        QCOMPARE(appletSize({QString(), {}, {}, {}, parseAppletLength(bad), {}, {}}, QSize(100, 80)).width(),
                 100);
}

void TestAppletPage::javaIsFoundInOrder()
{
    QTemporaryDir dir;
    auto makeJava = [&](const QString &folder) {
        return writeFakeProgram(dir.filePath(folder + QStringLiteral("/java")));
    };
    const QString beside = makeJava(QStringLiteral("jdk/bin"));
    const QString home = makeJava(QStringLiteral("home/bin"));
    const QString onPath = makeJava(QStringLiteral("path"));
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("JAVA_HOME"), dir.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("PATH"), dir.filePath(QStringLiteral("path")));

    const QString jvm = dir.filePath(QStringLiteral("jvm"));
    const QString inJvm = makeJava(QStringLiteral("jvm/some-jdk/bin"));

    QCOMPARE(findJava(dir.filePath(QStringLiteral("jdk/bin/javac")), environment, jvm), beside);
    QCOMPARE(findJava(dir.filePath(QStringLiteral("nowhere/javac")), environment, jvm), home);
    QCOMPARE(findJava(QString(), environment, jvm), home);
    // A compiler named without its folder has nothing beside it, and the current
    // folder is never looked in.
    QDir::setCurrent(dir.filePath(QStringLiteral("jdk/bin")));
    QCOMPARE(findJava(QStringLiteral("javac"), environment, jvm), home);
    environment.remove(QStringLiteral("JAVA_HOME"));
    QCOMPARE(findJava(QString(), environment, jvm), onPath);
    environment.insert(QStringLiteral("PATH"), QStringLiteral("."));
    QCOMPARE(findJava(QStringLiteral("javac"), environment, jvm), inJvm);
    QCOMPARE(findJava(QString(), environment, dir.filePath(QStringLiteral("empty"))), QString());
    QDir::setCurrent(QDir::tempPath());
}

void TestAppletPage::hostArguments()
{
    AppletTag tag;
    tag.code = QStringLiteral("Clock.java");
    tag.parameters = {{QStringLiteral("Speed"), QStringLiteral("3 fast")}};
    const AppletLaunch launch = resolveApplet(tag, QStringLiteral("/my site/page.html"));
    const QStringList arguments = appletHostArguments(QStringLiteral("/z/host.jar"), launch, QSize(385, 249),
                                                      42);
    QVERIFY(arguments.contains(QStringLiteral("java.desktop/sun.awt.X11=ALL-UNNAMED")));
    QCOMPARE(arguments.mid(arguments.indexOf(QStringLiteral("--class")), 2),
             (QStringList{QStringLiteral("--class"), QStringLiteral("Clock")}));
    QCOMPARE(arguments.mid(arguments.indexOf(QStringLiteral("--codebase")), 2),
             (QStringList{QStringLiteral("--codebase"), QStringLiteral("file:///my%20site/")}));
    QCOMPARE(arguments.mid(arguments.indexOf(QStringLiteral("--param")), 3),
             (QStringList{QStringLiteral("--param"), QStringLiteral("Speed"), QStringLiteral("3 fast")}));
    QCOMPARE(arguments.mid(arguments.indexOf(QStringLiteral("--embed")), 2),
             (QStringList{QStringLiteral("--embed"), QStringLiteral("42")}));
    QVERIFY(!appletHostArguments(QStringLiteral("/z/host.jar"), launch, QSize(1, 1), 0)
                 .contains(QStringLiteral("--embed")));
}

QTEST_GUILESS_MAIN(TestAppletPage)
#include "tst_appletpage.moc"
