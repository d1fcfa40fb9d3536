// Journeys through the real zarn executable on a private X server, driven from
// outside the process with real keyboard and mouse events, checked on the screen
// and in the files it writes.
#include "AppletTesting.h"
#include "Desktop.h"
#include "FontTables.h"
#include "TestJdks.h"
#include "TestTime.h"
#include "XvfbDisplay.h"
#include "ZarnSession.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFontMetrics>
#include <QScopeGuard>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <fstream>

namespace {

const QColor Red(200, 30, 40);
const QColor Blue(30, 40, 200);

// The lines of an applet that paints colour, after its two imports, indented as
// the pane indents them while they are typed without their indentation.
QStringList appletLines(const QColor &colour)
{
    return {
        QStringLiteral("public class Hello extends Applet {"),
        QStringLiteral("    public void paint(Graphics g) {"),
        QStringLiteral("        g.setColor(new Color(%1, %2, %3));")
            .arg(colour.red())
            .arg(colour.green())
            .arg(colour.blue()),
        QStringLiteral("        g.fillRect(0, 0, getWidth(), getHeight());"),
        QStringLiteral("    }"),
        QStringLiteral("}"),
    };
}

// The keys that type lines, each without its indentation, Return after each.
QString keystrokes(const QStringList &lines)
{
    QString keys;
    for (const QString &line : lines)
        keys += line.trimmed() + QLatin1Char('\r'); // \r: the Return key
    return keys;
}

// Writes text to folder/name; its path, or nothing when it could not be written.
QString writeSource(const QTemporaryDir &folder, const QString &name, const QByteArray &text)
{
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return {};
    return file.fileName();
}

// The file the typing below gives.
QByteArray typedApplet(const QColor &colour)
{
    return "import java.applet.*;\nimport java.awt.*;\n"
           + appletLines(colour).join(QLatin1Char('\n')).toUtf8() + '\n';
}

} // namespace

class TestJourneys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void typeWithCompletionAndSaveAs();
    void openViewEditView();
    void publishBothWays();
    void everyJdkViewsAndPublishes_data();
    void everyJdkViewsAndPublishes();
    void optionsSurviveARestart();
    void secondHourOfALearner();
    void unsavedTextAndCtrlQ();
    void keysTypedWhileALargeFileOpens();
    void projectOfTwoFilesWithTheComfortsOn();
    void compilesEndWell_data();
    void compilesEndWell();
    void installedZarnFromItsMenuEntry();
    void learnersFirstApplet();
    void unsavedTextOutlivesAKill_data();
    void unsavedTextOutlivesAKill();
    void nothingOutlivesZarn_data();
    void nothingOutlivesZarn();

private:
    // Opens path through File > Open and its dialog.
    static bool openFile(const ZarnSession &zarn, const QString &path);
    // Runs View > Applet; the viewer's browser area once the viewer shows.
    static QRect viewApplet(const ZarnSession &zarn);
    static bool listShows(const ZarnSession &zarn);
    // Types the applet into the pane, its imports with the completion list.
    static void typeApplet(const ZarnSession &zarn, const QColor &colour);
};

void TestJourneys::initTestCase()
{
    QVERIFY(!javacPath().isEmpty());
}

bool TestJourneys::listShows(const ZarnSession &zarn)
{
    // The open list has its entries written where the empty pane is blank.
    return Desktop::inkCount(Desktop::grab(QRect(zarn.at(210, 154), QSize(90, 52)))) > 40;
}

void TestJourneys::typeApplet(const ZarnSession &zarn, const QColor &colour)
{
    Desktop::type(QStringLiteral("import java."));
    QTRY_VERIFY_WITH_TIMEOUT(listShows(zarn), scaled(10000));
    Desktop::keys({QStringLiteral("a"), QStringLiteral("Return")}); // "applet", found by its letter
    Desktop::type(QStringLiteral(".*;"));                           // java.applet has no list
    Desktop::keys({QStringLiteral("Return")});
    Desktop::type(QStringLiteral("import java."));
    QTRY_VERIFY_WITH_TIMEOUT(listShows(zarn), scaled(10000));
    Desktop::keys({QStringLiteral("Down"), QStringLiteral("Down"), QStringLiteral("Return")}); // "awt"
    // The dot behind java.awt opens its own list; a click back into the pane closes it.
    Desktop::type(QStringLiteral("."));
    QTRY_VERIFY_WITH_TIMEOUT(listShows(zarn), scaled(10000));
    Desktop::click(zarn.at(100, 300));
    Desktop::keys({QStringLiteral("ctrl+End")});
    Desktop::type(QStringLiteral("*;"));
    Desktop::keys({QStringLiteral("Return")});
    for (const QString &line : appletLines(colour)) {
        Desktop::type(line.trimmed()); // the pane indents
        Desktop::keys({QStringLiteral("Return")});
    }
}

bool TestJourneys::openFile(const ZarnSession &zarn, const QString &path)
{
    zarn.focus();
    zarn.menu(QStringLiteral("f"), 1); // File > Open
    return zarn.answerFileDialog(QStringLiteral("Open"), path);
}

QRect TestJourneys::viewApplet(const ZarnSession &zarn)
{
    zarn.focus();
    zarn.menu(QStringLiteral("v"), 0); // View > Applet
    const QString viewer = Desktop::waitForWindow(QStringLiteral("^View Applet$"), zarn.pid());
    if (viewer.isEmpty())
        return {};
    return QRect(Desktop::geometry(viewer).topLeft() + QPoint(8, 8), QSize(385, 249));
}

