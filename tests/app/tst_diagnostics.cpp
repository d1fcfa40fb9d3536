// The compiler's messages after a compile: marks in the pane, the summary at the
// right of the status bar, F8 and Shift+F8. Real javac.
#include "AppFolder.h"
#include "AppletApi.h"
#include "AppletCommands.h"
#include "CompletionList.h"
#include "EditorPane.h"
#include "JavaSources.h"
#include "RecordingMessages.h"
#include "ScriptedFileDialog.h"
#include "TestJdks.h"
#include "WarmCompiler.h"
#include "Zarn.h"
#include "ZarnTesting.h"

#include <QDropEvent>
#include <QHelpEvent>
#include <QMimeData>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <QToolTip>

namespace {

const QByteArray TwoErrors = "public class Two {\n"
                             "    int x = missing;\n"
                             "    void f() {\n"
                             "        foo(1);\n"
                             "    }\n"
                             "}\n";

} // namespace

class TestDiagnostics : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void nothingBeforeTheFirstCompile();
    void twoErrorsMarkTwoPlaces();
    void f8GoesFromMessageToMessage();
    void summaryClickAndTooltips();
    void editingClearsTheMarksOfThatLine();
    void fixingAndRecompilingClearsThem();
    void typedErrorsAreMarkedWithoutACompile();
    void ctrlSpaceCompletesFromJavacsSymbols();
    void aCompileThatCannotRunCountsNothing();
    void marksPastTheLineEndAreSeen_data();
    void marksPastTheLineEndAreSeen();
    void everyJdkCompilesTheWholeAppletApi_data();
    void everyJdkCompilesTheWholeAppletApi();
    void zarnsAppletApiIsTheJdks_data();
    void zarnsAppletApiIsTheJdks();

private:
    void compile();
    QToolButton *summary() const
    {
        return m_window->findChild<QToolButton *>(QStringLiteral("DiagnosticsSummary"));
    }
    EditorPane *pane() const { return m_window->findChild<EditorPane *>(QStringLiteral("Richtextbox1")); }
    // The (line, column) where each wavy underline starts.
    QList<QPoint> underlines() const;
    QPoint caret() const
    {
        const QTextCursor cursor = pane()->textCursor();
        return {cursor.blockNumber() + 1, cursor.positionInBlock() + 1};
    }

    QString status() const
    {
        return m_window->findChild<QStatusBar *>(QStringLiteral("StatusBar1"))->currentMessage();
    }

    std::unique_ptr<AppFolder> m_app;
    QPointer<Zarn> m_window;
};

void TestDiagnostics::init()
{
    m_app = std::make_unique<AppFolder>();
    m_app->write(QStringLiteral("Two.java"), TwoErrors);
    auto dialog = std::make_shared<ScriptedFileDialog>();
    dialog->answer(m_app->filePath(QStringLiteral("Two.java")));
    m_window = new Zarn(m_app->path(), {std::make_shared<RecordingMessages>(), dialog});
    useCompiler(*m_window, javacPath());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_window->OpenB_Click();
}

void TestDiagnostics::cleanup()
{
    delete m_window;
}

void TestDiagnostics::compile()
{
    const std::optional<WindowCompile> compiled = compileInWindow(
        *m_window, m_app->filePath(QStringLiteral("temp")), AppletCommands::CompileFeedbackStyle::StatusBar);
    QVERIFY(compiled && compiled->compiled);
    QCOMPARE(m_window->findChild<QStatusBar *>(QStringLiteral("StatusBar1"))->currentMessage(),
             QStringLiteral("Done Compiling"));
}

