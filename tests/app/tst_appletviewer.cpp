// View > Applet end to end with the real javac and java, on a private Xvfb.
#include "AppFolder.h"
#include "AppletBrowser.h"
#include "AppletConsole.h"
#include "AppletOutput.h"
#include "AppletTesting.h"
#include "AppletWindow.h"
#include "Desktop.h"
#include "Document.h"
#include "RecordingMessages.h"
#include "ScriptedFileDialog.h"
#include "TestJdks.h"
#include "TestTime.h"
#include "XvfbDisplay.h"
#include "Zarn.h"
#include "ZarnTesting.h"

#include <QApplication>
#include <QDirIterator>
#include <QImage>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

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
    void publishedAppletsRun_data();
    void publishedAppletsRun();
    void appletsOwnWords_data();
    void appletsOwnWords();
    void floodNeitherFreezesNorGrows();
    void helperRunsItsPackagesAppletInAFittedViewer();
    void pagesViewedWithAndWithoutTheirSource();
    void runnableJarRunsAnywhere_data();
    void runnableJarRunsAnywhere();

private:
    void writeApplet(int red, int green, int blue);
    AppletWindow *viewer() const;
    AppletBrowser *browser() const { return viewer() ? viewer()->WebBrowser1 : nullptr; }
    AppletConsole *console() const;
    QString status() const
    {
        return m_window->findChild<QStatusBar *>(QStringLiteral("StatusBar1"))->currentMessage();
    }

    std::unique_ptr<AppFolder> m_app;
    std::shared_ptr<ScriptedFileDialog> m_dialog;
    std::shared_ptr<RecordingMessages> m_messages;
    QPointer<Zarn> m_window;
};

void TestAppletViewer::init()
{
    m_app = std::make_unique<AppFolder>();
    m_dialog = std::make_shared<ScriptedFileDialog>();
    m_messages = std::make_shared<RecordingMessages>();
    m_window = new Zarn(m_app->path(), {m_messages, m_dialog});
    useCompiler(*m_window, javacPath());
    m_window->document().setFileName(m_app->filePath(QStringLiteral("work/Clock.java")));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window, scaled(5000)));
}

void TestAppletViewer::cleanup()
{
    delete viewer();
    delete console();
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

AppletConsole *TestAppletViewer::console() const
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *open = qobject_cast<AppletConsole *>(window); open && open->isVisible())
            return open;
    return nullptr;
}

void TestAppletViewer::viewShowsTheAppletInsideTheWindow()
{
    writeApplet(200, 30, 40);
    m_window->findChild<QAction *>(QStringLiteral("AppletB"))->trigger();
    QVERIFY(commandEnds(*m_window));
    QCOMPARE(status(), QStringLiteral("Done Compiling"));
    QCOMPARE(
        m_app->read(QStringLiteral("temp/temp.html")),
        QByteArray("<html>\n<body>\n<div align = center>\n<applet code = Clock.java>\n</applet>\n</div>\n"
                   "</body>\n</html>\n"));
    QVERIFY(QFile::exists(m_app->filePath(QStringLiteral("temp/Clock.class"))));

    QVERIFY(viewer());
    QCOMPARE(viewer()->windowTitle(), QStringLiteral("View Applet"));
    QCOMPARE(viewer()->size(), QSize(398, 294 + viewer()->StatusLine->height()));
    QCOMPARE(browser()->geometry(), QRect(8, 8, 385, 249));
    QCOMPARE(viewer()->Command1->text(), QStringLiteral("&Close"));
    QCOMPARE(viewer()->Command1->geometry(), QRect(160, 264, 73, 25));
    QCOMPARE(viewer()->StatusLine->geometry().top(), 294);
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(browser()->surface()), QColor(200, 30, 40), scaled(20000));
    QVERIFY(browser()->surface()->window() == viewer()); // inside the viewer, not a window of its own
}

void TestAppletViewer::viewWhileOpenReloadsTheNewClass()
{
    writeApplet(200, 30, 40);
    m_window->AppletB_Click();
    QVERIFY(commandEnds(*m_window));
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(browser()->surface()), QColor(200, 30, 40), scaled(20000));
    AppletWindow *first = viewer();
    const qint64 host = browser()->hostProcessId();

    writeApplet(40, 40, 220);
    m_window->AppletB_Click();
    QVERIFY(commandEnds(*m_window));
    QCOMPARE(status(), QStringLiteral("Done Compiling"));
    QCOMPARE(viewer(), first); // the same window, a fresh host
    QVERIFY(browser()->hostProcessId() != host);
    QTRY_VERIFY_WITH_TIMEOUT(!processRuns(host), scaled(5000));
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(browser()->surface()), QColor(40, 40, 220), scaled(20000));
}

void TestAppletViewer::closeEndsTheHostAndReopenLoadsTheNewClass()
{
    writeApplet(200, 30, 40);
    m_window->AppletB_Click();
    QVERIFY(commandEnds(*m_window));
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(browser()->surface()), QColor(200, 30, 40), scaled(20000));
    const qint64 host = browser()->hostProcessId();

    QTest::mouseClick(viewer()->Command1, Qt::LeftButton);
    QTRY_VERIFY(!viewer());
    QTRY_VERIFY_WITH_TIMEOUT(!processRuns(host), scaled(5000));

    writeApplet(40, 40, 220);
    m_window->AppletB_Click();
    QVERIFY(commandEnds(*m_window));
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(browser()->surface()), QColor(40, 40, 220), scaled(20000));
    QVERIFY(browser()->hostProcessId() != host);
}

void TestAppletViewer::failedCompileSaysSoInTheViewer()
{
    writeApplet(200, 30, 40);
    m_window->AppletB_Click();
    QVERIFY(commandEnds(*m_window));
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(browser()->surface()), QColor(200, 30, 40), scaled(20000));

    // The class of the compile before neither runs nor stays in the temp folder.
    m_app->write(QStringLiteral("work/Clock.java"), "public class Clock { oops }\n");
    m_window->AppletB_Click();
    QVERIFY(commandEnds(*m_window));
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
    QVERIFY(commandEnds(*m_window));
    QVERIFY(viewer());
    m_window->findChild<QAction *>(QStringLiteral("ExitB"))->trigger();
    QTRY_VERIFY(m_window.isNull());
    QVERIFY(viewer() && viewer()->isVisible());
    const qint64 host = browser()->hostProcessId();
    viewer()->close();
    QTRY_VERIFY(!viewer());
    QTRY_VERIFY_WITH_TIMEOUT(!processRuns(host), scaled(5000));
}