void TestJourneys::typeWithCompletionAndSaveAs()
{
    ZarnSession zarn;
    QVERIFY(zarn.start());
    typeApplet(zarn, Red);

    QTemporaryDir work;
    const QString path = work.filePath(QStringLiteral("Hello.java"));
    zarn.menu(QStringLiteral("f"), 3); // File > Save As
    QVERIFY(zarn.answerFileDialog(QStringLiteral("Save As"), path));
    QFile saved(path);
    QTRY_VERIFY_WITH_TIMEOUT(saved.exists(), scaled(10000));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), typedApplet(Red));

    zarn.focus(); // the closed dialog took the keyboard focus with it
    Desktop::keys({QStringLiteral("ctrl+q")});
    QVERIFY(zarn.waitForExit());
}

void TestJourneys::openViewEditView()
{
    ZarnSession zarn;
    QTemporaryDir work;
    const QString path = writeSource(work, QStringLiteral("Hello.java"), typedApplet(Red));
    QVERIFY(!path.isEmpty());
    zarn.writeFile(QStringLiteral("Options.dat"), "0,0,\"" + javacPath().toUtf8() + "\"\r\n");
    QVERIFY(zarn.start());
    QVERIFY(openFile(zarn, path));

    zarn.focus();
    zarn.menu(QStringLiteral("v"), 0);
    QVERIFY(zarn.waitForStatus(QStringLiteral("Compiling Class")));
    QVERIFY(zarn.waitForStatus(QStringLiteral("Done Compiling")));
    const QString viewer = Desktop::waitForWindow(QStringLiteral("^View Applet$"), zarn.pid());
    QVERIFY(!viewer.isEmpty());
    const QRect area(Desktop::geometry(viewer).topLeft() + QPoint(8, 8), QSize(385, 249));
    QTRY_COMPARE_WITH_TIMEOUT(Desktop::colourAt(area.center()), Red, scaled(20000));

    Desktop::click(Desktop::geometry(viewer).topLeft() + QPoint(160 + 36, 264 + 12)); // Close
    QVERIFY(Desktop::waitForNoWindow(QStringLiteral("^View Applet$"), zarn.pid()));

    // Edit: all of it, typed anew with another colour; File > Save; view again.
    zarn.focus();
    Desktop::click(zarn.at(200, 200));
    Desktop::keys({QStringLiteral("ctrl+a"), QStringLiteral("Delete")});
    typeApplet(zarn, Blue);
    zarn.menu(QStringLiteral("f"), 2); // File > Save
    auto saved = [&] {
        QFile again(path);
        return again.open(QIODevice::ReadOnly) && again.readAll().contains("new Color(30, 40, 200)");
    };
    QTRY_VERIFY_WITH_TIMEOUT(saved(), scaled(10000));
    const QRect again = viewApplet(zarn);
    QVERIFY(again.isValid());
    QTRY_COMPARE_WITH_TIMEOUT(Desktop::colourAt(again.center()), Blue, scaled(20000));
}

void TestJourneys::publishBothWays()
{
    ZarnSession zarn;
    QTemporaryDir work;
    QTemporaryDir site;
    const QString path = writeSource(work, QStringLiteral("Hello.java"), helloApplet());
    QVERIFY(!path.isEmpty());
    zarn.writeFile(QStringLiteral("Options.dat"), "0,0,\"" + javacPath().toUtf8() + "\"\r\n");
    QVERIFY(zarn.start());
    QVERIFY(openFile(zarn, path));

    zarn.focus();
    Desktop::keys({QStringLiteral("F5")}); // Publish > Applet
    QVERIFY(zarn.answerFileDialog(QStringLiteral("Publish Class In"),
                                  site.filePath(QStringLiteral("Anything.class"))));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(site.filePath(QStringLiteral("Hello.class"))), scaled(30000));
    QVERIFY(!QFile::exists(site.filePath(QStringLiteral("Anything.class"))));

    QVERIFY(QFile::remove(site.filePath(QStringLiteral("Hello.class"))));
    zarn.focus();
    zarn.menu(QStringLiteral("p"), 1); // Publish > Applet With Html
    QVERIFY(zarn.answerFileDialog(QStringLiteral("Publish Class File As"),
                                  site.filePath(QStringLiteral("MyName.class"))));
    QVERIFY(zarn.answerFileDialog(QStringLiteral("Publish Html File As"),
                                  site.filePath(QStringLiteral("page.html"))));
    QVERIFY(QFile::exists(site.filePath(QStringLiteral("Hello.class"))));
    QFile page(site.filePath(QStringLiteral("page.html")));
    QTRY_VERIFY_WITH_TIMEOUT(page.exists(), scaled(10000));
    QVERIFY(page.open(QIODevice::ReadOnly));
    QVERIFY(page.readAll().contains("\n<applet code = MyName.class>\n"));
    const QString published = QStringLiteral("Published Hello.class and page.html");
    QVERIFY(zarn.waitForStatus(published + QStringLiteral("; the files it loads are not known yet")));
}

void TestJourneys::everyJdkViewsAndPublishes_data()
{
    addJdkRows();
}