// javac puts "';' expected" after the line's last token: the mark goes on the
// last character that can be seen, and a line without text is tinted whole. A
// name javac cannot find is marked whole, also where its column is the dot before it.
void TestDiagnostics::marksPastTheLineEndAreSeen_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QPoint>("underline"); // (0, 0): the whole line is tinted
    QTest::addColumn<int>("extent");
    const QString semicolon = QStringLiteral("';' expected");
    QTest::newRow("after the last token") << 2 << 14 << semicolon << QPoint(2, 13) << 1;
    QTest::newRow("in trailing blanks") << 2 << 16 << semicolon << QPoint(2, 13) << 1;
    QTest::newRow("far past the end") << 2 << 80 << semicolon << QPoint(2, 13) << 1;
    QTest::newRow("on a word") << 2 << 9 << semicolon << QPoint(2, 9) << 1;
    QTest::newRow("empty line") << 3 << 1 << semicolon << QPoint() << 0;
    const QString unknown = QStringLiteral("cannot find symbol\nsymbol:   %1\nlocation: class Semi");
    QTest::newRow("member after its dot") << 4 << 27 << unknown.arg(QStringLiteral("variable bleu")) << QPoint(4, 28) << 4;
    QTest::newRow("class at its start") << 4 << 22 << unknown.arg(QStringLiteral("class Color")) << QPoint(4, 22) << 5;
    QTest::newRow("name not on the line") << 4 << 27 << unknown.arg(QStringLiteral("variable red")) << QPoint(4, 27) << 1;
}

void TestDiagnostics::marksPastTheLineEndAreSeen()
{
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(QString, message);
    QFETCH(QPoint, underline);
    QFETCH(int, extent);
    pane()->setPlainText(QStringLiteral("class Semi {\n    int x = 1   \n\n    Object bleuish = Color.bleu;\n}\n"));
    pane()->setDiagnostics({{line, column, true, message}});
    QCOMPARE(underlines(), underline.isNull() ? QList<QPoint>() : QList<QPoint>{underline});
    if (underline.isNull()) {
        const QTextEdit::ExtraSelection tint = pane()->extraSelections().first();
        QVERIFY(tint.format.property(QTextFormat::FullWidthSelection).toBool());
        QCOMPARE(tint.cursor.blockNumber(), 2);
    } else {
        const QTextCursor mark = pane()->extraSelections().first().cursor;
        QCOMPARE(mark.selectionEnd() - mark.selectionStart(), extent);
    }
}

QList<QPoint> TestDiagnostics::underlines() const
{
    QList<QPoint> places;
    for (const QTextEdit::ExtraSelection &selection : pane()->extraSelections())
        if (selection.format.underlineStyle() == QTextCharFormat::WaveUnderline)
            places.append({selection.cursor.block().blockNumber() + 1,
                           selection.cursor.selectionStart() - selection.cursor.block().position() + 1});
    return places;
}

void TestDiagnostics::everyJdkCompilesTheWholeAppletApi_data()
{
    addJdkRows();
}

// An applet calling every public method of the Applet API's five types compiles
// with every JDK: with the JDK's own API, or with Zarn's where the JDK has none. The
// JDK's notices that its API is deprecated for removal are not counted nor marked;
// the author's own warning is.
void TestDiagnostics::everyJdkCompilesTheWholeAppletApi()
{
    QFETCH(QString, javac);
    QFETCH(QString, absent);
    if (javac.isEmpty())
        QSKIP(qPrintable(absent));
    m_app->write(QStringLiteral("Everything.java"), appletApiInFull());
    m_window->openFile(m_app->filePath(QStringLiteral("Everything.java")));
    useCompiler(*m_window, javac);
    compile();
    QCOMPARE(summary()->text(), QStringLiteral("1 warning"));
    QVERIFY2(QFile::exists(m_app->filePath(QStringLiteral("temp/Everything.class"))),
             qPrintable(summary()->toolTip()));
    const QList<QPoint> marks = underlines();
    QCOMPARE(marks.size(), 1);
    QCOMPARE(pane()->document()->findBlockByNumber(marks.constFirst().x() - 1).text().trimmed(),
             QStringLiteral("Object manager = System.getSecurityManager(); // the author's own warning"));
    if (testJdkVersion(javac) == 17 && javac != installedJdk(17)) {
        // The JDK without the API cannot compile it alone.
        QProcess alone;
        alone.start(javac, {QStringLiteral("-d"), m_app->filePath(QStringLiteral("alone")),
                            m_app->filePath(QStringLiteral("Everything.java"))});
        QVERIFY(alone.waitForFinished(scaled(60000)));
        QCOMPARE(alone.exitCode(), 1);
    }
}

namespace {

// What a JDK tool prints about its arguments.
QString printed(const QString &tool, const QStringList &arguments)
{
    QProcess run;
    run.start(tool, arguments);
    return run.waitForFinished(scaled(60000)) ? QString::fromUtf8(run.readAllStandardOutput()) : QString();
}

// The class's own deprecation as javap -v prints it below its members.
QStringList deprecationOf(const QString &verbose)
{
    static const QRegularExpression said(
        QStringLiteral("Deprecated: true|java.lang.Deprecated\\(|since=|forRemoval="));
    return verbose.mid(verbose.lastIndexOf(QLatin1String("\n}\n"))).split(QLatin1Char('\n')).filter(said);
}

} // namespace

