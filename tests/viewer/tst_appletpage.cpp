#include "AppletLaunch.h"
#include "AppletPage.h"
#include "AuthorsApplet.h"
#include "HostPage.h"
#include "JavaSources.h"
#include "LoadedFilesCopy.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

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
    void hostArguments();
    void hostPageIsExact();
    void hostPageCarriesTheAuthorsElement();
    void hostPageReplacesAndReports();
    void authorsElement_data();
    void authorsElement();
    void loadedFilesPublishedFromInsideOnly_data();
    void loadedFilesPublishedFromInsideOnly();
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
    // 4 MB of "&" without ";": minutes when every "&" searched the rest for one.
    const QString ampersands = QStringLiteral("&a").repeated(2 * 1024 * 1024);
    QTest::newRow("ampersands without end")
        << QStringLiteral("<applet code=\"A&amp;B\" width=\"%1\">").arg(ampersands) << QStringLiteral("A&B")
        << ampersands;
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
    for (const QString &bad :
         {QStringLiteral("wide"), QStringLiteral("-5"), QStringLiteral("0"), QString()}) {
        launch.width = parseAppletLength(bad);
        QCOMPARE(appletSize(launch, QSize(100, 80)).width(), 100);
    }
}

void TestAppletPage::hostArguments()
{
    AppletTag tag;
    tag.code = QStringLiteral("Clock.java");
    tag.parameters = {{QStringLiteral("Speed"), QStringLiteral("3 fast")},
                      {QStringLiteral("NAME"), QStringLiteral("mine")}};
    tag.attributes = {{QStringLiteral("align"), QStringLiteral("left")},
                      {QStringLiteral("name"), QStringLiteral("clock")},
                      {QStringLiteral("width"), QStringLiteral("100%")}};
    const AppletLaunch launch = resolveApplet(tag, QStringLiteral("/my site/page.html"));
    const QStringList arguments = appletHostArguments(QStringLiteral("/z/host.jar"), launch, QSize(385, 249),
                                                      42);
    QVERIFY(arguments.contains(QStringLiteral("java.desktop/sun.awt.X11=ALL-UNNAMED")));
    QCOMPARE(arguments.mid(arguments.indexOf(QStringLiteral("--class")), 2),
             (QStringList{QStringLiteral("--class"), QStringLiteral("Clock")}));
    QCOMPARE(arguments.mid(arguments.indexOf(QStringLiteral("--codebase")), 2),
             (QStringList{QStringLiteral("--codebase"), QStringLiteral("file:///my%20site/")}));
    QCOMPARE(arguments.mid(arguments.indexOf(QStringLiteral("--params")), 2),
             (QStringList{QStringLiteral("--params"), QStringLiteral("6")}));
    // The <param>s first, then the element's attributes no <param> names; the size in pixels.
    QCOMPARE(appletHostParameters(launch, QSize(385, 249)),
             QByteArray("param Speed 3%20fast\nparam NAME mine\nparam width 385\nparam height 249\n"
                        "param align left\nparam code Clock.java\n"));
    QCOMPARE(arguments.mid(arguments.indexOf(QStringLiteral("--embed")), 2),
             (QStringList{QStringLiteral("--embed"), QStringLiteral("42")}));
    QVERIFY(!appletHostArguments(QStringLiteral("/z/host.jar"), launch, QSize(1, 1), 0)
                 .contains(QStringLiteral("--embed")));
    QVERIFY(!arguments.contains(QStringLiteral("--wait")));

    // A page in the temp folder for a source elsewhere: classes from the temp folder
    // first, the source's folder as code and document base, the host waiting to load.
    const QStringList compiled = appletHostArguments(
        QStringLiteral("/z/host.jar"),
        resolveCompiledApplet(tag, QStringLiteral("/app/temp/temp.html"),
                              {QStringLiteral("/my work"), QString(), QString()}),
        QSize(385, 249), 42);
    for (const QStringList &pair :
         {QStringList{QStringLiteral("--classes"), QStringLiteral("file:///app/temp/")},
          QStringList{QStringLiteral("--codebase"), QStringLiteral("file:///my%20work/")},
          QStringList{QStringLiteral("--document"), QStringLiteral("file:///my%20work/")},
          QStringList{QStringLiteral("--sources"), QStringLiteral("/my work")}})
        QCOMPARE(compiled.mid(compiled.indexOf(pair[0]), 2), pair);
    QVERIFY(compiled.contains(QStringLiteral("--wait")));
    QVERIFY(!compiled.contains(QStringLiteral("--root"))); // the code base already

    // The author's page and code base for a packaged source: a code base that is
    // there comes before the package root; one that is not falls back to it.
    QTemporaryDir work;
    QVERIFY(QDir(work.path()).mkpath(QStringLiteral("res")));
    const QString page = work.filePath(QStringLiteral("One.html"));
    const AppletLaunch there = resolveCompiledApplet(tag, QStringLiteral("/app/temp/temp.html"),
                                                     {work.path(), page, QStringLiteral("res/")});
    QCOMPARE(there.codeBase.toLocalFile(), work.filePath(QStringLiteral("res/")));
    QCOMPARE(there.packageRoot.toLocalFile(), work.path() + QLatin1Char('/'));
    QCOMPARE(there.documentBase.toLocalFile(), page);
    QCOMPARE(there.workingFolder(), work.path());
    QVERIFY(appletHostArguments(QString(), there, QSize(1, 1), 0).contains(QStringLiteral("--root")));
    const AppletLaunch missing = resolveCompiledApplet(tag, QStringLiteral("/app/temp/temp.html"),
                                                       {work.path(), page, QStringLiteral("build/classes")});
    QCOMPARE(missing.codeBase, there.packageRoot);
}