// With each JDK the settings name: the applet compiles, runs in the viewer and is
// published; a JDK without the Applet API does so with Zarn's.
void TestJourneys::everyJdkViewsAndPublishes()
{
    QFETCH(QString, javac);
    QFETCH(QString, absent);
    if (javac.isEmpty())
        QSKIP(qPrintable(absent));
    ZarnSession zarn;
    QTemporaryDir work;
    QTemporaryDir site;
    const QString path = writeSource(work, QStringLiteral("Hello.java"), typedApplet(Blue));
    QVERIFY(!path.isEmpty());
    zarn.writeFile(QStringLiteral("Options.dat"), "0,0,\"" + javac.toUtf8() + "\"\r\n");
    QVERIFY(zarn.start());
    QVERIFY(openFile(zarn, path));

    const QRect area = viewApplet(zarn);
    QVERIFY(area.isValid());
    QTRY_COMPARE_WITH_TIMEOUT(Desktop::colourAt(area.center()), Blue, scaled(30000));

    zarn.focus();
    Desktop::keys({QStringLiteral("F5")}); // Publish > Applet
    QVERIFY(zarn.answerFileDialog(QStringLiteral("Publish Class In"),
                                  site.filePath(QStringLiteral("Hello.class"))));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(site.filePath(QStringLiteral("Hello.class"))), scaled(30000));
}