void TestDiagnostics::zarnsAppletApiIsTheJdks_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("serializable");
    for (const char *type : {"java.applet.Applet", "java.applet.Applet$AccessibleApplet",
                             "javax.swing.JApplet", "javax.swing.JApplet$AccessibleJApplet"})
        QTest::newRow(type) << QString::fromLatin1(type) << true;
    for (const char *type : {"java.applet.AppletContext", "java.applet.AppletStub", "java.applet.AudioClip"})
        QTest::newRow(type) << QString::fromLatin1(type) << false;
}

// Zarn's Applet API is the JDK's as javac and serialization see it: the same public
// and protected members, the same deprecation for removal, the same serialVersionUIDs.
void TestDiagnostics::zarnsAppletApiIsTheJdks()
{
    QFETCH(QString, type);
    QFETCH(bool, serializable);
    const QString javac = installedJdk(17);
    if (javac.isEmpty())
        QSKIP("no JDK 17, whose Applet API Zarn's is compared with");
    const QString javap = QFileInfo(javac).absolutePath() + QStringLiteral("/javap");
    const QString ours = QStringLiteral("jar:file://%1!/%2.class")
                             .arg(appletApiJar(), QString(type).replace(QLatin1Char('.'), QLatin1Char('/')));
    const auto members = [](QString listed) {
        return listed.remove(QRegularExpression(QStringLiteral("^Compiled from .*\n")));
    };
    const QString theirMembers = members(printed(javap, {QStringLiteral("-protected"), type}));
    QVERIFY(theirMembers.contains(QLatin1Char('{')));
    QCOMPARE(members(printed(javap, {QStringLiteral("-protected"), ours})), theirMembers);
    const QString ourVerbose = printed(javap, {QStringLiteral("-v"), QStringLiteral("-p"), ours});
    const QStringList theirDeprecation = deprecationOf(printed(javap, {QStringLiteral("-v"), type}));
    QCOMPARE(theirDeprecation.size(), type.contains(QLatin1Char('$')) ? 0 : 4); // the nested ones are not
    QCOMPARE(deprecationOf(ourVerbose), theirDeprecation);
    if (!serializable)
        return;
    static const QRegularExpression theirs(QStringLiteral("serialVersionUID = (-?\\d+)L;"));
    static const QRegularExpression declared(
        QStringLiteral("serialVersionUID;\\n(?:.*\\n){2}\\s*ConstantValue: long (-?\\d+)l"));
    const QString theirUid = theirs
                                 .match(printed(
                                     QFileInfo(javac).absolutePath() + QStringLiteral("/serialver"), {type}))
                                 .captured(1);
    QVERIFY(!theirUid.isEmpty());
    QCOMPARE(declared.match(ourVerbose).captured(1), theirUid);
}

void TestDiagnostics::nothingBeforeTheFirstCompile()
{
    QVERIFY(!summary()->isVisible());
    QVERIFY(underlines().isEmpty());
}

void TestDiagnostics::twoErrorsMarkTwoPlaces()
{
    compile();
    QCOMPARE(underlines(), (QList<QPoint>{{2, 13}, {4, 9}}));
    QVERIFY(summary()->isVisible());
    QCOMPARE(summary()->text(), QStringLiteral("2 errors"));
    // Errors are red, on the text and in the summary.
    QCOMPARE(pane()->extraSelections().first().format.underlineColor(), QColor(220, 40, 40));
    QVERIFY(summary()->styleSheet().contains(QColor(220, 40, 40).name()));

    // A file dropped on the window opens; the last compile's words go with the old text.
    m_app->write(QStringLiteral("Other.java"), "class Other {}\n");
    auto *drop = new QMimeData;
    drop->setUrls({QUrl::fromLocalFile(m_app->filePath(QStringLiteral("Other.java")))});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, drop, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pane()->viewport(), &enter);
    QDropEvent dropped(QPointF(20, 20), Qt::CopyAction, drop, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pane()->viewport(), &dropped);
    QCOMPARE(pane()->toPlainText(), QStringLiteral("class Other {}\n"));
    QVERIFY(!summary()->isVisible());
    QCOMPARE(status(), QString());
    QVERIFY(underlines().isEmpty());
    delete drop;
}