void TestAppletPage::hostPageIsExact()
{
    QCOMPARE(
        hostPageText(QStringLiteral("Clock.java")),
        QByteArray("<html>\n<body>\n<div align = center>\n<applet code = Clock.java>\n</applet>\n</div>\n"
                   "</body>\n</html>\n"));
    QVERIFY(hostPageText(QString()).contains("\n<applet code = >\n"));
    QVERIFY(hostPageText(QStringLiteral("My Clock.class")).contains("\n<applet code = My Clock.class>\n"));
    QVERIFY(hostPageText(QStringLiteral("a\\b\\C.java")).contains("<applet code = a\\b\\C.java>"));
}

void TestAppletPage::hostPageCarriesTheAuthorsElement()
{
    AppletTag authors;
    authors.code = QStringLiteral("elsewhere/Clock.class");
    authors.codebase = QStringLiteral("../classes");
    authors.width = QStringLiteral("600");
    authors.height = QStringLiteral("50%");
    authors.parameters = {{QStringLiteral("label"), QStringLiteral("say \"<hi>\" & go")},
                          {QStringLiteral("empty"), QString()}};
    const QByteArray page = hostPageText(QStringLiteral("Clock.java"), &authors);
    QCOMPARE(page, QByteArray("<html>\n<body>\n<div align = center>\n"
                              "<applet code = Clock.java width = \"600\" height = \"50%\">\n"
                              "<param name = \"label\" value = \"say &quot;&lt;hi&gt;&quot; &amp; go\">\n"
                              "<param name = \"empty\" value = \"\">\n"
                              "</applet>\n</div>\n</body>\n</html>\n"));
    // Read back, the page gives the author's values; code and code base stay Zarn's.
    const std::optional<AppletTag> read = findApplet(QString::fromUtf8(page));
    QVERIFY(read);
    QCOMPARE(read->code, QStringLiteral("Clock.java"));
    QCOMPARE(read->codebase, QString());
    QCOMPARE(read->width, authors.width);
    QCOMPARE(read->parameters[0].value, authors.parameters[0].value);
    QCOMPARE(read->parameters.size(), 2);
}

void TestAppletPage::hostPageReplacesAndReports()
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("temp.html"));
    QCOMPARE(WriteHostPage(QStringLiteral("A Long Name.java"), page), QString());
    QCOMPARE(WriteHostPage(QStringLiteral("B.java"), page), QString());
    QFile file(page);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), hostPageText(QStringLiteral("B.java"))); // replaced, never grown
    QVERIFY(
        !WriteHostPage(QStringLiteral("C.java"), dir.filePath(QStringLiteral("none/page.html"))).isEmpty());
}