namespace {

// Files for the work folder: a name, then its text, for each.
QStringList files(std::initializer_list<QByteArray> namesAndTexts)
{
    QStringList list;
    for (const QByteArray &text : namesAndTexts)
        list.append(QString::fromUtf8(text));
    return list;
}

// An applet body that fills its area with the colour held in the field c.
const char *const FillWithC = "public void paint(Graphics g) { g.setColor(c); g.fillRect(0, 0, getWidth(), "
                              "getHeight()); }\n";

// A jar at path that holds the one class compiled from source, as a published
// applet's archive does.
bool writeJar(const QString &path, const QString &source)
{
    QTemporaryDir classes;
    const QString name = QRegularExpression(QStringLiteral("class (\\w+)")).match(source).captured(1);
    QFile file(classes.filePath(name + QStringLiteral(".java")));
    if (!file.open(QIODevice::WriteOnly) || file.write(source.toUtf8()) < 0)
        return false;
    file.close();
    QDir().mkpath(QFileInfo(path).absolutePath());
    for (const QStringList &run :
         {QStringList{javacPath(), QStringLiteral("-d"), classes.path(), file.fileName()},
          QStringList{QStandardPaths::findExecutable(QStringLiteral("jar")), QStringLiteral("cf"), path,
                      QStringLiteral("-C"), classes.path(), name + QStringLiteral(".class")}}) {
        QProcess tool;
        tool.start(run.constFirst(), run.mid(1));
        if (!tool.waitForFinished(scaled(60000)) || tool.exitCode() != 0)
            return false;
    }
    return true;
}

QByteArray appletSource(const char *name, const char *comment, const QByteArray &init)
{
    return QByteArray(comment)
           + "import java.applet.*;\nimport java.awt.*;\nimport java.io.*;\nimport java.net.*;\n"
           + "public class " + name + " extends Applet {\nColor c = Color.RED;\npublic void init() {\ntry {\n"
           + init + "\n} catch (Exception e) { c = Color.BLACK; }\n}\n" + FillWithC + "}\n";
}

} // namespace