// New, a class typed with Enter's indentation and a closing brace's, Ctrl+S offering
// the class's name, Ctrl+G to line 3, Ctrl+H replacing all as one undo step.
void TestJourneys::secondHourOfALearner()
{
    QTemporaryDir home; // where Zarn is started, which a new document's Save As offers
    ZarnSession zarn;
    QVERIFY(zarn.start(home.path()));
    const auto saved = [&home] {
        QFile file(home.filePath(QStringLiteral("Greeter.java")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };

    Desktop::keys({QStringLiteral("ctrl+n")});
    for (const char *line : {"public class Greeter {", "int count = 1;", "int twice = count * 2;"}) {
        Desktop::type(QString::fromLatin1(line));
        Desktop::keys({QStringLiteral("Return")});
    }
    Desktop::type(QStringLiteral("}"));
    Desktop::keys({QStringLiteral("ctrl+s")});
    const QString saveAs = Desktop::waitForWindow(QStringLiteral("^Save As$"), zarn.pid());
    QVERIFY(!saveAs.isEmpty());
    Desktop::focus(saveAs);
    Desktop::keys({QStringLiteral("Return")}); // the name it offers
    const QByteArray typed = "public class Greeter {\n    int count = 1;\n    int twice = count * 2;\n}";
    QTRY_COMPARE_WITH_TIMEOUT(saved(), typed, scaled(10000));

    zarn.focus();
    Desktop::keys({QStringLiteral("ctrl+g")});
    const QString goTo = Desktop::waitForWindow(QStringLiteral("^Go to Line$"), zarn.pid());
    QVERIFY(!goTo.isEmpty());
    Desktop::focus(goTo);
    Desktop::keys({QStringLiteral("ctrl+a")});
    Desktop::type(QStringLiteral("3"));
    Desktop::keys({QStringLiteral("Return")});
    QVERIFY(Desktop::waitForNoWindow(QStringLiteral("^Go to Line$"), zarn.pid()));
    zarn.focus();
    Desktop::type(QStringLiteral("// "));
    Desktop::keys({QStringLiteral("ctrl+h")});
    const QString replace = Desktop::waitForWindow(QStringLiteral("^Replace$"), zarn.pid());
    QVERIFY(!replace.isEmpty());
    Desktop::focus(replace);
    Desktop::type(QStringLiteral("count"));
    Desktop::keys({QStringLiteral("Tab")});
    Desktop::type(QStringLiteral("total"));
    Desktop::keys({QStringLiteral("alt+a"), QStringLiteral("Escape")});
    QVERIFY(Desktop::waitForNoWindow(QStringLiteral("^Replace$"), zarn.pid()));
    zarn.focus();
    Desktop::keys({QStringLiteral("ctrl+s")}); // named now: no dialog
    QTRY_COMPARE_WITH_TIMEOUT(
        saved(), QByteArray(typed).replace("count", "total").replace("    int twice", "//     int twice"),
        scaled(10000));
    Desktop::keys({QStringLiteral("ctrl+z"), QStringLiteral("ctrl+s")}); // Replace All is one step
    QTRY_COMPARE_WITH_TIMEOUT(saved(), QByteArray(typed).replace("    int twice", "//     int twice"),
                              scaled(10000));
}

void TestJourneys::optionsSurviveARestart()
{
    const QString compiler = QStringLiteral("/opt/jdk/bin/javac");
    {
        ZarnSession zarn;
        QVERIFY(zarn.start());
        zarn.menu(QStringLiteral("v"), 2); // View > Options
        const QString options = Desktop::waitForWindow(QStringLiteral("^Options$"), zarn.pid());
        QVERIFY(!options.isEmpty());
        const QPoint window = Desktop::geometry(options).topLeft();
        Desktop::click(window + QPoint(8 + 8 + 50, 32 + 32 + 10)); // the face box
        Desktop::keys({QStringLiteral("ctrl+a")});
        Desktop::type(QStringLiteral("Lucida Console"));
        Desktop::click(window + QPoint(8 + 8 + 50, 32 + 72 + 10)); // the size box
        Desktop::keys({QStringLiteral("ctrl+a")});
        Desktop::type(QStringLiteral("14"));
        // The "Compiler" tab, where the same Qt draws it.
        QTabBar tabs;
        tabs.addTab(QStringLiteral("IDE"));
        tabs.addTab(QStringLiteral("Compiler"));
        tabs.setExpanding(false);
        tabs.resize(409, 281);
        Desktop::click(window + QPoint(0, 8) + tabs.tabRect(1).center());
        Desktop::click(window + QPoint(8 + 96 + 120, 32 + 16 + 9)); // the location box
        Desktop::keys({QStringLiteral("ctrl+a")});
        Desktop::type(compiler);
        Desktop::click(window + QPoint(166 + 36, 297 + 12)); // OK
        QVERIFY(Desktop::waitForNoWindow(QStringLiteral("^Options$"), zarn.pid()));
        QCOMPARE(zarn.readFile(QStringLiteral("Options.dat")), "5,3,\"" + compiler.toUtf8() + "\"\r\n");

        // The same application folder, started again.
        zarn.focus();
        Desktop::keys({QStringLiteral("ctrl+q")});
        QVERIFY(zarn.waitForExit());
        QVERIFY(zarn.start());
        Desktop::type(QStringLiteral("MMMMMMMMMM"));
        // The pane shows the text in Lucida Console (or its stand-in) at 14 points.
        installFontSubstitutes();
        QFont expected(QStringLiteral("Lucida Console"));
        expected.setPointSize(14);
        const int width = QFontMetrics(expected).horizontalAdvance(QStringLiteral("MMMMMMMMMM"));
        const QRect pane(zarn.at(2, 29), QSize(480, 60));
        auto inkWidth = [&] {
            const QImage text = Desktop::ink(Desktop::grab(pane));
            int left = text.width(), right = -1;
            for (int y = 0; y < text.height(); ++y)
                for (int x = 0; x < text.width(); ++x)
                    if (text.pixelIndex(x, y)) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
            return right - left + 1;
        };
        QTRY_VERIFY2_WITH_TIMEOUT(qAbs(inkWidth() - width) <= 6,
                                  qPrintable(QStringLiteral("%1 against %2").arg(inkWidth()).arg(width)),
                                  scaled(10000));
    }
}

void TestJourneys::unsavedTextAndCtrlQ()
{
    ZarnSession zarn;
    QVERIFY(zarn.start());
    Desktop::type(QStringLiteral("unsaved work"));
    Desktop::keys({QStringLiteral("ctrl+q")});
    // The question: a second window with the program's title.
    QTRY_COMPARE_WITH_TIMEOUT(Desktop::windows(QStringLiteral("^Zarn V0.01$"), zarn.pid()).size(), 2,
                              scaled(10000));
    Desktop::keys({QStringLiteral("Escape")}); // Cancel
    QTRY_COMPARE_WITH_TIMEOUT(Desktop::windows(QStringLiteral("^Zarn V0.01$"), zarn.pid()).size(), 1,
                              scaled(10000));
    QVERIFY(zarn.running());

    zarn.focus();
    Desktop::keys({QStringLiteral("ctrl+q")});
    QTRY_COMPARE_WITH_TIMEOUT(Desktop::windows(QStringLiteral("^Zarn V0.01$"), zarn.pid()).size(), 2,
                              scaled(10000));
    Desktop::keys({QStringLiteral("n")}); // Don't Save
    QVERIFY(zarn.waitForExit());
}

// Keys typed while a large file is read and laid out reach its text once it shows.
void TestJourneys::keysTypedWhileALargeFileOpens()
{
    QTemporaryDir work;
    const QString path = work.filePath(QStringLiteral("Large.txt"));
    QFile large(path);
    QVERIFY(large.open(QIODevice::WriteOnly));
    const QByteArray line(99, 'x');
    for (int i = 0; i < 300000; ++i)
        large.write(i ? '\n' + line : line);
    large.close();
    ZarnSession zarn;
    QVERIFY(zarn.start());
    zarn.menu(QStringLiteral("f"), 1); // File > Open
    const QString dialog = Desktop::waitForWindow(QStringLiteral("^Open$"), zarn.pid());
    QVERIFY(!dialog.isEmpty());
    Desktop::focus(dialog);
    Desktop::keys({QStringLiteral("ctrl+a")});
    Desktop::type(path);
    Desktop::keys({QStringLiteral("Return"), QStringLiteral("ctrl+End"), QStringLiteral("z"),
                   QStringLiteral("ctrl+s")});
    const auto ends = [&path] {
        QFile saved(path);
        return saved.open(QIODevice::ReadOnly) && saved.size() > 16 && saved.seek(saved.size() - 4)
               && saved.readAll() == QByteArray("xxxz");
    };
    QTRY_VERIFY_WITH_TIMEOUT(ends(), scaled(60000));
    QCOMPARE(QFileInfo(path).size(), 30000000);
}

// A packaged applet and its helper, with the file in the caption and a resizable
// window: F12 to the helper, Alt+Left and Alt+Right, File > Recent Files, a resize
// kept for the next start.
void TestJourneys::projectOfTwoFilesWithTheComfortsOn()
{
    QTemporaryDir project;
    QVERIFY(QDir(project.path()).mkpath(QStringLiteral("com/me")));
    const QString game = writeSource(project, QStringLiteral("com/me/Game.java"),
                                     "package com.me;\npublic class Game extends java.applet.Applet {\n"
                                     "    Painter painter = new Painter();\n}\n");
    QVERIFY(
        !writeSource(project, QStringLiteral("com/me/Painter.java"), "package com.me;\nclass Painter {\n}\n")
             .isEmpty());
    ZarnSession zarn;
    zarn.writeFile(QStringLiteral("Workspace.ini"), "[workspace]\ncaptionShowsFile=true\nresizable=true\n");
    QVERIFY(zarn.start(QString(), QStringLiteral("^Untitled - Zarn V0.01$")));
    const auto showing = [&zarn](const char *file) {
        return !Desktop::waitForWindow(QStringLiteral("^%1 - Zarn V0.01$").arg(QLatin1String(file)),
                                       zarn.pid())
                    .isEmpty();
    };
    QVERIFY(openFile(zarn, game));
    QVERIFY(showing("Game.java"));

    Desktop::keys({QStringLiteral("ctrl+f")});
    const QString find = Desktop::waitForWindow(QStringLiteral("^Find$"), zarn.pid());
    QVERIFY(!find.isEmpty());
    Desktop::focus(find);
    Desktop::type(QStringLiteral("Painter"));
    Desktop::keys({QStringLiteral("Return"), QStringLiteral("Escape")});
    QVERIFY(Desktop::waitForNoWindow(QStringLiteral("^Find$"), zarn.pid()));
    zarn.focus();
    Desktop::keys({QStringLiteral("F12")});
    QVERIFY(showing("Painter.java"));
    Desktop::keys({QStringLiteral("alt+Left")});
    QVERIFY(showing("Game.java"));
    Desktop::keys({QStringLiteral("alt+Right")});
    QVERIFY(showing("Painter.java"));
    // File > Recent Files: Painter.java, then Game.java.
    Desktop::keys({QStringLiteral("alt+f"), QStringLiteral("Down"), QStringLiteral("Down"),
                   QStringLiteral("Down"), QStringLiteral("Down"), QStringLiteral("Right"),
                   QStringLiteral("Down"), QStringLiteral("Return")});
    QVERIFY(showing("Game.java"));

    // An error typed without pauses is marked without a compile: F8 goes to it, and
    // the status bar says what javac said.
    Desktop::keys({QStringLiteral("ctrl+End")});
    const QString broken = QStringLiteral("class Broken { int y = nope; }");
    Desktop::type(broken);
    const QString message = QStringLiteral("cannot find symbol: variable nope (location: class Broken)");
    bool marked = false;
    const QDeadlineTimer deadline(scaled(60000));
    while (!marked && !deadline.hasExpired()) {
        Desktop::keys({QStringLiteral("F8")}); // nothing to go to until the check has been
        marked = zarn.waitForStatus(message, 500);
    }
    QVERIFY(marked);
    Desktop::keys({QStringLiteral("ctrl+s")});
    const auto saved = [&game] {
        QFile file(game);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QTRY_VERIFY_WITH_TIMEOUT(saved().endsWith(broken.toUtf8()), scaled(10000));

    const QRect before = Desktop::geometry(zarn.mainWindow());
    Desktop::xdotool(
        {QStringLiteral("windowsize"), zarn.mainWindow(), QStringLiteral("800"), QStringLiteral("700")});
    QTRY_COMPARE_WITH_TIMEOUT(Desktop::geometry(zarn.mainWindow()).size(), QSize(800, 700), scaled(10000));
    QVERIFY(before.width() < 800);
    Desktop::keys({QStringLiteral("ctrl+q")});
    QVERIFY(zarn.waitForExit());
    QVERIFY(zarn.readFile(QStringLiteral("Workspace.ini")).contains("geometry="));
}

void TestJourneys::compilesEndWell_data()
{
    QTest::addColumn<QString>("compiler");
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("classMade");
    const QString done = QStringLiteral("Done Compiling");
    QTest::newRow("compiler path naming nothing: javac is found")
        << QStringLiteral("/no/such/bin/javac") << helloApplet() << done << true;
    QTest::newRow("compiler that cannot run")
        << QStringLiteral("Hello.java") << helloApplet()
        << QStringLiteral("Compile Failed: no Java compiler at '%1'. Choose one in View > Options.") << false;
    QTest::newRow("source with errors")
        << javacPath() << QByteArray("public class Hello { oops }\n") << done << false;
}

void TestJourneys::compilesEndWell()
{
    QFETCH(QString, compiler);
    QFETCH(QByteArray, source);
    QFETCH(QString, status);
    QFETCH(bool, classMade);
    ZarnSession zarn;
    QTemporaryDir work;
    const QString path = writeSource(work, QStringLiteral("Hello.java"), source);
    QVERIFY(!path.isEmpty());
    // The compiler that cannot run is the source file itself.
    if (compiler == QLatin1String("Hello.java")) {
        compiler = path;
        status = status.arg(path);
    }
    zarn.writeFile(QStringLiteral("Options.dat"), "0,0,\"" + compiler.toUtf8() + "\"\r\n");
    QVERIFY(zarn.start());
    QVERIFY(openFile(zarn, path));

    const QRect area = viewApplet(zarn);
    QVERIFY(area.isValid());
    QVERIFY(zarn.waitForStatus(status));
    QCOMPARE(QFile::exists(zarn.filePath(QStringLiteral("temp/Hello.class"))), classMade);

    // Still responsive: Help > About opens.
    zarn.focus();
    zarn.menu(QStringLiteral("h"), 0);
    QVERIFY(!Desktop::waitForWindow(QStringLiteral("^About Zarn$"), zarn.pid()).isEmpty());
}

void TestJourneys::installedZarnFromItsMenuEntry()
{
    // The installed tree as a new user meets it: a fresh home, and the build folder
    // hidden under an empty file system, so that nothing of the build is reachable.
    if (QProcess::execute(QStringLiteral("unshare"), {QStringLiteral("-m"), QStringLiteral("true")}) != 0)
        QSKIP("no mount namespace can be made here (unshare -m needs root)");
    QTemporaryDir root;
    const QString prefix = root.filePath(QStringLiteral("prefix"));
    QProcess install;
    install.start(QStringLiteral("cmake"), {QStringLiteral("--install"), QStringLiteral(ZARN_BUILD_DIR),
                                            QStringLiteral("--prefix"), prefix, QStringLiteral("--strip")});
    QVERIFY(install.waitForFinished(scaled(60000)) && install.exitCode() == 0);
    const QString source = root.filePath(QStringLiteral("work/Hello.java"));
    const QByteArray applet = colourApplet(QStringLiteral("Hello"), Red.red(), Red.green(), Red.blue());
    QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("work"))));
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(applet) == applet.size());
    file.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
    for (const char *variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "JAVA_HOME"})
        environment.remove(QString::fromLatin1(variable));
    environment.insert(QStringLiteral("PATH"),
                       prefix + QStringLiteral("/bin:") + environment.value(QStringLiteral("PATH")));
    // The file opened from the menu entry, as a file manager does.
    ZarnSession zarn;
    QVERIFY(zarn.launch(QStringLiteral("unshare"),
                        {QStringLiteral("-m"), QStringLiteral("--propagation"), QStringLiteral("private"),
                         QStringLiteral("sh"), QStringLiteral("-c"),
                         QStringLiteral("mount -t tmpfs none \"$1\" && exec gio launch \"$2\" \"$3\""),
                         QStringLiteral("sh"), QStringLiteral(ZARN_BUILD_DIR),
                         prefix + QStringLiteral("/share/applications/zarn.desktop"), source},
                        environment));
    // The pane holds the file: copied from it, it arrives on this side whole.
    Desktop::click(zarn.at(200, 200));
    Desktop::keys({QStringLiteral("ctrl+a"), QStringLiteral("ctrl+c")});
    QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::clipboard()->text(), QString::fromUtf8(applet), scaled(10000));

    // A fresh user compiles and views it without opening Options.
    const QRect area = viewApplet(zarn);
    QVERIFY(area.isValid());
    QTRY_COMPARE_WITH_TIMEOUT(Desktop::colourAt(area.center()), Red, scaled(30000));
    QVERIFY(QFile::exists(root.filePath(QStringLiteral("home/.local/share/zarn/Options.dat"))));
}

