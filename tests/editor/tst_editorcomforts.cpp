// Highlighting, line numbers, matching brackets, indentation on Enter, undo and
// redo: the pane's comforts, and that typing stays as it was.
#include "BracketMatch.h"
#include "EditorPane.h"
#include "FindWindow.h"
#include "JavaHighlighter.h"
#include "PackageCompletion.h"
#include "RecordingMessages.h"
#include "ScriptedFileDialog.h"
#include "Zarn.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace {

// The format the highlighter gave the character at column of block line.
QTextCharFormat formatAt(const QTextDocument *document, int line, int column)
{
    const QTextBlock block = document->findBlockByNumber(line);
    for (const QTextLayout::FormatRange &range : block.layout()->formats())
        if (column >= range.start && column < range.start + range.length)
            return range.format;
    return {};
}

// Collects the regions a widget paints.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(QRegion &painted)
        : m_painted(painted)
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }

private:
    QRegion &m_painted;
};

} // namespace

class TestEditorComforts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void javaIsHighlighted();
    void aKeyRepaintsItsLineAlone();
    void coloursFollowThePalette();
    void largeDocumentsAreNotHighlighted();
    void lineNumbersBesideTheText();
    void bracketsMatch();
    void matchingBracketSelections();
    void enterKeepsTheIndentation();
    void aTabIsFourSpacesWide();
    void undoAndRedoCoverEverything();
    void indentingAsProgrammersExpect_data();
    void indentingAsProgrammersExpect();
    void findReplaceAndGoToLine();

private:
    EditorPane *pane() const { return m_window->findChild<EditorPane *>(QStringLiteral("Richtextbox1")); }
    QString word() const
    {
        return m_window->findChild<PackageCompletion *>(QStringLiteral("PackageCompletion"))->CurrentWord();
    }
    QString text() const
    {
        return pane()->document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    }

    QTemporaryDir m_appFolder;
    QPointer<Zarn> m_window;
};

void TestEditorComforts::init()
{
    m_window = new Zarn(m_appFolder.path(),
                        {std::make_shared<RecordingMessages>(), std::make_shared<ScriptedFileDialog>()});
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestEditorComforts::cleanup()
{
    delete m_window;
}

void TestEditorComforts::javaIsHighlighted()
{
    pane()->setPlainText(QStringLiteral("public class A { // note\n"
                                        "    @Override String s = \"if\"; int n = 42;\n"
                                        "    /* a block\n"
                                        "       comment */ return;\n"));
    QTRY_VERIFY(pane()->isHighlighting());
    const QTextDocument *document = pane()->document();
    const HighlightColours colours = highlightColours(pane()->palette());
    QCOMPARE(formatAt(document, 0, 0).foreground().color(), colours.keyword); // public
    QCOMPARE(formatAt(document, 0, 0).fontWeight(), int(QFont::Bold));
    QVERIFY(!formatAt(document, 0, 13).hasProperty(QTextFormat::ForegroundBrush)); // A: no format
    QVERIFY(formatAt(document, 0, 20).fontItalic());                               // the line comment
    QCOMPARE(formatAt(document, 1, 5).foreground().color(), colours.annotation);   // @Override
    QCOMPARE(formatAt(document, 1, 26).foreground().color(), colours.literal);     // "if", not a keyword
    QCOMPARE(formatAt(document, 1, 39).foreground().color(), colours.literal);     // 42
    QVERIFY(formatAt(document, 3, 3).fontItalic());                            // still in the block comment
    QCOMPARE(formatAt(document, 3, 18).foreground().color(), colours.keyword); // return, after it

    // Keys re-highlight their line, and the lines after it while a comment's reach
    // changes: opened, closed, opened again, and closed by Undo.
    pane()->setPlainText(QStringLiteral("int a;\nint b;\nint c;\n"));
    QTextCursor lineEnd(document->firstBlock());
    lineEnd.movePosition(QTextCursor::EndOfBlock);
    pane()->setTextCursor(lineEnd);
    QTest::keyClicks(pane(), QStringLiteral(" /*"));
    QVERIFY(formatAt(document, 1, 0).fontItalic());
    QVERIFY(formatAt(document, 2, 0).fontItalic());
    QTest::keyClicks(pane(), QStringLiteral("*/"));
    QCOMPARE(formatAt(document, 0, 0).foreground().color(), colours.keyword);
    QCOMPARE(formatAt(document, 2, 0).foreground().color(), colours.keyword);
    QTest::keyClick(pane(), Qt::Key_Backspace);
    QVERIFY(formatAt(document, 2, 0).fontItalic());
    pane()->undo();
    QCOMPARE(document->firstBlock().text(), QStringLiteral("int a; /**/"));
    QCOMPARE(formatAt(document, 2, 0).foreground().color(), colours.keyword);
}

// Typing in a highlighted line lays out and paints that line, not the whole pane.
void TestEditorComforts::aKeyRepaintsItsLineAlone()
{
    pane()->setPlainText(QStringLiteral("    g.drawString(\"line\", 10, 20); /* text */\n").repeated(40));
    QTextCursor line(pane()->document()->findBlockByNumber(5));
    line.movePosition(QTextCursor::EndOfBlock);
    pane()->setTextCursor(line);
    QTest::keyClick(pane(), Qt::Key_Space);
    QCoreApplication::processEvents(); // the text painted once, as set
    QRegion painted;
    PaintRecorder recorder(painted);
    pane()->viewport()->installEventFilter(&recorder);
    QTest::keyClicks(pane(), QStringLiteral("int x"));
    QTRY_VERIFY(!painted.isEmpty());
    QVERIFY2(painted.boundingRect().height() <= 2 * pane()->fontMetrics().lineSpacing(),
             qPrintable(QStringLiteral("painted %1 px high").arg(painted.boundingRect().height())));
    QCOMPARE(formatAt(pane()->document(), 5, 45).foreground().color(),
             highlightColours(pane()->palette()).keyword); // int
}

void TestEditorComforts::coloursFollowThePalette()
{
    QPalette light;
    light.setColor(QPalette::Base, Qt::white);
    light.setColor(QPalette::Text, Qt::black);
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(220, 220, 220));
    const HighlightColours onLight = highlightColours(light);
    const HighlightColours onDark = highlightColours(dark);
    for (const auto &[lightColour, darkColour] : {std::pair{onLight.keyword, onDark.keyword},
                                                  {onLight.literal, onDark.literal},
                                                  {onLight.comment, onDark.comment},
                                                  {onLight.annotation, onDark.annotation}}) {
        QVERIFY(lightColour.lightnessF() < 0.6f); // dark enough to read on white
        QVERIFY(darkColour.lightnessF() > 0.5f);  // light enough to read on black
    }
}