void TestDiagnostics::f8GoesFromMessageToMessage()
{
    compile();
    pane()->moveCursor(QTextCursor::Start);
    QTest::keyClick(pane(), Qt::Key_F8);
    QCOMPARE(caret(), QPoint(2, 13));
    // The message with its details in one line, without a tooltip.
    QCOMPARE(status(), QStringLiteral("cannot find symbol: variable missing (location: class Two)"));
    QTest::keyClick(pane(), Qt::Key_F8);
    QCOMPARE(caret(), QPoint(4, 9));
    QTest::keyClick(pane(), Qt::Key_Home); // off the mark: the status bar says what it said
    QCOMPARE(status(), QStringLiteral("Done Compiling"));
    QTest::keyClick(pane(), Qt::Key_End);
    QTest::keyClick(pane(), Qt::Key_F8); // round to the first again
    QCOMPARE(caret(), QPoint(2, 13));
    QTest::keyClick(pane(), Qt::Key_F8, Qt::ShiftModifier);
    QCOMPARE(caret(), QPoint(4, 9));
    QTest::keyClick(pane(), Qt::Key_F8, Qt::ShiftModifier);
    QCOMPARE(caret(), QPoint(2, 13));
}

void TestDiagnostics::summaryClickAndTooltips()
{
    compile();
    pane()->moveCursor(QTextCursor::End);
    QTest::mouseClick(summary(), Qt::LeftButton);
    QCOMPARE(caret(), QPoint(2, 13));
    QCOMPARE(QApplication::focusWidget(), pane());

    // Hovering the summary shows the compiler's own words, without -verbose lines.
    QVERIFY(summary()->toolTip().contains(QStringLiteral("error: cannot find symbol")));
    QVERIFY(!summary()->toolTip().contains(QStringLiteral("[parsing")));

    // Hovering a mark shows its message.
    QTextCursor mark(pane()->document()->findBlockByNumber(1));
    mark.setPosition(mark.position() + 14);
    const QPoint at = pane()->viewport()->mapTo(pane(), pane()->cursorRect(mark).center());
    QHelpEvent hover(QEvent::ToolTip, at, pane()->mapToGlobal(at));
    QApplication::sendEvent(pane(), &hover);
    QTRY_VERIFY(QToolTip::isVisible());
    QVERIFY2(QToolTip::text().contains(QStringLiteral("variable missing")), qPrintable(QToolTip::text()));
}

void TestDiagnostics::editingClearsTheMarksOfThatLine()
{
    compile();
    QTextCursor line2(pane()->document()->findBlockByNumber(1));
    line2.movePosition(QTextCursor::EndOfBlock);
    pane()->setTextCursor(line2);
    QTest::keyClicks(pane(), QStringLiteral(" // still wrong"));
    QCOMPARE(underlines(), (QList<QPoint>{{4, 9}})); // the other mark stays, and moves with the text
    QTest::keyClick(pane(), Qt::Key_Home);
    QTest::keyClick(pane(), Qt::Key_Return);
    QCOMPARE(underlines(), (QList<QPoint>{{5, 9}}));
}

void TestDiagnostics::fixingAndRecompilingClearsThem()
{
    compile();
    m_app->write(QStringLiteral("Two.java"), "public class Two { int x = 1; }\n");
    compile();
    QVERIFY(underlines().isEmpty());
    QCOMPARE(summary()->text(), QStringLiteral("0 errors"));
}

// Once a compile has readied the warm compiler, the text is checked as typed: the
// summary and the marks follow it, and nothing is written anywhere.
// No compile before: the first change starts the warm compiler, and its check follows.
void TestDiagnostics::typedErrorsAreMarkedWithoutACompile()
{
    QTextCursor all(pane()->document());
    all.select(QTextCursor::Document);
    all.insertText(QStringLiteral("public class Two {\n    int x = 1;\n}\n"));
    QTRY_COMPARE_WITH_TIMEOUT(summary()->text(), QStringLiteral("0 errors"), scaled(60000));
    QVERIFY(underlines().isEmpty());
    QVERIFY(status().isEmpty());
    const QStringList before = filesBelow(m_app->path());

    QTextCursor line2(pane()->document()->findBlockByNumber(1));
    line2.movePosition(QTextCursor::EndOfBlock);
    pane()->setTextCursor(line2);
    QTest::keyClicks(pane(), QStringLiteral(" int y = nope;"));
    QTRY_COMPARE_WITH_TIMEOUT(summary()->text(), QStringLiteral("1 error"), scaled(20000));
    QCOMPARE(underlines(), (QList<QPoint>{{2, 24}}));
    QCOMPARE(m_app->read(QStringLiteral("Two.java")), TwoErrors);
    QCOMPARE(filesBelow(m_app->path()), before);
}