// A learner's first applet, typed at full speed with the completion list in the
// way: nothing typed is lost. Saved without an extension, it still compiles; the
// missing semicolon is seen, found with F8, fixed and the applet viewed.
void TestJourneys::learnersFirstApplet()
{
    ZarnSession zarn;
    zarn.writeFile(QStringLiteral("Options.dat"), "0,0,\"" + javacPath().toUtf8() + "\"\r\n");
    QVERIFY(zarn.start());
    zarn.focus();
    QStringList lines = appletLines(Blue);
    lines[2].chop(1); // the commonest error: "g.setColor(...)" without its ";"
    const QString typed = QStringLiteral("import java.applet.Applet;\nimport java.awt.*;\n")
                          + lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    Desktop::type(keystrokes(typed.chopped(1).split(QLatin1Char('\n'))), 0);

    QTemporaryDir work;
    Desktop::keys({QStringLiteral("ctrl+s")}); // no name yet: Save As
    QVERIFY(zarn.answerFileDialog(QStringLiteral("Save As"), work.filePath(QStringLiteral("Hello"))));
    QFile saved(work.filePath(QStringLiteral("Hello.java")));
    QTRY_VERIFY_WITH_TIMEOUT(saved.exists(), scaled(10000));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()), typed);
    saved.close();

    zarn.focus();
    Desktop::keys({QStringLiteral("F9")}); // View > Applet
    QVERIFY(zarn.waitForStatus(QStringLiteral("Done Compiling")));
    const QString viewer = Desktop::waitForWindow(QStringLiteral("^View Applet$"), zarn.pid());
    QVERIFY(!viewer.isEmpty());
    const QRect area(Desktop::geometry(viewer).topLeft() + QPoint(8, 8), QSize(385, 249));
    QTRY_VERIFY_WITH_TIMEOUT(Desktop::inkCount(Desktop::grab(area)) > 100,
                             scaled(10000)); // "The compile failed."
    QVERIFY(Desktop::colourAt(area.center()) != Blue);

    // The error's mark is underlined red, and F8 puts its message in the status bar.
    zarn.focus();
    Desktop::keys({QStringLiteral("ctrl+Home"), QStringLiteral("F8")});
    QVERIFY(zarn.waitForStatus(QStringLiteral("';' expected")));
    Desktop::keys({QStringLiteral("End")});
    Desktop::type(QStringLiteral(";"));
    Desktop::keys({QStringLiteral("ctrl+s"), QStringLiteral("F9")});
    QTRY_COMPARE_WITH_TIMEOUT(Desktop::colourAt(area.center()), Blue,
                              scaled(30000)); // the same viewer, reloaded
}