void TestAppletPage::authorsElement_data()
{
    QTest::addColumn<QStringList>("files"); // name, then content, for each file beside Clock.java
    QTest::addColumn<QString>("width");     // of the element found; "none" when there is none

    const QString applet = QStringLiteral("public class Clock extends java.applet.Applet { }\n");
    QTest::newRow("none anywhere") << QStringList{QStringLiteral("Clock.java"), applet}
                                   << QStringLiteral("none");
    QTest::newRow("block comment") << QStringList{
        QStringLiteral("Clock.java"),
        QStringLiteral("/*\n * <applet code=\"Clock.class\"\n *   width=300 height=200>\n"
                       " * <param name=a value=b>\n * </applet>\n */\n")
            + applet} << QStringLiteral("300");
    QTest::newRow("line comments")
        << QStringList{QStringLiteral("Clock.java"),
                       applet + QStringLiteral("// <applet code=Clock width=310\n// height=90></applet>\n")}
        << QStringLiteral("310");
    QTest::newRow("strings are no comments")
        << QStringList{QStringLiteral("Clock.java"),
                       QStringLiteral(
                           "class Clock { String s = \"/* <applet code=Clock width=1> */\"; char q = '\"'; "
                           "String t = \"\"\"\n// <applet code=Clock width=2>\n\"\"\"; }\n")}
        << QStringLiteral("none");
    QTest::newRow("another class's element")
        << QStringList{QStringLiteral("Clock.java"),
                       QStringLiteral("// <applet code=Other width=5></applet>\n") + applet,
                       QStringLiteral("other.html"), QStringLiteral("<applet code=Other.class width=6>")}
        << QStringLiteral("none");
    QTest::newRow("comment before page")
        << QStringList{QStringLiteral("Clock.java"),
                       QStringLiteral("// <applet code=Clock width=7></applet>\n") + applet,
                       QStringLiteral("Clock.html"), QStringLiteral("<applet code=Clock width=8>")}
        << QStringLiteral("7");
    QTest::newRow("page named after the class first")
        << QStringList{QStringLiteral("Clock.java"),
                       applet,
                       QStringLiteral("a.html"),
                       QStringLiteral("<applet code=Clock width=111>"),
                       QStringLiteral("clock.HTM"),
                       QStringLiteral("<p><applet code=First><applet code=\"Clock.class\" width=222>")}
        << QStringLiteral("222");
    QTest::newRow("then name order")
        << QStringList{QStringLiteral("Clock.java"), applet,
                       QStringLiteral("b.html"),     QStringLiteral("<applet code=Clock width=2>"),
                       QStringLiteral("a.htm"),      QStringLiteral("<applet code=Clock width=1>"),
                       QStringLiteral("notes.txt"),  QStringLiteral("<applet code=Clock width=3>")}
        << QStringLiteral("1");
    QTest::newRow("packaged, page in the package root")
        << QStringList{QStringLiteral("a/b/Clock.java"), applet, QStringLiteral("index.html"),
                       QStringLiteral("<applet code=\"a/b/Clock.class\" codebase=bin width=12>")}
        << QStringLiteral("12");
    QTest::newRow("packaged, its own folder first")
        << QStringList{QStringLiteral("a/b/Clock.java"), applet,
                       QStringLiteral("Clock.html"),     QStringLiteral("<applet code=a.b.Clock width=14>"),
                       QStringLiteral("a/b/Clock.html"), QStringLiteral("<applet code=a.b.Clock width=13>")}
        << QStringLiteral("13");
}

void TestAppletPage::authorsElement()
{
    QFETCH(QStringList, files);
    QFETCH(QString, width);
    QTemporaryDir folder;
    for (qsizetype i = 0; i + 1 < files.size(); i += 2) {
        QVERIFY(QDir(folder.path()).mkpath(QFileInfo(files[i]).path()));
        QFile file(folder.filePath(files[i]));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(files[i + 1].toUtf8());
    }
    // The source comes first; in folders a/b it declares package a.b.
    const QString package = QFileInfo(files[0]).path().replace(QLatin1Char('/'), QLatin1Char('.'));
    const std::optional<AuthorsApplet> found = authorsApplet(
        folder.filePath(files[0]),
        package == QLatin1String(".") ? QString() : package + QStringLiteral(".Clock"), folder.path());
    QCOMPARE(found ? found->tag.width : QStringLiteral("none"), width);
    if (width == QLatin1String("300"))
        QCOMPARE(found->tag.parameters.size(), 1);
    if (width == QLatin1String("12"))
        QCOMPARE(found->page, folder.filePath(QStringLiteral("index.html")));
}