void TestEditorComforts::largeDocumentsAreNotHighlighted()
{
    const QString line = QStringLiteral("public static final int VALUE = 42; // a line of code\n");
    pane()->setPlainText(line.repeated(EditorPane::HighlightLimit / int(line.size()) + 10));
    QVERIFY(!pane()->isHighlighting());
    QVERIFY(formatAt(pane()->document(), 5, 0).properties().isEmpty());
    pane()->setPlainText(line.repeated(10));
    QVERIFY(pane()->isHighlighting());
}

void TestEditorComforts::lineNumbersBesideTheText()
{
    pane()->setPlainText(QStringLiteral("a\n").repeated(50));
    const int narrow = pane()->gutterWidth();
    QVERIFY(narrow > 0);
    QCOMPARE(pane()->viewport()->geometry().left(), pane()->contentsRect().left() + narrow);
    pane()->setPlainText(QStringLiteral("a\n").repeated(5000));
    QVERIFY(pane()->gutterWidth() > narrow);              // room for four digits
    QCOMPARE(pane()->geometry(), QRect(0, 27, 497, 357)); // inside the pane, which keeps its place
}

void TestEditorComforts::bracketsMatch()
{
    QTextDocument document(QStringLiteral("f(a[1], {b}) )"));
    QCOMPARE(matchingBracket(document, 1), std::optional<int>(11));
    QCOMPARE(matchingBracket(document, 11), std::optional<int>(1));
    QCOMPARE(matchingBracket(document, 3), std::optional<int>(5));
    QCOMPARE(matchingBracket(document, 8), std::optional<int>(10));
    QCOMPARE(matchingBracket(document, 13), std::nullopt); // no partner
    QCOMPARE(matchingBracket(document, 2), std::nullopt);  // no bracket
}

void TestEditorComforts::matchingBracketSelections()
{
    pane()->setPlainText(QStringLiteral("if (x) { y(); }"));
    QTextCursor cursor = pane()->textCursor();
    cursor.setPosition(3); // before "("
    pane()->setTextCursor(cursor);
    QList<int> highlighted;
    for (const QTextEdit::ExtraSelection &selection : pane()->extraSelections())
        highlighted.append(selection.cursor.selectionStart());
    QCOMPARE(highlighted, (QList<int>{3, 5}));
    cursor.setPosition(15); // after "}"
    pane()->setTextCursor(cursor);
    QCOMPARE(pane()->extraSelections().size(), 2);
    QCOMPARE(pane()->extraSelections().at(1).cursor.selectionStart(), 7);
}