// Killed with unsaved text, before typing even paused: the text is kept, and the
// next Zarn in the folder offers it back. A file named on the command line, with a
// name neither UTF-8 nor on one line: recovered and saved, it is that file that
// holds the text. A document started with New: recovered, it still has no name,
// and its Save asks for one.
void TestJourneys::unsavedTextOutlivesAKill_data()
{
    QTest::addColumn<bool>("named");
    QTest::newRow("named on the command line") << true;
    QTest::newRow("started with New") << false;
}

void TestJourneys::unsavedTextOutlivesAKill()
{
    QFETCH(bool, named);
    ZarnSession zarn;
    const QByteArray name = QFile::encodeName(zarn.appFolder()) + "/caf\xE9\nB.java";
    if (named) {
        std::ofstream(name.constData()) << "class B {}\n";
        QVERIFY(zarn.launch(QStringLiteral("sh"),
                            {QStringLiteral("-c"),
                             QStringLiteral("exec ./zarn \"$(printf 'caf\\351\\nB.java')\""),
                             QStringLiteral("sh")},
                            QProcessEnvironment::systemEnvironment()));
    } else {
        QVERIFY(zarn.start());
        Desktop::keys({QStringLiteral("ctrl+n")});
    }
    const auto removeIt = qScopeGuard([&] { ::unlink(name.constData()); }); // Qt cannot see it
    Desktop::type(QStringLiteral("precious work "));
    const QByteArray text = named ? "precious work class B {}\n" : "precious work ";
    const qint64 first = zarn.pid();
    ::kill(pid_t(first), SIGTERM);
    QVERIFY(zarn.waitForExit());
    const QStringList kept = QDir(zarn.filePath(QStringLiteral("recovery")))
                                 .entryList({QStringLiteral("%1-*.txt").arg(first)});
    QCOMPARE(kept.size(), 1);
    QVERIFY2(zarn.readFile(QStringLiteral("recovery/") + kept[0]).endsWith('\n' + text),
             zarn.readFile(QStringLiteral("recovery/") + kept[0]).constData());

    QVERIFY(zarn.start());
    QTRY_COMPARE_WITH_TIMEOUT(Desktop::windows(QStringLiteral("^Zarn V0.01$"), zarn.pid()).size(), 2,
                              scaled(10000));
    QStringList question = Desktop::windows(QStringLiteral("^Zarn V0.01$"), zarn.pid());
    question.removeAll(zarn.mainWindow());
    Desktop::focus(question.value(0));
    Desktop::keys({QStringLiteral("r")}); // Recover
    QTRY_COMPARE_WITH_TIMEOUT(Desktop::windows(QStringLiteral("^Zarn V0.01$"), zarn.pid()).size(), 1,
                              scaled(10000));
    zarn.focus();
    Desktop::keys({QStringLiteral("ctrl+s")});
    const QByteArray saved = named ? name : QFile::encodeName(zarn.filePath(QStringLiteral("Kept.java")));
    if (!named)
        QVERIFY(zarn.answerFileDialog(QStringLiteral("Save As"), QFile::decodeName(saved)));
    const auto savedBytes = [&] {
        std::ifstream file(saved.constData());
        return QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(file), {}));
    };
    QTRY_COMPARE_WITH_TIMEOUT(savedBytes(), text, scaled(10000));
    QCOMPARE(QDir(zarn.appFolder()).entryList({QStringLiteral("caf*")}), QStringList()); // no name cut short
    QVERIFY(!QFile::exists(zarn.filePath(QStringLiteral("default.java"))));
}