// Applets as their authors publish them: several classes, parameters from the
// source's comment or from a page beside it, data files, classes loaded by name,
// their own size, Swing. Each paints a colour that proves it got what it needs.
void TestAppletViewer::publishedAppletsRun_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QSize>("size"); // empty: the whole area
    // What Publish > Applet With Html writes after the View; no publishing when empty.
    QTest::addColumn<QStringList>("published");

    const QByteArray rgbFromParameter =
        "String[] v = getParameter(\"RGB\").split(\",\");\n"
        "c = new Color(Integer.parseInt(v[0]), Integer.parseInt(v[1]), Integer.parseInt(v[2]));";
    const QByteArray tinted = appletSource("Tinted", "", rgbFromParameter);
    const QByteArray tintedWithComment = appletSource(
        "Tinted",
        "/*\n * <applet code=\"Tinted.class\" width=200 height=100>\n"
        " *   <param name=rgb value=\"0,150,90\">\n * </applet>\n */\n",
        rgbFromParameter);

    QTest::newRow("two source files")
        << QStringLiteral("Two.java")
        << files({"Two.java", appletSource("Two", "", "c = Painter.colour();"), "Painter.java",
                  "class Painter { static java.awt.Color colour() { "
                  "return new java.awt.Color(10, 120, 200); } }\n"})
        << QColor(10, 120, 200) << QSize() << QStringList();
    QTest::newRow("parameters from a comment")
        << QStringLiteral("Tinted.java") << files({"Tinted.java", tintedWithComment}) << QColor(0, 150, 90)
        << QSize(200, 100) << QStringList();
    QTest::newRow("parameters from a page beside it")
        << QStringLiteral("Tinted.java")
        << files({"Tinted.java", tinted, "Tinted.html",
                  "<html><body><applet code=Tinted.class width=50% height=120><param name=RGB "
                  "value='150,0,90'></applet>"})
        << QColor(150, 0, 90) << QSize(192, 120) << QStringList();
    // Longer than a command line may be; characters a coding could mangle.
    QTest::newRow("a parameter of 200,000 characters")
        << QStringLiteral("Long.java")
        << files({"Long.java",
                  appletSource("Long", "",
                               "String v = getParameter(\"Long\");\n"
                               "if (v.length() == 200000 && v.startsWith(\"a+b %20&\\u00e9 \")) "
                               "c = new Color(60, 90, 120);"),
                  "Long.html",
                  "<applet code=Long.class><param name=long value=\"a+b %20&amp;\xC3\xA9 "
                      + QByteArray(200000 - 10, 'x') + "\"></applet>"})
        << QColor(60, 90, 120) << QSize() << QStringList();
    QTest::newRow("data file read both ways")
        << QStringLiteral("Data.java")
        << files({"Data.java",
                  appletSource("Data", "",
                               "BufferedReader a = new BufferedReader(new InputStreamReader("
                               "getClass().getResourceAsStream(\"data/shape.txt\")));\n"
                               "BufferedReader b = new BufferedReader(new InputStreamReader("
                               "new URL(getCodeBase(), \"data/shape.txt\").openStream()));\n"
                               "if (a.readLine().equals(\"cube\") && b.readLine().equals(\"cube\")) "
                               "c = new Color(0, 160, 0);"),
                  "data/shape.txt", "cube\n"})
        << QColor(0, 160, 0) << QSize() << QStringList();
    QTest::newRow("class loaded by name, broken neighbour")
        << QStringLiteral("Shapes.java")
        << files({"Shapes.java",
                  appletSource("Shapes", "// <applet code=Shapes><param name=kind value=Cube></applet>\n",
                               "Object shape = Class.forName(getParameter(\"kind\") + \"Shape\")"
                               ".getDeclaredConstructor().newInstance();\n"
                               "c = new Color(Integer.parseInt(shape.toString()));"),
                  "CubeShape.java",
                  "public class CubeShape { public String toString() { return \"8421504\"; } }\n",
                  "Broken.java", "public class Broken { this is not java }\n"})
        << QColor(128, 128, 128) << QSize() << QStringList();
    QTest::newRow("larger than the area")
        << QStringLiteral("Big.java")
        << files({"Big.java", appletSource("Big", "// <applet code=Big width=600 height=500></applet>\n",
                                           "c = new Color(90, 60, 30);")})
        << QColor(90, 60, 30) << QSize(600, 500) << QStringList();
    // As Java programs are organised: packages, code bases, pages, data files.
    QTest::newRow("package of two, image by its class loader, published")
        << QStringLiteral("java/a/b/Main.java")
        << files(
               {"java/a/b/Main.java",
                "package a.b;\nimport java.applet.Applet;\nimport java.awt.*;\n"
                "public class Main extends Applet {\nColor c;\npublic void init() { c = Helper.tint(this); "
                "}\n"
                    + QByteArray(FillWithC) + "}\n",
                "java/a/b/Helper.java",
                "package a.b;\nimport java.awt.Color;\nimport java.net.URL;\nimport javax.imageio.ImageIO;\n"
                "class Helper {\nstatic Color tint(java.applet.Applet applet) {\ntry {\n"
                "URL byLoader = Helper.class.getClassLoader().getResource(\"images/tint.png\");\n"
                "URL byBase = new URL(applet.getCodeBase(), \"images/tint.png\");\n"
                "int a = ImageIO.read(byLoader).getRGB(0, 0), b = ImageIO.read(byBase).getRGB(0, 0);\n"
                "return a == b ? new Color(a) : Color.BLUE;\n} catch (Exception e) { return Color.BLACK; "
                "}\n}\n}\n",
                "java/images/tint.png", "#1e8c46", "java/Main.html",
                "<applet code=\"a.b.Main.class\" codebase=\"build/classes/\" width=200 height=120></applet>"})
        << QColor(30, 140, 70) << QSize(200, 120)
        << QStringList{QStringLiteral("a/b/Main.class"), QStringLiteral("a/b/Helper.class"),
                       QStringLiteral("Main.html"), QStringLiteral("images/tint.png")};
    QTest::newRow("package, code with slashes, a code base")
        << QStringLiteral("site/pkg/One.java")
        << files({"site/pkg/One.java",
                  appletSource("One", "package pkg;\n",
                               "BufferedReader r = new BufferedReader(new InputStreamReader("
                               "new URL(getCodeBase(), \"tint.txt\").openStream()));\n"
                               "String[] v = r.readLine().split(\",\");\n"
                               "c = new Color(Integer.parseInt(v[0]), Integer.parseInt(v[1]), "
                               "Integer.parseInt(v[2]));"),
                  "site/One.html", "<applet code=\"pkg/One.class\" codebase=\"res/\" width=220 height=110>",
                  "site/res/tint.txt", "120,40,160\n"})
        << QColor(120, 40, 160) << QSize(220, 110) << QStringList();
    QTest::newRow("a file beside the page")
        << QStringLiteral("Reader.java")
        << files({"Reader.java",
                  appletSource("Reader", "",
                               "BufferedReader r = new BufferedReader(new FileReader(\"data.txt\"));\n"
                               "if (r.readLine().equals(\"lime\")) c = new Color(50, 205, 50);"),
                  "data.txt", "lime\n"})
        << QColor(50, 205, 50) << QSize() << QStringList();
    QTest::newRow("a page with two applets")
        << QStringLiteral("Second.java")
        << files({"Second.java", appletSource("Second", "", rgbFromParameter), "Pair.html",
                  "<applet code=First.class width=50 height=50><param name=rgb value=\"0,0,0\"></applet>\n"
                  "<p><applet code=Second.class width=150 height=90><param name=rgb value=\"70,130,180\">"
                  "</applet>"})
        << QColor(70, 130, 180) << QSize(150, 90) << QStringList();
    QTest::newRow("Swing built with invokeAndWait in init")
        << QStringLiteral("Tutorial.java")
        << files({"Tutorial.java",
                  "import javax.swing.*;\nimport java.awt.Color;\npublic class Tutorial extends JApplet {\n"
                  "public void init() {\ntry { SwingUtilities.invokeAndWait(this::build); }\n"
                  "catch (Exception e) { getContentPane().setBackground(Color.BLACK); }\n}\n"
                  "private void build() {\nJPanel panel = new JPanel();\npanel.add(new JButton(\"Go\"));\n"
                  "panel.setBackground(new Color(160, 82, 45));\nsetContentPane(panel);\n}\n}\n"})
        << QColor(160, 82, 45) << QSize() << QStringList();
    // As others wrote them: a Latin-1 source, a byte-order mark, the tag's own
    // attributes through getParameter, a back buffer made when resized, a jar.
    QTest::newRow("a Latin-1 source")
        << QStringLiteral("Lesson.java")
        << files({"latin1:Lesson.java",
                  appletSource(
                      "Lesson",
                      "// Fl\xC3\xA4"
                      "che in m\xC2\xB2\n",
                      "String unit = \"m\xC2\xB2\";\n"
                      "Object byName = Class.forName(\"Unit\").getDeclaredConstructor().newInstance();\n"
                      "if (unit.length() == 2 && unit.charAt(1) == 0xB2 && byName.toString().equals(unit))"
                      " c = new Color(178, 34, 34);"),
                  // Loaded by name, so compiled by the host, in the same encoding.
                  "latin1:Unit.java",
                  "public class Unit { public String toString() { return \"m\xC2\xB2\"; } }\n"})
        << QColor(178, 34, 34) << QSize() << QStringList();
    QTest::newRow("a byte-order mark")
        << QStringLiteral("Marked.java")
        << files({"Marked.java", "\xEF\xBB\xBF" + appletSource("Marked", "", "c = new Color(20, 40, 60);")})
        << QColor(20, 40, 60) << QSize() << QStringList();
    const QByteArray sizeFromParameters =
        "if (Integer.parseInt(getParameter(\"width\")) == getWidth()"
        " && Integer.parseInt(getParameter(\"HEIGHT\")) == getHeight()"
        " && getParameter(\"Code\").equals(\"Sized.class\") && getParameter(\"align\").equals(\"left\"))"
        " c = new Color(0, 128, 128);";
    QTest::newRow("its size from getParameter, in percent")
        << QStringLiteral("Sized.java")
        << files({"Sized.java",
                  appletSource("Sized", "// <applet code=Sized.class width=\"100%\" height=50% align=left>\n",
                               sizeFromParameters)})
        << QColor(0, 128, 128) << QSize(385, 124) << QStringList();
    QTest::newRow("its size from getParameter, in pixels")
        << QStringLiteral("Sized.java")
        << files({"Sized.java",
                  appletSource("Sized", "// <applet code=Sized.class width=300 height=150 align=left>\n",
                               sizeFromParameters)})
        << QColor(0, 128, 128) << QSize(300, 150) << QStringList();
    QTest::newRow("a back buffer made when resized")
        << QStringLiteral("Buffered.java")
        << files({"Buffered.java",
                  "import java.applet.Applet;\nimport java.awt.*;\nimport java.awt.event.*;\n"
                  "public class Buffered extends Applet {\nImage buffer;\npublic void init() {\n"
                  "addComponentListener(new ComponentAdapter() {\n"
                  "public void componentResized(ComponentEvent e) { buffer = createImage(getWidth(), "
                  "getHeight()); }\n});\n}\npublic void update(Graphics g) { paint(g); }\n"
                  "public void paint(Graphics g) {\nGraphics b = buffer.getGraphics();\n"
                  "b.setColor(new Color(218, 165, 32));\nb.fillRect(0, 0, getWidth(), getHeight());\n"
                  "g.drawImage(buffer, 0, 0, this);\n}\n}\n"})
        << QColor(218, 165, 32) << QSize() << QStringList();
    QTest::newRow("a helper only in a jar named by archive")
        << QStringLiteral("Arcade.java")
        << files({"Arcade.java",
                  appletSource("Arcade", "// <applet code=Arcade archive=\"sounds.jar, lib/game.jar\">\n",
                               "c = new Color(Integer.parseInt(Class.forName(\"Score\")"
                               ".getDeclaredConstructor().newInstance().toString()));"),
                  "jar:lib/game.jar",
                  "public class Score { public String toString() { return \"9109504\"; } }\n"})
        << QColor(139, 0, 0) << QSize() << QStringList();
    QTest::newRow("Swing") << QStringLiteral("Swung.java")
                           << files({"Swung.java", "import javax.swing.*;\nimport java.awt.Color;\n"
                                                   "public class Swung extends JApplet {\n"
                                                   "    public void init() {\n"
                                                   "        JPanel panel = new JPanel();\n"
                                                   "        panel.setBackground(new Color(200, 100, 0));\n"
                                                   "        setContentPane(panel);\n"
                                                   "    }\n}\n"})
                           << QColor(200, 100, 0) << QSize() << QStringList();
}

