// Cut, Copy, Paste and Delete on the pane's selection, through the real clipboard.
#include "CompletionList.h"
#include "EditorPane.h"
#include "PackageCompletion.h"
#include "RecordingMessages.h"
#include "ScriptedFileDialog.h"
#include "Zarn.h"

#include <QClipboard>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

class TestEditCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void copyAndCutWithoutSelectionKeepTheClipboard();
    void cutThenPasteElsewhere();
    void pasteReplacesTheSelection();
    void pasteWithoutTextChangesNothing();
    void deleteWithoutSelectionChangesNothing();
    void nonAsciiRoundTrip();
    void onlyPlainTextLeavesThePane();
    void commandsAreUndoable();
    void commandsKeepTheWordAndTheList();

private:
    EditorPane *pane() const { return m_window->findChild<EditorPane *>(QStringLiteral("Richtextbox1")); }
    CompletionList *list() const { return m_window->findChild<CompletionList *>(QStringLiteral("List1")); }
    QString word() const
    {
        return m_window->findChild<PackageCompletion *>(QStringLiteral("PackageCompletion"))->CurrentWord();
    }
    void run(const char *command) { m_window->findChild<QAction *>(QString::fromLatin1(command))->trigger(); }
    void select(int from, int to)
    {
        QTextCursor cursor = pane()->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        pane()->setTextCursor(cursor);
    }
    static QClipboard *clipboard() { return QGuiApplication::clipboard(); }

    QTemporaryDir m_appFolder;
    QPointer<Zarn> m_window;
};

void TestEditCommands::init()
{
    m_window = new Zarn(m_appFolder.path(),
                        {std::make_shared<RecordingMessages>(), std::make_shared<ScriptedFileDialog>()});
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    clipboard()->setText(QStringLiteral("left over"));
}

void TestEditCommands::cleanup()
{
    delete m_window;
}

void TestEditCommands::copyAndCutWithoutSelectionKeepTheClipboard()
{
    pane()->setPlainText(QStringLiteral("unchanged"));
    clipboard()->setText(QStringLiteral("another program's"));
    run("CopyB");
    QCOMPARE(clipboard()->text(), QStringLiteral("another program's"));
    clipboard()->setText(QStringLiteral("left over"));
    run("CutB");
    QCOMPARE(clipboard()->text(), QStringLiteral("left over"));
    QCOMPARE(pane()->toPlainText(), QStringLiteral("unchanged"));
    QVERIFY(!pane()->document()->isModified());
}

void TestEditCommands::cutThenPasteElsewhere()
{
    pane()->setPlainText(QStringLiteral("one two three"));
    select(4, 8);
    QTest::keyClick(pane(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(clipboard()->text(), QStringLiteral("two "));
    QCOMPARE(pane()->toPlainText(), QStringLiteral("one three"));
    pane()->moveCursor(QTextCursor::End);
    QTest::keyClick(pane(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(pane()->toPlainText(), QStringLiteral("one threetwo "));
    QCOMPARE(pane()->textCursor().position(), 13);
}

void TestEditCommands::pasteReplacesTheSelection()
{
    pane()->setPlainText(QStringLiteral("int x = 1;"));
    clipboard()->setText(QStringLiteral("long"));
    select(0, 3);
    m_window->Toolbar1_ButtonClick(8); // Paste
    QCOMPARE(pane()->toPlainText(), QStringLiteral("long x = 1;"));
    QCOMPARE(pane()->textCursor().position(), 4);
    QVERIFY(!pane()->textCursor().hasSelection());
}

void TestEditCommands::pasteWithoutTextChangesNothing()
{
    pane()->setPlainText(QStringLiteral("keep drop"));
    auto *html = new QMimeData;
    html->setHtml(QStringLiteral("<b>bold</b>"));
    clipboard()->setMimeData(html);
    QCOMPARE(clipboard()->text(), QString());

    pane()->moveCursor(QTextCursor::End);
    run("PasteB");
    QCOMPARE(pane()->toPlainText(), QStringLiteral("keep drop"));
    select(4, 9);
    run("PasteB");
    QCOMPARE(pane()->toPlainText(), QStringLiteral("keep drop"));
    QVERIFY(!pane()->document()->isModified());
}

void TestEditCommands::deleteWithoutSelectionChangesNothing()
{
    pane()->setPlainText(QStringLiteral("abc"));
    select(1, 1);
    run("DeleteB");
    QCOMPARE(pane()->toPlainText(), QStringLiteral("abc")); // not the character after the caret
    QVERIFY(!pane()->document()->isModified());
    select(1, 2);
    run("DeleteB");
    QCOMPARE(pane()->toPlainText(), QStringLiteral("ac"));
    QCOMPARE(clipboard()->text(), QStringLiteral("left over")); // Delete leaves the clipboard alone
}

void TestEditCommands::nonAsciiRoundTrip()
{
    const QString text = QStringLiteral("Gr\u00fc\u00dfe \u20ac\n\u65e5\u672c\u8a9e \U0001F600\n\u00a0end");
    pane()->setPlainText(text);
    pane()->selectAll();
    run("CopyB");
    QCOMPARE(clipboard()->text(), text);
    pane()->clear();
    run("PasteB");
    QCOMPARE(pane()->document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n')), text);
}

void TestEditCommands::onlyPlainTextLeavesThePane()
{
    pane()->setPlainText(QStringLiteral("class A {}"));
    pane()->selectAll();
    run("CopyB");
    QCOMPARE(clipboard()->mimeData()->formats(), QStringList{QStringLiteral("text/plain")});
    // The pane's own copy (its context menu, a drag) gives plain text too.
    pane()->copy();
    QCOMPARE(clipboard()->mimeData()->formats(), QStringList{QStringLiteral("text/plain")});
}

void TestEditCommands::commandsAreUndoable()
{
    pane()->setPlainText(QStringLiteral("alpha beta"));
    select(0, 6);
    run("CutB");
    run("PasteB");
    select(0, 5);
    run("DeleteB");
    QCOMPARE(pane()->toPlainText(), QStringLiteral(" beta"));
    pane()->undo();
    QCOMPARE(pane()->toPlainText(), QStringLiteral("alpha beta"));
    pane()->undo();
    QCOMPARE(pane()->toPlainText(), QStringLiteral("beta"));
    pane()->undo();
    QCOMPARE(pane()->toPlainText(), QStringLiteral("alpha beta"));
    QVERIFY(!pane()->document()->isUndoAvailable());
}

void TestEditCommands::commandsKeepTheWordAndTheList()
{
    QTest::keyClicks(pane(), QStringLiteral("x java."));
    QVERIFY(list()->isVisible());
    clipboard()->setText(QStringLiteral("awt"));
    QTest::keyClick(pane(), Qt::Key_V, Qt::ControlModifier); // the shortcut works with the list shown
    QCOMPARE(pane()->toPlainText(), QStringLiteral("x java.awt"));
    run("CutB");
    run("DeleteB");
    QVERIFY(list()->isVisible());
    QCOMPARE(list()->count(), 12);
    QCOMPARE(word(), QStringLiteral("java."));
}

QTEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