namespace {

bool anyRuns(const QList<qint64> &pids)
{
    return std::any_of(pids.begin(), pids.end(), [](qint64 pid) { return processRuns(pid); });
}

// What the descriptors of process pid lead to: pipes and sockets, which name one
// object each ("pipe:[4711]"), by descriptor.
QMap<int, QString> pipesAndSockets(qint64 pid)
{
    QMap<int, QString> found;
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QString &fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot)) {
        const QString target = QFileInfo(fds.filePath(fd)).symLinkTarget().section(QLatin1Char('/'), -1);
        if (target.startsWith(QLatin1String("pipe:")) || target.startsWith(QLatin1String("socket:")))
            found.insert(fd.toInt(), target);
    }
    return found;
}

// The descriptors of child, beyond the first given ones (and the child's own
// copies of those), that lead where one of Zarn's does: what it inherited without
// being given it.
QStringList inheritedFromZarn(qint64 zarn, qint64 child, int given)
{
    const QList<QString> zarns = pipesAndSockets(zarn).values();
    const QMap<int, QString> childs = pipesAndSockets(child);
    QStringList givenTargets;
    for (auto fd = childs.begin(); fd != childs.end() && fd.key() < given; ++fd)
        givenTargets.append(fd.value());
    QStringList leaked;
    for (auto fd = childs.begin(); fd != childs.end(); ++fd)
        if (fd.key() >= given && zarns.contains(fd.value()) && !givenTargets.contains(fd.value()))
            leaked.append(QStringLiteral("%1 -> %2").arg(fd.key()).arg(fd.value()));
    return leaked;
}

} // namespace

// Killed or hung up on in the middle of a compile, or while an applet loops in its
// paint(): no process Zarn started outlives it by more than three seconds (after a
// SIGKILL, the compile ends when the next Zarn starts in the folder). Esc ends a
// compile that hangs, and Zarn goes on; the title bar's close button ends it and
// Zarn. The processes Zarn starts get none of its descriptors but those given them.
void TestJourneys::nothingOutlivesZarn_data()
{
    QTest::addColumn<int>("signalNumber"); // 0: Esc, which ends the compile and not Zarn; -1: close
    QTest::addColumn<bool>("inPaint");     // otherwise in a compile that hangs
    QTest::newRow("Esc during a compile") << 0 << false;
    QTest::newRow("the window closed during a compile") << -1 << false;
    QTest::newRow("TERM during a compile") << int(SIGTERM) << false;
    QTest::newRow("HUP during a compile") << int(SIGHUP) << false;
    QTest::newRow("KILL during a compile") << int(SIGKILL) << false;
    QTest::newRow("KILL while the applet loops in paint") << int(SIGKILL) << true;
    QTest::newRow("TERM while the applet loops in paint") << int(SIGTERM) << true;
}