void TestEditorComforts::enterKeepsTheIndentation()
{
    QTest::keyClicks(pane(), QStringLiteral("    int x;"));
    QTest::keyClick(pane(), Qt::Key_Return);
    QCOMPARE(text(), QStringLiteral("    int x;\n    "));
    QCOMPARE(word(), QString()); // the rule saw the Enter, not the blanks

    QTest::keyClicks(pane(), QStringLiteral("\tjava."));
    QCOMPARE(word(), QStringLiteral("java.")); // the inserted indentation played no part
    QTest::keyClick(pane(), Qt::Key_Return);   // nothing highlighted: closes the list, breaks the line
    QTest::keyClick(pane(), Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(text(), QStringLiteral("    int x;\n    \tjava.\n    \t\n    \t"));
    QVERIFY(!text().contains(QChar(0x2028)));
}

void TestEditorComforts::aTabIsFourSpacesWide()
{
    for (const int points : {12, 20}) {
        m_window->ApplyEditorFont(QStringLiteral("Courier New"), points);
        pane()->setPlainText(QStringLiteral("\tx\n    x"));
        QTextCursor afterTab(pane()->document());
        afterTab.setPosition(1);
        QTextCursor afterSpaces(pane()->document()->findBlockByNumber(1));
        afterSpaces.setPosition(afterSpaces.position() + 4);
        QCOMPARE(pane()->cursorRect(afterTab).x(), pane()->cursorRect(afterSpaces).x());
    }
}

void TestEditorComforts::undoAndRedoCoverEverything()
{
    QTest::keyClicks(pane(), QStringLiteral("  a"));
    QTest::keyClick(pane(), Qt::Key_Return);
    QCOMPARE(text(), QStringLiteral("  a\n  "));
    QTest::keyClick(pane(), Qt::Key_Z, Qt::ControlModifier); // Enter and its indentation: one step
    QCOMPARE(text(), QStringLiteral("  a"));
    QTest::keyClick(pane(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(text(), QStringLiteral("  a\n  "));
    QTest::keyClick(pane(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(pane(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(text(), QStringLiteral("  a\n  "));

    // A completion pick is a step of its own.
    QTest::keyClicks(pane(), QStringLiteral("java."));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(text(), QStringLiteral("  a\n  java.applet"));
    QTest::keyClick(pane(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(text(), QStringLiteral("  a\n  java."));
    QTest::keyClick(pane(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(text(), QStringLiteral("  a\n  java.applet"));
}

void TestEditorComforts::indentingAsProgrammersExpect_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("from"); // the selection; -1: the caret at the end
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("after"); // one undo gives before back

    const int end = -1;
    QTest::newRow("enter after a brace") << QStringLiteral("class A {") << end << end << int(Qt::Key_Return)
                                         << QStringLiteral("class A {\n    ");
    QTest::newRow("enter after a brace, tabs")
        << QStringLiteral("\tint x;\n\tvoid f() {") << end << end << int(Qt::Key_Return)
        << QStringLiteral("\tint x;\n\tvoid f() {\n\t\t");
    QTest::newRow("closing brace goes a level back")
        << QStringLiteral("class A {\n        ") << end << end << int(Qt::Key_BraceRight)
        << QStringLiteral("class A {\n    }");
    QTest::newRow("closing brace after text stays")
        << QStringLiteral("    int[] a = {1") << end << end << int(Qt::Key_BraceRight)
        << QStringLiteral("    int[] a = {1}");
    QTest::newRow("tab indents the lines")
        << QStringLiteral("a\n\nb\nc") << 1 << 4 << int(Qt::Key_Tab) << QStringLiteral("    a\n\n    b\nc");
    QTest::newRow("tab indents with tabs")
        << QStringLiteral("\tx\na\nb") << 3 << 6 << int(Qt::Key_Tab) << QStringLiteral("\tx\n\ta\n\tb");
    QTest::newRow("shift tab unindents") << QStringLiteral("    a\n  b\n\tc\nd") << 0 << 12
                                         << int(Qt::Key_Backtab) << QStringLiteral("a\nb\nc\nd");
    QTest::newRow("shift tab on the caret's line")
        << QStringLiteral("x\n        y") << end << end << int(Qt::Key_Backtab) << QStringLiteral("x\n    y");
}

void TestEditorComforts::indentingAsProgrammersExpect()
{
    QFETCH(QString, before);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, key);
    QFETCH(QString, after);
    pane()->setPlainText(before);
    QTextCursor cursor(pane()->document());
    cursor.movePosition(QTextCursor::End);
    if (from >= 0) {
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
    }
    pane()->setTextCursor(cursor);
    if (key == Qt::Key_BraceRight)
        QTest::keyClicks(pane(), QStringLiteral("}"));
    else
        QTest::keyClick(pane(), Qt::Key(key));
    QCOMPARE(text(), after);
    QTest::keyClick(pane(), Qt::Key_Z, Qt::ControlModifier); // one step of the undo history
    QCOMPARE(text(), before);
}

// Find with its options and its wrap, Replace All as one undo step, Go to Line, and
// the caret's place in the status bar.
void TestEditorComforts::findReplaceAndGoToLine()
{
    auto messages = std::make_shared<RecordingMessages>();
    delete m_window;
    m_window = new Zarn(m_appFolder.path(), {messages, std::make_shared<ScriptedFileDialog>()});
    m_window->show();
    pane()->setPlainText(QStringLiteral("Ball ball\nfootball ball\nBALL"));
    const auto run = [this](const char *name) {
        m_window->findChild<QAction *>(QString::fromLatin1(name))->trigger();
    };
    const auto status = [this] {
        return m_window->findChild<QStatusBar *>(QStringLiteral("StatusBar1"))->currentMessage();
    };
    const auto selection = [this] {
        return QPoint(pane()->textCursor().selectionStart(), pane()->textCursor().selectionEnd());
    };

    run("FindB");
    auto *find = m_window->findChild<FindWindow *>(QStringLiteral("FindWindow"));
    QVERIFY(find && find->isVisible());
    // Put right over the text: the window moves off each match it shows.
    find->move(pane()->viewport()->mapToGlobal(QPoint(0, 0)));
    const auto matchInSight = [this, find] {
        const QRect match(pane()->viewport()->mapToGlobal(pane()->cursorRect().topLeft()), QSize(1, 1));
        return !find->frameGeometry().intersects(match);
    };
    find->findField()->setText(QStringLiteral("ball"));
    find->findChild<QAbstractButton *>(QStringLiteral("WholeWords"))->setChecked(true);
    find->findChild<QAbstractButton *>(QStringLiteral("MatchCase"))->setChecked(true);
    run("FindNextB");
    QCOMPARE(selection(), QPoint(5, 9)); // not "Ball", not in "football"
    QVERIFY(matchInSight());
    run("FindNextB");
    QCOMPARE(selection(), QPoint(19, 23));
    QVERIFY(matchInSight());
    run("FindNextB"); // round to the top
    QCOMPARE(selection(), QPoint(5, 9));
    QCOMPARE(status(), QStringLiteral("Search went on from the top"));
    run("FindPreviousB");
    QCOMPARE(selection(), QPoint(19, 23));
    QCOMPARE(status(), QStringLiteral("Search went on from the bottom"));

    find->findChild<QAbstractButton *>(QStringLiteral("MatchCase"))->setChecked(false);
    run("ReplaceB");
    find->replaceField()->setText(QStringLiteral("globe"));
    find->replaceEverywhere();
    QCOMPARE(text(), QStringLiteral("globe globe\nfootball globe\nglobe"));
    QVERIFY(status().startsWith(QStringLiteral("Replaced 4")));
    QTest::keyClick(pane(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(text(), QStringLiteral("Ball ball\nfootball ball\nBALL"));
    // The caret stays at the last change, not at the top of the text.
    QCOMPARE(pane()->textCursor().position(), 28);

    messages->lineAnswers = {3};
    run("GoToLineB");
    QCOMPARE(pane()->textCursor().blockNumber(), 2);
    QTRY_COMPARE(m_window->findChild<QLabel *>(QStringLiteral("CaretPlace"))->text(),
                 QStringLiteral("Ln 3, Col 1"));
    run("GoToLineB"); // cancelled: the caret stays
    QCOMPARE(pane()->textCursor().blockNumber(), 2);

    // A message too long to stand beside the caret's place takes its room, until the caret moves.
    auto *place = m_window->findChild<QLabel *>(QStringLiteral("CaretPlace"));
    m_window->findChild<QStatusBar *>(QStringLiteral("StatusBar1"))
        ->showMessage(QString(90, QLatin1Char('m')));
    QVERIFY(!place->isVisible());
    pane()->moveCursor(QTextCursor::Start);
    QTRY_VERIFY(place->isVisible());
    QCOMPARE(place->text(), QStringLiteral("Ln 1, Col 1"));
}

QTEST_MAIN(TestEditorComforts)
#include "tst_editorcomforts.moc"