void TestAppletViewer::publishedAppletsRun()
{
    QFETCH(QString, document);
    QFETCH(QStringList, files);
    QFETCH(QColor, colour);
    QFETCH(QSize, size);
    const QString work = m_app->filePath(QStringLiteral("work/"));
    QFETCH(QStringList, published);
    for (qsizetype i = 0; i + 1 < files.size(); i += 2) {
        const QString name = files[i].section(QLatin1Char(':'), -1);
        QDir().mkpath(QFileInfo(work + name).absolutePath());
        if (name.endsWith(QLatin1String(".png"))) { // an image of the colour named
            QImage image(4, 4, QImage::Format_RGB32);
            image.fill(QColor(files[i + 1]));
            QVERIFY(image.save(work + name));
        } else if (files[i].startsWith(QLatin1String("jar:"))) { // a jar of the class whose source is given
            QVERIFY(writeJar(work + name, files[i + 1]));
        } else {
            const bool latin1 = files[i].startsWith(QLatin1String("latin1:"));
            QVERIFY(m_app->write(QStringLiteral("work/") + name,
                                 latin1 ? files[i + 1].toLatin1() : files[i + 1].toUtf8()));
        }
    }
    // Opened as a user opens it: the document is read as its bytes say.
    const bool marked = files.value(1).startsWith(QChar(0xFEFF));
    if (marked)
        m_messages->dropMarkAnswers = {true};
    m_window->openFile(work + document);
    m_window->AppletB_Click();
    QVERIFY(commandEnds(*m_window));
    // javac cannot read a byte-order mark: the file is saved without it first.
    QCOMPARE(m_messages->questions.size(), marked ? 1 : 0);
    QVERIFY(!m_app->read(QStringLiteral("work/") + document).startsWith("\xEF\xBB\xBF"));
    QVERIFY(viewer());
    QTRY_COMPARE_WITH_TIMEOUT(browser()->message(), QString(), scaled(20000));
    QWidget *surface = browser()->surface();
    QTRY_COMPARE_WITH_TIMEOUT(colourAt(surface, surface->visibleRegion().boundingRect().center()), colour,
                              scaled(20000));
    QCOMPARE(surface->size(), size.isEmpty() ? browser()->size() : size);
    // An applet larger than the area is scrolled to, as a browser shows a page.
    const auto *scroll = browser()->findChild<QScrollArea *>();
    QCOMPARE(scroll->horizontalScrollBar()->maximum() > 0, size.width() > browser()->width());
    QCOMPARE(scroll->verticalScrollBar()->maximum() > 0, size.height() > browser()->height());
    if (published.isEmpty())
        return;

    // Into an empty folder: the package's classes, the page, the files the applet loaded.
    const QString site = m_app->filePath(QStringLiteral("site/"));
    QVERIFY(QDir().mkpath(site));
    m_dialog->answer(site + QStringLiteral("Main.class"));
    m_dialog->answer(site + QStringLiteral("Main.html"));
    m_window->PubAppletHtmlB_Click();
    QVERIFY(commandEnds(*m_window));
    QDirIterator written(site, QDir::Files, QDirIterator::Subdirectories);
    QStringList found;
    while (written.hasNext())
        found.append(written.next().mid(site.size()));
    found.sort();
    published.sort();
    QCOMPARE(found, published);
    QVERIFY(m_app->read(QStringLiteral("site/Main.html")).contains("<applet code = a.b.Main.class width"));
    QCOMPARE(m_app->read(QStringLiteral("site/images/tint.png")),
             m_app->read(QStringLiteral("work/java/images/tint.png")));
    QCOMPARE(status(), QStringLiteral("Published a/b/Main.class, Main.html and 1 file it loads"));

    // A different file of the same name stays unless the user says otherwise.
    QVERIFY(m_app->write(QStringLiteral("site/images/tint.png"), "the site's own"));
    m_dialog->answer(site + QStringLiteral("Main.class"));
    m_dialog->answer(site + QStringLiteral("Main.html"));
    m_messages->overwriteAnswers = {false};
    m_window->PubAppletHtmlB_Click();
    QVERIFY(commandEnds(*m_window));
    QCOMPARE(m_messages->questions.size(), 1);
    QVERIFY(m_messages->questions.constFirst().startsWith(site + QStringLiteral("images/tint.png is there")));
    QCOMPARE(m_app->read(QStringLiteral("site/images/tint.png")), QByteArray("the site's own"));
    QCOMPARE(status(), QStringLiteral("Published a/b/Main.class and Main.html"));
}