void TestJourneys::nothingOutlivesZarn()
{
    QFETCH(int, signalNumber);
    QFETCH(bool, inPaint);
    ZarnSession zarn;
    QTemporaryDir work;
    // Each process says it has started by writing its number and a line end: the
    // applet as its paint() begins, the compiler as it starts to hang.
    const QString painting = work.filePath(QStringLiteral("painting.pid"));
    const QString path = writeSource(work, QStringLiteral("Loop.java"),
                                     "public class Loop extends java.applet.Applet {\n"
                                     "    public void paint(java.awt.Graphics g) {\n"
                                     "        try (java.io.FileWriter pid = new java.io.FileWriter(\""
                                         + painting.toUtf8()
                                         + "\")) {\n"
                                           "            pid.write(ProcessHandle.current().pid() + \"\\n\");\n"
                                           "        } catch (java.io.IOException e) { }\n"
                                           "        while (true) { }\n"
                                           "    }\n}\n");
    QVERIFY(!path.isEmpty());
    const QByteArray hanging = zarn.filePath(QStringLiteral("hanging-javac")).toUtf8();
    zarn.writeFile(QStringLiteral("hanging-javac"), "#!/bin/sh\necho $$ > hanging.pid\nexec sleep 60\n");
    QFile::setPermissions(QString::fromUtf8(hanging), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    zarn.writeFile(QStringLiteral("Options.dat"),
                   "0,0,\"" + (inPaint ? javacPath().toUtf8() : hanging) + "\"\r\n");
    QVERIFY(zarn.start());
    QVERIFY(openFile(zarn, path));
    zarn.focus();
    Desktop::keys({QStringLiteral("F9")});

    // The number a process wrote first into the file at path, once its whole line is
    // there; 0 before.
    auto pidIn = [](const QString &path) {
        QFile file(path);
        const QByteArray line = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        return line.endsWith('\n') ? line.trimmed().split(' ').constFirst().toLongLong() : 0;
    };
    QList<qint64> started; // what Zarn started: the host, or the script and its compiler
    if (inPaint) {
        QTRY_VERIFY_WITH_TIMEOUT(pidIn(painting) > 0, scaled(30000));
        started = {pidIn(painting)};
        // Its input, output and error, the pipe its applet's output goes to and the
        // one of its reports.
        const QStringList leaked = inheritedFromZarn(zarn.pid(), started.constFirst(), 5);
        QVERIFY2(leaked.isEmpty(), qPrintable(leaked.join(QLatin1String(", "))));
    } else {
        const QString script = zarn.filePath(QStringLiteral("temp/compile.group"));
        const QString compiler = zarn.filePath(QStringLiteral("hanging.pid"));
        QTRY_VERIFY_WITH_TIMEOUT(pidIn(script) > 0 && pidIn(compiler) > 0, scaled(20000));
        started = {pidIn(script), pidIn(compiler)};
        const QStringList leaked = inheritedFromZarn(zarn.pid(), pidIn(compiler), 3);
        QVERIFY2(leaked.isEmpty(), qPrintable(leaked.join(QLatin1String(", "))));
    }
    QVERIFY(anyRuns(started));
    if (signalNumber == 0) {
        Desktop::keys({QStringLiteral("Escape")});
        QVERIFY(zarn.waitForStatus(QStringLiteral("Compile Cancelled")));
        QVERIFY(zarn.running());
        QVERIFY(Desktop::windows(QStringLiteral("^View Applet$"), zarn.pid()).isEmpty()); // nothing to show
        QTRY_VERIFY_WITH_TIMEOUT(!anyRuns(started), scaled(3000));
        return;
    }
    if (signalNumber < 0) {
        Desktop::close(zarn.mainWindow());
        QVERIFY(zarn.waitForExit());
        QTRY_VERIFY_WITH_TIMEOUT(!anyRuns(started), scaled(3000));
        return;
    }
    // The warm compiler of Zarn's first compile, up by now: its socket goes with a
    // Zarn that can see to it.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString socket = QStringLiteral("%1/compiler-%2.sock")
                               .arg(!runtime.isEmpty() && QFileInfo(runtime).isDir()
                                        ? runtime + QStringLiteral("/zarn")
                                        : QStringLiteral("/tmp/zarn-%1").arg(::getuid()))
                               .arg(zarn.pid());
    if (inPaint)
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socket), scaled(30000));
    ::kill(pid_t(zarn.pid()), signalNumber);
    QVERIFY(zarn.waitForExit());
    if (inPaint && signalNumber != SIGKILL)
        QVERIFY2(!QFileInfo::exists(socket), qPrintable(socket));
    if (signalNumber == SIGKILL && !inPaint) {
        QVERIFY(anyRuns(started)); // nothing could end them with Zarn; the next Zarn does
        QVERIFY(zarn.start());
    }
    QTRY_VERIFY_WITH_TIMEOUT(!anyRuns(started), scaled(3000));
}

ZARN_XVFB_TEST_MAIN(TestJourneys)
#include "tst_journeys.moc"