// Ctrl+Space before any compile: the list comes from javac's symbols once the warm
// compiler is up, keys typed meanwhile and through the list filter it, and Return
// puts the name in.
void TestDiagnostics::ctrlSpaceCompletesFromJavacsSymbols()
{
    QTextCursor all(pane()->document());
    all.select(QTextCursor::Document);
    all.insertText(QStringLiteral("import java.awt.*;\npublic class Two extends java.applet.Applet {\n"
                                  "    public void paint(Graphics g) {\n        g.\n    }\n}\n"));
    QTextCursor afterDot(pane()->document()->findBlockByNumber(3));
    afterDot.movePosition(QTextCursor::EndOfBlock);
    pane()->setTextCursor(afterDot);
    QTest::keySequence(pane(), QKeySequence(Qt::CTRL | Qt::Key_Space));
    QTest::keyClicks(pane(), QStringLiteral("dr"));
    const auto list = [this] {
        return m_window->findChild<CompletionList *>(QStringLiteral("CodeCompletionList"));
    };
    QTRY_VERIFY2_WITH_TIMEOUT(list() && list()->isVisible(), qPrintable(status()), scaled(60000));
    QVERIFY(!list()->findItems(QStringLiteral("drawLine(int, int, int, int)"), Qt::MatchExactly).isEmpty());
    QVERIFY(list()->findItems(QStringLiteral("getColor()"), Qt::MatchExactly).isEmpty());
    QTest::keyClicks(pane(), QStringLiteral("awLi"));
    QCOMPARE(list()->count(), 1);
    QTest::keyClick(pane(), Qt::Key_Return);
    QVERIFY(!list()->isVisible());
    QCOMPARE(pane()->document()->findBlockByNumber(3).text(), QStringLiteral("        g.drawLine("));
    QCOMPARE(m_app->read(QStringLiteral("Two.java")), TwoErrors);
}

void TestDiagnostics::aCompileThatCannotRunCountsNothing()
{
    compile();
    // A compiler path naming a file that cannot be run: nothing runs, nothing is counted.
    useCompiler(*m_window, m_app->filePath(QStringLiteral("Two.java")));
    const std::optional<WindowCompile> refused = compileInWindow(
        *m_window, m_app->filePath(QStringLiteral("temp")), AppletCommands::CompileFeedbackStyle::StatusBar);
    QVERIFY(refused && !refused->compiled);
    QCOMPARE(m_window->findChild<QStatusBar *>(QStringLiteral("StatusBar1"))->currentMessage(),
             QStringLiteral("Compile Failed: no Java compiler at '%1'. Choose one in View > Options.")
                 .arg(m_app->filePath(QStringLiteral("Two.java"))));
    QVERIFY(!summary()->isVisible());
    QVERIFY(underlines().isEmpty());

    // A compiler that prints a great deal: the summary's tooltip shows its first 40 lines.
    m_app->write(QStringLiteral("chatty"), "#!/bin/sh\nseq 1 100000\ntouch \"$3/Two.class\"\n");
    QFile::setPermissions(m_app->filePath(QStringLiteral("chatty")),
                          QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    useCompiler(*m_window, m_app->filePath(QStringLiteral("chatty")));
    QVERIFY(compileInWindow(*m_window, m_app->filePath(QStringLiteral("temp")),
                            AppletCommands::CompileFeedbackStyle::StatusBar));
    const QStringList lines = summary()->toolTip().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 41);
    QCOMPARE(lines.at(39), QStringLiteral("40"));
    QCOMPARE(lines.last(), QStringLiteral("..."));
}

QTEST_MAIN(TestDiagnostics)
#include "tst_diagnostics.moc"