// What an applet says of itself: its output in the console, err in another colour,
// its showStatus in the viewer's status line, an exception it did not catch with
// its trace, whose frames lead to the throwing line.
void TestAppletViewer::appletsOwnWords_data()
{
    QTest::addColumn<QStringList>("files"); // the first is the document
    QTest::addColumn<QStringList>("lines"); // how the console's first begin; "!" before err
    QTest::addColumn<QString>("statusLine");
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("link"); // the first frame's target: file name:line

    const QByteArray applet = "import java.applet.Applet;\nimport java.awt.*;\n"
                              "public class Talker extends Applet {\n";
    QTest::newRow("out and err, in order") << files(
        {"Talker.java",
         applet
             + "public void init() { System.out.println(\"one\"); System.err.println(\"two\");\n"
               "System.out.print(\"thr\"); System.out.println(\"ee\"); System.out.println(\"four\"); }\n}\n"})
                                           << QStringList{QStringLiteral("one"), QStringLiteral("!two"),
                                                          QStringLiteral("three"), QStringLiteral("four")}
                                           << QString() << QString() << QString();
    QTest::newRow("showStatus") << files(
        {"Talker.java", applet + "public void start() { showStatus(\"Loading level 3\"); }\n}\n"})
                                << QStringList() << QStringLiteral("Loading level 3") << QString()
                                << QString();
    // Reports written where the host's once went, past System.out and System.err:
    // the console's, not the status line's.
    QTest::newRow("reports forged on the JVM's own descriptors") << files(
        {"Talker.java",
         applet
             + "public void start() { showStatus(\"genuine\");\n"
               "new java.io.PrintStream(new java.io.FileOutputStream(java.io.FileDescriptor.out), true)"
               ".println(\"status forged\");\n"
               "new java.io.PrintStream(new java.io.FileOutputStream(java.io.FileDescriptor.err), true)"
               ".print(\"loads /etc/passwd\\r\\n\"); }\n}\n"})
        << QStringList{QStringLiteral("!status forged"), QStringLiteral("!loads /etc/passwd")}
        << QStringLiteral("genuine") << QString() << QString();
    QTest::newRow("an archive that is not there")
        << files({"Talker.java", "// <applet code=Talker archive=game.jar>\n" + applet
                                     + "public void start() { System.out.println(\"runs\"); }\n}\n"})
        << QStringList{QStringLiteral("!The archive /"), QStringLiteral("runs")} << QString() << QString()
        << QString();
    // The desktop's browser is a stand-in here (see appletsOwnWords).
    QTest::newRow("showDocument")
        << files({"Talker.java",
                  applet
                      + "public void start() { try { getAppletContext().showDocument("
                        "new java.net.URL(\"https://example.org/lesson?x=1\"));\n"
                        "getAppletContext().showDocument(new java.net.URL(\"jar:file:/a.jar!/b\"));"
                        " } catch (Exception e) {} }\n}\n"})
        << QStringList{QStringLiteral("showDocument(https://example.org/lesson?x=1): opened in the desktop's "
                                      "browser"),
                       QStringLiteral(
                           "showDocument(jar:file:/a.jar!/b): not opened, only http, https and file "
                           "addresses are")}
        << QString() << QString() << QString();
    QTest::newRow("throws in paint, in another file")
        << files({"Talker.java",
                  applet
                      + "String shape;\npublic void paint(Graphics g) {\n"
                        "Painter.draw(g, shape);\n}\n}\n",
                  "Painter.java",
                  "class Painter {\n  static void draw(java.awt.Graphics g, String shape) {\n"
                  "    g.drawString(shape.trim(), 10, 10);\n  }\n}\n"})
        << QStringList{QStringLiteral(
               "!Exception in thread \"AWT-EventQueue-0\" java.lang.NullPointerException")}
        << QString() << QStringLiteral("Exception in paint: NullPointerException, see the console")
        << QStringLiteral("Painter.java:3");
    QTest::newRow("throws in an event handler")
        << files({"Talker.java", applet
                                     + "public void start() { new Thread(() -> { throw new "
                                       "IllegalStateException(\"late\"); }, \"ticker\").start(); }\n}\n"})
        << QStringList{QStringLiteral(
               "!Exception in thread \"ticker\" java.lang.IllegalStateException: late")}
        << QStringLiteral("Exception in lambda$start$0: IllegalStateException, see the console") << QString()
        << QStringLiteral("Talker.java:4");
    // Frames made up to lead out of the source root (work/): through the working
    // folder of Zarn from the file system's root, and through a link in work/.
    QTest::newRow("frames leading out of the source root")
        << files({"Talker.java",
                  applet
                      + "public void start() { System.err.println(\"\\tat "
                        ".proc.self.cwd.Evil.m(Evil.java:1)\");"
                        " System.err.println(\"\\tat evil.Evil.m(Evil.java:1)\");"
                        " new Thread(() -> { throw new IllegalStateException(\"late\"); }).start(); }\n}\n"})
        << QStringList{QStringLiteral("!\tat .proc.self.cwd.Evil.m(Evil.java:1)"),
                       QStringLiteral("!\tat evil.Evil.m(Evil.java:1)")}
        << QStringLiteral("Exception in lambda$start$0: IllegalStateException, see the console") << QString()
        << QStringLiteral("Talker.java:4");
}