// What an applet loaded is published only when it is a regular file in its folders:
// a FIFO put in its place is not opened to wait for a writer, and a link (or a
// linked folder) leading out of the site publishes nothing from outside.
void TestAppletPage::loadedFilesPublishedFromInsideOnly_data()
{
    QTest::addColumn<QString>("loaded");  // relative to the code base
    QTest::addColumn<QString>("kind");    // "file", "fifo", or "link:" and where it leads from the code base
    QTest::addColumn<QString>("problem"); // empty: copied
    QTest::newRow("a regular file") << QStringLiteral("data/a.txt") << QStringLiteral("file") << QString();
    QTest::newRow("a FIFO") << QStringLiteral("data/a.txt") << QStringLiteral("fifo")
                            << QStringLiteral("not a regular file");
    QTest::newRow("a link to a file outside")
        << QStringLiteral("link.txt") << QStringLiteral("link:../outside/secret.txt")
        << QStringLiteral("outside the applet's folders");
    QTest::newRow("a folder linked outside")
        << QStringLiteral("etc/secret.txt") << QStringLiteral("link:../outside")
        << QStringLiteral("outside the applet's folders");
    QTest::newRow("a link to a file inside")
        << QStringLiteral("alias.txt") << QStringLiteral("link:data/b.txt") << QString();
    // Written over when the user says so, never opened to be compared.
    QTest::newRow("a FIFO where the copy goes")
        << QStringLiteral("data/a.txt") << QStringLiteral("file at a fifo") << QString();
    QTest::newRow("a name ending in a space")
        << QStringLiteral("data/t ") << QStringLiteral("file") << QString();
}

void TestAppletPage::loadedFilesPublishedFromInsideOnly()
{
    QFETCH(QString, loaded);
    QFETCH(QString, kind);
    QFETCH(QString, problem);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString site = folder.filePath(QStringLiteral("site/"));
    const auto write = [](const QString &path, const QByteArray &bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QVERIFY(write(site + QStringLiteral("A.java"), "public class A extends java.applet.Applet {}\n"));
    QVERIFY(write(folder.filePath(QStringLiteral("outside/secret.txt")), "secret\n"));
    QVERIFY(write(site + QStringLiteral("data/b.txt"), "inside\n"));
    const QString path = site + loaded;
    if (kind.startsWith(QLatin1String("file"))) {
        QVERIFY(write(path, "data\n"));
    } else if (kind == QLatin1String("fifo")) {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else { // the link lies in the code base, and leads on from there
        const QString link = site + loaded.section(QLatin1Char('/'), 0, 0);
        QCOMPARE(::symlink(QFile::encodeName(kind.mid(5)).constData(), QFile::encodeName(link).constData()),
                 0);
    }

    AppletLaunch launch;
    launch.codeBase = QUrl::fromLocalFile(site);
    launch.documentBase = QUrl::fromLocalFile(site + QStringLiteral("A.html"));
    AppletFiles files;
    files.begin(site + QStringLiteral("A.java"), launch, folder.filePath(QStringLiteral("temp")));
    files.ran();
    files.loaded(path);
    const std::optional<QStringList> relative = files.relativePaths(site + QStringLiteral("A.java"));
    QVERIFY(relative);
    QCOMPARE(*relative, QStringList{loaded});
    const QString published = folder.filePath(QStringLiteral("published/"));
    if (kind == QLatin1String("file at a fifo")) {
        QVERIFY(QDir().mkpath(QFileInfo(published + loaded).absolutePath()));
        QCOMPARE(::mkfifo(QFile::encodeName(published + loaded).constData(), 0600), 0);
    }
    LoadedFilesCopy copy(files, *relative, published, [](const QString &) { return true; });
    std::optional<CopiedFiles> finished;
    connect(&copy, &LoadedFilesCopy::finished, this, [&finished](const CopiedFiles &copied, bool cancelled) {
        if (!cancelled)
            finished = copied;
    });
    copy.start();
    QTRY_VERIFY(finished);
    const CopiedFiles &copied = *finished;
    QCOMPARE(copied.carried, problem.isEmpty() ? 1 : 0);
    QCOMPARE(QFileInfo::exists(published + loaded), problem.isEmpty());
    if (problem.isEmpty()) {
        QVERIFY(copied.problems.isEmpty());
        QFile copy(published + loaded);
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(),
                 kind.startsWith(QLatin1String("file")) ? QByteArray("data\n") : QByteArray("inside\n"));
    } else {
        QCOMPARE(copied.problems.size(), 1);
        QVERIFY2(copied.problems.constFirst().startsWith(QDir::toNativeSeparators(path) + QLatin1Char(':'))
                     && copied.problems.constFirst().contains(problem),
                 qPrintable(copied.problems.constFirst()));
    }
}

QTEST_GUILESS_MAIN(TestAppletPage)
#include "tst_appletpage.moc"