void TestAppletViewer::appletsOwnWords()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, lines);
    QFETCH(QString, statusLine);
    QFETCH(QString, area);
    QFETCH(QString, link);
    const QString work = m_app->filePath(QStringLiteral("work/"));
    QDir().mkpath(work);
    for (qsizetype i = 0; i + 1 < files.size(); i += 2)
        QVERIFY(m_app->write(QStringLiteral("work/") + files[i], files[i + 1].toUtf8()));
    // A source outside the source root, where a made-up frame could lead.
    QVERIFY(QDir().mkpath(m_app->filePath(QStringLiteral("outside"))));
    QVERIFY(m_app->write(QStringLiteral("outside/Evil.java"), "class Evil {}\n"));
    QVERIFY(QFile::link(m_app->filePath(QStringLiteral("outside")), work + QStringLiteral("evil")));
    const QString ownFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_app->filePath(QStringLiteral("outside"))));
    // The desktop's browser: a stand-in that notes what it is asked to open.
    const QString opened = m_app->filePath(QStringLiteral("opened.txt"));
    QVERIFY(QDir().mkpath(m_app->filePath(QStringLiteral("bin"))));
    QVERIFY(m_app->write(QStringLiteral("bin/xdg-open"),
                         "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + opened.toUtf8() + "'\n"));
    QVERIFY(QFile::setPermissions(m_app->filePath(QStringLiteral("bin/xdg-open")),
                                  QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const QByteArray ownPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(m_app->filePath(QStringLiteral("bin"))) + ':' + ownPath);
    const auto backHome = qScopeGuard([&ownFolder, &ownPath] {
        QDir::setCurrent(ownFolder);
        qputenv("PATH", ownPath);
    });
    m_window->openFile(work + files.constFirst());
    m_window->AppletB_Click();
    QVERIFY(commandEnds(*m_window));
    QVERIFY(viewer());
    if (!statusLine.isEmpty())
        QTRY_COMPARE_WITH_TIMEOUT(viewer()->StatusLine->currentMessage(), statusLine, scaled(20000));
    if (!area.isEmpty())
        QTRY_COMPARE_WITH_TIMEOUT(browser()->message(), area, scaled(20000));
    // An exception opens the console by itself; output alone does not.
    if (link.isEmpty()) {
        QTRY_VERIFY_WITH_TIMEOUT(browser()->output()->count() >= lines.size(), scaled(20000));
        QVERIFY(!console());
        m_window->findChild<QAction *>(QStringLiteral("AppletConsoleB"))->trigger();
    }
    QTRY_VERIFY_WITH_TIMEOUT(console(), scaled(20000));
    QVERIFY(console()->header().startsWith(QStringLiteral("Talker, started ")));
    QTextDocument *text = console()->text()->document();
    QTRY_VERIFY_WITH_TIMEOUT(text->blockCount() >= lines.size(), scaled(20000));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QTextBlock block = text->findBlockByNumber(int(i));
        const bool err = lines[i].startsWith(QLatin1Char('!'));
        QVERIFY2(block.text().startsWith(err ? lines[i].mid(1) : lines[i]), qPrintable(block.text()));
        QCOMPARE(block.begin().fragment().charFormat().hasProperty(QTextFormat::ForegroundBrush), err);
    }
    // Only the host's own report sets the status line.
    if (!statusLine.isEmpty())
        QCOMPARE(viewer()->StatusLine->currentMessage(), statusLine);
    // Only what the console says was opened reached the browser.
    QStringList urls;
    for (const QString &line : lines)
        if (line.endsWith(QLatin1String("opened in the desktop's browser")))
            urls.append(line.section(QLatin1Char('('), 1).section(QLatin1String("): "), 0, 0));
    QTRY_COMPARE_WITH_TIMEOUT(QString::fromUtf8(m_app->read(QStringLiteral("opened.txt")))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts),
                              urls, scaled(10000));
    if (link.isEmpty())
        return;
    // The trace comes on the console's channel, which may lag behind the host's report.
    QTRY_VERIFY_WITH_TIMEOUT(text->toPlainText().contains(link), scaled(20000));
    // Every link leads into the source root.
    for (QTextBlock block = text->begin(); block.isValid(); block = block.next())
        for (auto piece = block.begin(); !piece.atEnd(); ++piece)
            if (const QString href = piece.fragment().charFormat().anchorHref(); !href.isEmpty())
                QVERIFY2(QFileInfo(href.section(QLatin1Char(':'), 1))
                             .canonicalFilePath()
                             .startsWith(QFileInfo(work).canonicalFilePath() + QLatin1Char('/')),
                         qPrintable(href));

    // The first frame with a link: a click brings the throwing line.
    const int at = text->toPlainText().indexOf(link);
    QVERIFY(at > 0);
    QTextCursor place(text);
    place.setPosition(at + 1);
    const QPoint point = console()->text()->cursorRect(place).center();
    QTest::mouseClick(console()->text()->viewport(), Qt::LeftButton, {}, point);
    QCOMPARE(QFileInfo(m_window->document().FileName()).fileName(), link.section(QLatin1Char(':'), 0, 0));
    auto *pane = m_window->findChild<QPlainTextEdit *>(QStringLiteral("Richtextbox1"));
    QCOMPARE(pane->textCursor().blockNumber() + 1, link.section(QLatin1Char(':'), 1).toInt());
}

namespace {

qint64 residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').constFirst().toLongLong();
    return 0;
}

} // namespace

// An applet that prints without end keeps neither Zarn's window waiting nor its
// memory growing: the console keeps the last lines and counts the others.
void TestAppletViewer::floodNeitherFreezesNorGrows()
{
    const QString work = m_app->filePath(QStringLiteral("work/"));
    QDir().mkpath(work);
    const auto writeFlood = [this](int lines) {
        return m_app->write(QStringLiteral("work/Flood.java"),
                            "public class Flood extends java.applet.Applet {\npublic void start() {\n"
                            "new Thread(() -> { for (int i = 0; i < "
                                + QByteArray::number(lines)
                                + "; ++i) System.out.println(\"line \" + i);\n"
                                  "System.out.println(\"done\"); }).start();\n}\n}\n");
    };
    m_window->document().setFileName(work + QStringLiteral("Flood.java"));
    m_window->findChild<QAction *>(QStringLiteral("AppletConsoleB"))->trigger();
    QVERIFY(console());
    QCOMPARE(console()->header(), QStringLiteral("No applet has run yet."));
    QTextDocument *text = console()->text()->document();
    // A first, short run opens everything a run needs.
    QVERIFY(writeFlood(100));
    m_window->AppletB_Click();
    QVERIFY(commandEnds(*m_window));
    QTRY_COMPARE_WITH_TIMEOUT(text->lastBlock().text(), QStringLiteral("done"), scaled(20000));
    QCOMPARE(text->blockCount(), 101);
    const qint64 before = residentKb();

    QVERIFY(writeFlood(1000000));
    // The most memory, throughout (how long the window waits is a benchmark's).
    qint64 most = before;
    QTimer tick;
    connect(&tick, &QTimer::timeout, [&] { most = std::max(most, residentKb()); });
    m_window->AppletB_Click();
    QVERIFY(commandEnds(*m_window));
    tick.start(10);
    QTRY_COMPARE_WITH_TIMEOUT(text->lastBlock().text(), QStringLiteral("done"), scaled(120000));
    tick.stop();
    QCOMPARE(text->blockCount(), 10000);
    QCOMPARE(text->firstBlock().text(), QStringLiteral("line 990001"));
    QVERIFY(console()->header().endsWith(QStringLiteral("(990,001 earlier lines dropped)")));
#ifndef __SANITIZE_ADDRESS__ // which keeps freed memory in quarantine
    QVERIFY2(most - before < 50 * 1024, qPrintable(QStringLiteral("grew by %1 kB").arg(most - before)));
#endif
}

// A package's helper viewed runs the applet viewed last from the package; with the
// comforts on, the viewer takes the applet's own size and names its class. It lies
// on the screen and off the main window's status bar.
void TestAppletViewer::helperRunsItsPackagesAppletInAFittedViewer()
{
    m_window->settings().changeWorkspace({true, true, true, false});
    const QString work = m_app->filePath(QStringLiteral("work/a/b/"));
    QVERIFY(QDir().mkpath(work));
    const auto painter = [this](const char *rgb) {
        return m_app->write(QStringLiteral("work/a/b/Painter.java"),
                            QByteArray("package a.b;\nclass Painter { static java.awt.Color colour() { "
                                       "return new java.awt.Color(")
                                + rgb + "); } }\n");
    };
    QVERIFY(painter("30, 160, 60"));
    QVERIFY(m_app->write(QStringLiteral("work/a/b/Game.java"),
                         "package a.b;\n"
                             + appletSource("Game",
                                            "/* <applet code=a.b.Game.class width=640 "
                                            "height=480></applet> */\n",
                                            "c = Painter.colour();")));

    // No applet viewed yet: the helper is run, and is said not to be one.
    m_window->openFile(work + QStringLiteral("Painter.java"));
    m_window->AppletB_Click();
    QVERIFY(commandEnds(*m_window));
    QTRY_VERIFY_WITH_TIMEOUT(browser()->message().contains(QStringLiteral("is not an applet")),
                             scaled(20000));

    m_window->openFile(work + QStringLiteral("Game.java"));
    m_window->AppletB_Click();
    QVERIFY(commandEnds(*m_window));
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(browser()->surface()), QColor(30, 160, 60), scaled(20000));
    QCOMPARE(viewer()->windowTitle(), QStringLiteral("a.b.Game - View Applet"));
    QCOMPARE(browser()->size(), QSize(640, 480));
    QCOMPARE(browser()->surface()->size(), QSize(640, 480));
    const QRect screen = viewer()->screen()->availableGeometry();
    QVERIFY(screen.contains(viewer()->geometry()));
    auto *statusBar = m_window->findChild<QStatusBar *>(QStringLiteral("StatusBar1"));
    QVERIFY(
        !viewer()->frameGeometry().intersects(QRect(statusBar->mapToGlobal(QPoint()), statusBar->size())));

    // The helper changed and viewed: the package's applet runs with it.
    QVERIFY(painter("200, 100, 0"));
    m_window->openFile(work + QStringLiteral("Painter.java"));
    m_window->AppletB_Click();
    QVERIFY(commandEnds(*m_window));
    QCOMPARE(status(), QStringLiteral("Viewing Game (last applet of this package)"));
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(browser()->surface()), QColor(200, 100, 0), scaled(20000));
    QCOMPARE(m_window->document().FileName(), work + QStringLiteral("Painter.java"));
}

// F9 on a page runs its first applet: compiled from the source beside it, or the
// published class as it is.
void TestAppletViewer::pagesViewedWithAndWithoutTheirSource()
{
    const QByteArray game = appletSource("Game", "",
                                         "String[] v = getParameter(\"RGB\").split(\",\");\n"
                                         "c = new Color(Integer.parseInt(v[0]), Integer.parseInt(v[1]), "
                                         "Integer.parseInt(v[2]));");
    const QByteArray page = "<html><body><applet code=Game.class width=200 height=100>"
                            "<param name=RGB value=\"0,150,90\"></applet>\n<applet code=Other></applet>\n";
    QVERIFY(QDir().mkpath(m_app->filePath(QStringLiteral("work/page"))));
    QVERIFY(m_app->write(QStringLiteral("work/page/Game.java"), game));
    QVERIFY(m_app->write(QStringLiteral("work/page/Game.html"), page));
    m_window->openFile(m_app->filePath(QStringLiteral("work/page/Game.html")));
    m_window->AppletB_Click();
    QVERIFY(commandEnds(*m_window));
    QCOMPARE(status(), QStringLiteral("Viewing Game, compiled from its source (the first of its 2 applets)"));
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(browser()->surface()), QColor(0, 150, 90), scaled(20000));
    QCOMPARE(browser()->surface()->size(), QSize(200, 100));

    // Published without its source: the class runs as it is, with the page's parameter.
    const QString published = m_app->filePath(QStringLiteral("work/published/"));
    QVERIFY(QDir().mkpath(published));
    QProcess javac;
    javac.start(javacPath(),
                {QStringLiteral("-d"), published, m_app->filePath(QStringLiteral("work/page/Game.java"))});
    QVERIFY(javac.waitForFinished(scaled(60000)) && javac.exitCode() == 0);
    QVERIFY(m_app->write(QStringLiteral("work/published/Game.html"),
                         QByteArray(page).replace("0,150,90", "90,0,150")));
    m_window->openFile(published + QStringLiteral("Game.html"));
    m_window->AppletB_Click();
    QVERIFY(commandEnds(*m_window));
    QCOMPARE(
        status(),
        QStringLiteral("Viewing Game as published: no source beside the page (the first of its 2 applets)"));
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(browser()->surface()), QColor(90, 0, 150), scaled(20000));

    // A page without an applet, or whose class is nowhere, says so.
    QVERIFY(m_app->write(QStringLiteral("work/published/Plain.html"), "<html><body>no applet</body></html>"));
    m_window->openFile(published + QStringLiteral("Plain.html"));
    m_window->AppletB_Click();
    QCOMPARE(status(), QStringLiteral("Plain.html holds no applet element"));
    QVERIFY(m_app->write(QStringLiteral("work/published/Gone.html"), "<applet code=Gone.class></applet>"));
    m_window->openFile(published + QStringLiteral("Gone.html"));
    m_window->AppletB_Click();
    QCOMPARE(status(), QStringLiteral("Gone.html runs Gone, whose source and class are not there"));
    QVERIFY(m_messages->texts.isEmpty());
}

void TestAppletViewer::runnableJarRunsAnywhere_data()
{
    addJdkRows();
}

// Published as a jar, and run with java -jar from another folder, nothing of Zarn's
// there: a packaged applet with an image beside its class (through its code base and
// its class) and a parameter, which says where it painted and when it stopped.
void TestAppletViewer::runnableJarRunsAnywhere()
{
    QFETCH(QString, javac);
    QFETCH(QString, absent);
    if (javac.isEmpty())
        QSKIP(qPrintable(absent));
    const QString work = m_app->filePath(QStringLiteral("work/"));
    QVERIFY(QDir().mkpath(work + QStringLiteral("games/pics")));
    QImage dot(4, 4, QImage::Format_RGB32);
    dot.fill(QColor(30, 140, 70));
    QVERIFY(dot.save(work + QStringLiteral("games/pics/dot.png")));
    QVERIFY(m_app->write(
        QStringLiteral("work/games/Game.java"),
        "package games;\n/* <applet code=games.Game.class width=240 height=160>\n"
        "<param name=RGB value=\"0,120,200\"></applet> */\n"
        "import java.applet.Applet;\nimport java.awt.*;\npublic class Game extends Applet {\n"
        "Color c; Image dot; boolean told;\npublic void init() {\n"
        "String[] v = getParameter(\"rgb\").split(\",\");\n"
        "c = new Color(Integer.parseInt(v[0]), Integer.parseInt(v[1]), Integer.parseInt(v[2]));\n"
        "dot = getImage(getCodeBase(), \"games/pics/dot.png\");\n"
        "MediaTracker t = new MediaTracker(this); t.addImage(dot, 0);\n"
        "try { t.waitForAll(); } catch (InterruptedException e) { }\n"
        "if (Game.class.getResource(\"pics/dot.png\") == null) c = Color.BLACK;\n}\n"
        "public void paint(Graphics g) {\ng.setColor(c); g.fillRect(0, 0, getWidth(), getHeight());\n"
        "g.drawImage(dot, 0, 0, 20, 20, this);\nif (!told && isShowing()) { told = true;\n"
        "Point p = getLocationOnScreen();\n"
        "System.out.println(\"painted \" + p.x + \" \" + p.y + \" \" + getWidth() + \" \" + getHeight()); "
        "}\n}\n"
        "public void stop() { System.out.println(\"stopped\"); }\n"
        "public void destroy() { System.out.println(\"destroyed\"); }\n}\n"));
    // Viewed first, so that Zarn knows the image it loads.
    m_window->openFile(work + QStringLiteral("games/Game.java"));
    m_window->AppletB_Click();
    QVERIFY(commandEnds(*m_window));
    QTRY_COMPARE_WITH_TIMEOUT(colourAtCentre(browser()->surface()), QColor(0, 120, 200), scaled(20000));
    m_dialog->answer(m_app->filePath(QStringLiteral("Game.jar")));
    m_window->PubRunnableJarB_Click();
    QVERIFY(commandEnds(*m_window));
    QCOMPARE(m_dialog->shown.back().offeredName, work + QStringLiteral("Game.jar"));
    QCOMPARE(status(), QStringLiteral("Published Game.jar with 1 file it loads"));

    // Sent to a friend: copied into another folder, run there with its own temporary folder.
    QTemporaryDir elsewhere;
    QVERIFY(QFile::copy(m_app->filePath(QStringLiteral("Game.jar")),
                        elsewhere.filePath(QStringLiteral("Game.jar"))));
    QVERIFY(QDir().mkpath(elsewhere.filePath(QStringLiteral("tmp"))));
    QProcess java;
    java.setWorkingDirectory(elsewhere.path());
    java.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    java.start(QFileInfo(javac).dir().filePath(QStringLiteral("java")),
               {QStringLiteral("-Djava.io.tmpdir=") + elsewhere.filePath(QStringLiteral("tmp")),
                QStringLiteral("-jar"), QStringLiteral("Game.jar")});
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += java.readAllStandardOutput()).contains("painted"), scaled(30000));
    QTRY_VERIFY_WITH_TIMEOUT((said += java.readAllStandardOutput()).contains('\n'), scaled(5000));
    const QStringList painted = QString::fromLatin1(said)
                                    .section(QStringLiteral("painted "), 1)
                                    .section(QLatin1Char('\n'), 0, 0)
                                    .split(QLatin1Char(' '));
    QCOMPARE(painted.size(), 4);
    const QRect area(painted[0].toInt(), painted[1].toInt(), painted[2].toInt(), painted[3].toInt());
    QCOMPARE(area.size(), QSize(240, 160));
    QTRY_COMPARE_WITH_TIMEOUT(Desktop::colourAt(area.center()), QColor(0, 120, 200), scaled(5000));
    QCOMPARE(Desktop::colourAt(area.topLeft() + QPoint(5, 5)), QColor(30, 140, 70));

    // Closed as a window manager closes it: the applet stops and is destroyed.
    const QStringList windows = Desktop::windows(QStringLiteral("^games\\.Game$"));
    QCOMPARE(windows.size(), 1);
    Desktop::close(windows.constFirst());
    QVERIFY(java.waitForFinished(scaled(10000)));
    QCOMPARE(java.exitCode(), 0);
    said += java.readAllStandardOutput();
    QVERIFY2(said.endsWith("stopped\ndestroyed\n"), said.constData());
    QCOMPARE(
        QDir(elsewhere.filePath(QStringLiteral("tmp"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
        QStringList());
}

ZARN_XVFB_TEST_MAIN(TestAppletViewer)
#include "tst_appletviewer.moc"
