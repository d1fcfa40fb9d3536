// The package pop-up and Ctrl+Space's list in the real main window, driven by key
// and mouse events.
#include "CodeCompletion.h"
#include "CompletionList.h"
#include "EditorPane.h"
#include "PackageCompletion.h"
#include "RecordingMessages.h"
#include "ScriptedFileDialog.h"
#include "Zarn.h"

#include <QInputMethodEvent>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

class TestCompletion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    // typing and the word
    void importJavaDotOpensTheList();
    void wordFollowsTheKeyRule_data();
    void wordFollowsTheKeyRule();
    void keysWithoutCharactersLeaveTheWord();
    void lineFeedIsPartOfTheWord();
    void inputMethodTextCounts();
    // opening
    void listOpensAtItsPlaceWithNothingHighlighted();
    // picking
    void doubleClickPicks();
    void fourLevelCompletion();
    void typedLettersPickTheEntry();
    void keysWhileTheListIsShown_data();
    void keysWhileTheListIsShown();
    // focus loss
    void clickIntoThePaneClosesWithoutInserting();
    void menuDoesNotCloseTheList();
    // Ctrl+Space's list, given javac's answer
    void codeCompletionKeys_data();
    void codeCompletionKeys();
    void packageListKeepsItsRulesBesideCodeCompletion();

private:
    EditorPane *pane() const { return m_window->findChild<EditorPane *>(QStringLiteral("Richtextbox1")); }
    CompletionList *list() const { return m_window->findChild<CompletionList *>(QStringLiteral("List1")); }
    // The list is made when first needed: no list is a closed list.
    bool listOpen() const { return list() && list()->isVisible(); }
    QString word() const
    {
        return m_window->findChild<PackageCompletion *>(QStringLiteral("PackageCompletion"))->CurrentWord();
    }
    void type(const QString &text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    // Types into the pane; "\x1b" is Esc, "\b" Backspace, "\r" Return, "\t" Tab, "\u2193" Down.
    void press(const QString &typed);
    CodeCompletion *codeCompletion() const
    {
        return m_window->findChild<CodeCompletion *>(QStringLiteral("CodeCompletion"));
    }
    CompletionList *codeList() const
    {
        return m_window->findChild<CompletionList *>(QStringLiteral("CodeCompletionList"));
    }
    QStringList entries() const;
    void doubleClick(const QString &entry);
    int caret() const { return pane()->textCursor().position(); }

    QTemporaryDir m_appFolder;
    QPointer<Zarn> m_window;
};

void TestCompletion::init()
{
    m_window = new Zarn(m_appFolder.path(),
                        {std::make_shared<RecordingMessages>(), std::make_shared<ScriptedFileDialog>()});
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QCOMPARE(QApplication::focusWidget(), pane());
}

void TestCompletion::cleanup()
{
    delete m_window;
}

QStringList TestCompletion::entries() const
{
    QStringList names;
    for (int row = 0; row < list()->count(); ++row)
        names.append(list()->item(row)->text());
    return names;
}

void TestCompletion::doubleClick(const QString &entry)
{
    const QList<QListWidgetItem *> items = list()->findItems(entry, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    const QPoint at = list()->visualItemRect(items.first()).center();
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
}

void TestCompletion::importJavaDotOpensTheList()
{
    type(QStringLiteral("import java."));
    QCOMPARE(pane()->toPlainText(), QStringLiteral("import java."));
    QCOMPARE(caret(), 12); // the dot went in at the caret, after the list opened
    QCOMPARE(word(), QStringLiteral("java."));
    QVERIFY(listOpen());
    QVERIFY(list()->isEnabled());
    QCOMPARE(QApplication::focusWidget(), pane()); // the pane keeps the keyboard
    QCOMPARE(entries().size(), 12);
    QCOMPARE(entries().first(), QStringLiteral("applet"));
    QCOMPARE(entries().last(), QStringLiteral("util"));
}

void TestCompletion::wordFollowsTheKeyRule_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("pane");
    QTest::addColumn<QString>("expectedWord");
    QTest::addColumn<bool>("listOpen");

    QTest::newRow("capital J opens nothing") << QStringLiteral("Java") << 0 << QStringLiteral(".")
                                             << QStringLiteral("Java.") << QStringLiteral("Java.") << false;
    QTest::newRow("space then backspace")
        << QStringLiteral("java ") << int(Qt::Key_Backspace) << QStringLiteral(".") << QStringLiteral("java.")
        << QStringLiteral(".") << false;
    QTest::newRow("backspace inside the word")
        << QStringLiteral("jav") << int(Qt::Key_Backspace) << QStringLiteral("va.") << QStringLiteral("java.")
        << QStringLiteral("java.") << true;
    QTest::newRow("tab ends the word") << QStringLiteral("x") << int(Qt::Key_Tab) << QStringLiteral("java.")
                                       << QStringLiteral("x\tjava.") << QStringLiteral("java.") << true;
    QTest::newRow("return ends the word")
        << QStringLiteral("x") << int(Qt::Key_Return) << QStringLiteral("javax.")
        << QStringLiteral("x\njavax.") << QStringLiteral("javax.") << true;
    QTest::newRow("parenthesis joins the word")
        << QStringLiteral("f(java") << 0 << QStringLiteral(".") << QStringLiteral("f(java.")
        << QStringLiteral("f(java.") << false;
    QTest::newRow("sub-package without a row")
        << QStringLiteral("java.") << 0 << QStringLiteral("io.") << QStringLiteral("java.io.")
        << QStringLiteral("java.io.") << false;
}

void TestCompletion::wordFollowsTheKeyRule()
{
    QFETCH(QString, before);
    QFETCH(int, key);
    QFETCH(QString, after);
    QFETCH(QString, pane);
    QFETCH(QString, expectedWord);
    QFETCH(bool, listOpen);

    type(before);
    if (this->listOpen()) // a dot in before opened the list: close it by clicking into the pane
        QTest::mouseClick(this->pane()->viewport(), Qt::LeftButton, {}, QPoint(200, 200));
    if (key)
        QTest::keyClick(this->pane(), Qt::Key(key));
    type(after);
    QCOMPARE(this->pane()->toPlainText(), pane);
    QCOMPARE(word(), expectedWord);
    QCOMPARE(this->listOpen(), listOpen);
}

void TestCompletion::keysWithoutCharactersLeaveTheWord()
{
    type(QStringLiteral("ab cd"));
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Home, Qt::Key_End, Qt::Key_Delete, Qt::Key_PageUp, Qt::Key_F8})
        QTest::keyClick(pane(), key);
    pane()->selectAll();
    QTest::keyClick(pane(), Qt::Key_X, Qt::ControlModifier); // Edit > Cut, a menu shortcut
    QTest::keyClick(pane(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(pane(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(word(), QStringLiteral("cd"));

    // The caret moves, the word does not: new characters go on the old word.
    QTest::keyClick(pane(), Qt::Key_Home);
    type(QStringLiteral("ef"));
    QCOMPARE(word(), QStringLiteral("cdef"));
}

void TestCompletion::lineFeedIsPartOfTheWord()
{
    type(QStringLiteral("ja"));
    QTest::keyClick(pane(), Qt::Key_Return, Qt::ControlModifier);
    type(QStringLiteral("va."));
    QCOMPARE(word(), QStringLiteral("ja\nva."));
    QVERIFY(!listOpen());
    // The pane breaks the line as Return does; Shift+Return too, never with U+2028.
    QTest::keyClick(pane(), Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(pane()->document()->toRawText(), QStringLiteral("ja\u2029va.\u2029"));
    QCOMPARE(word(), QString());
}

void TestCompletion::inputMethodTextCounts()
{
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("import java."));
    QApplication::sendEvent(pane(), &commit);
    QCOMPARE(pane()->toPlainText(), QStringLiteral("import java."));
    QCOMPARE(word(), QStringLiteral("java."));
    QVERIFY(listOpen());
}

void TestCompletion::listOpensAtItsPlaceWithNothingHighlighted()
{
    type(QStringLiteral("x = 1;"));
    QTest::keyClick(pane(), Qt::Key_Return);
    type(QStringLiteral("    java."));
    QCOMPARE(list()->geometry(), QRect(208, 152, 113, 56)); // never moved to the caret
    QCOMPARE(list()->highlightedRow(), -1);
    QCOMPARE(list()->currentRow(), -1);
    QTest::keyClick(pane(), Qt::Key_Down);
    QCOMPARE(list()->highlightedRow(), 0);
    QTest::keyClick(pane(), Qt::Key_Down);
    QTest::keyClick(pane(), Qt::Key_Up);
    QCOMPARE(list()->highlightedRow(), 0);
    QCOMPARE(caret(), pane()->toPlainText().size()); // arrows on the list do not move the caret
}

void TestCompletion::doubleClickPicks()
{
    type(QStringLiteral("java."));
    doubleClick(QStringLiteral("awt"));
    QCOMPARE(pane()->toPlainText(), QStringLiteral("java.awt"));
    QCOMPARE(caret(), 8);
    QVERIFY(!pane()->textCursor().hasSelection());
    QCOMPARE(word(), QStringLiteral("java.awt"));
    QVERIFY(!listOpen());
    QCOMPARE(list()->count(), 0);
    QCOMPARE(QApplication::focusWidget(), pane());

    type(QStringLiteral("."));
    QCOMPARE(entries(),
             (QStringList{QStringLiteral("color"), QStringLiteral("datatransfer"), QStringLiteral("dnd"),
                          QStringLiteral("event"), QStringLiteral("font"), QStringLiteral("geom"),
                          QStringLiteral("im"), QStringLiteral("image"), QStringLiteral("print")}));
}

void TestCompletion::fourLevelCompletion()
{
    type(QStringLiteral("import java."));
    doubleClick(QStringLiteral("awt"));
    type(QStringLiteral("."));
    doubleClick(QStringLiteral("image"));
    type(QStringLiteral("."));
    QCOMPARE(entries(), QStringList{QStringLiteral("renderable")});
    doubleClick(QStringLiteral("renderable"));
    type(QStringLiteral(".*;"));
    QCOMPARE(pane()->toPlainText(), QStringLiteral("import java.awt.image.renderable.*;"));
    QCOMPARE(word(), QStringLiteral("java.awt.image.renderable.*;"));
    QVERIFY(!listOpen()); // the table goes no deeper
}

void TestCompletion::typedLettersPickTheEntry()
{
    type(QStringLiteral("javax.sw"));
    QCOMPARE(pane()->toPlainText(), QStringLiteral("javax.sw")); // the letters went into the pane
    QCOMPARE(list()->item(list()->highlightedRow())->text(), QStringLiteral("swing"));
    QTest::keyClick(pane(), Qt::Key_Return);
    QCOMPARE(pane()->toPlainText(), QStringLiteral("javax.swing")); // not doubled, no line break
    QCOMPARE(caret(), 11);
    QCOMPARE(word(), QStringLiteral("javax.swing"));
    QVERIFY(!listOpen());
    QCOMPARE(QApplication::focusWidget(), pane());

    // Tab completes too, whatever the case typed; one undo takes the name back out.
    type(QStringLiteral(" java.AW"));
    QTest::keyClick(pane(), Qt::Key_Tab);
    QCOMPARE(pane()->toPlainText(), QStringLiteral("javax.swing java.awt"));
    QCOMPARE(word(), QStringLiteral("java.awt"));
    pane()->undo();
    QCOMPARE(pane()->toPlainText(), QStringLiteral("javax.swing java.AW"));
}

void TestCompletion::keysWhileTheListIsShown_data()
{
    // after "java."; "\x1b" is Esc, "\b" Backspace, "\r" Return, "\u2193" Down
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expectedWord");
    QTest::addColumn<QString>("highlighted"); // "-" when the list is closed

    QTest::newRow("Esc closes") << QStringLiteral("\x1b") << QStringLiteral("java.")
                                << QStringLiteral("java.") << QStringLiteral("-");
    QTest::newRow("letters highlight") << QStringLiteral("ut") << QStringLiteral("java.ut")
                                       << QStringLiteral("java.ut") << QStringLiteral("util");
    QTest::newRow("no entry begins so")
        << QStringLiteral("xy") << QStringLiteral("java.xy") << QStringLiteral("java.xy") << QString();
    QTest::newRow("Return with nothing highlighted breaks the line")
        << QStringLiteral("xy\r") << QStringLiteral("java.xy\n") << QString() << QStringLiteral("-");
    QTest::newRow("semicolon") << QStringLiteral("applet;") << QStringLiteral("java.applet;")
                               << QStringLiteral("java.applet;") << QStringLiteral("-");
    QTest::newRow("star") << QStringLiteral("*") << QStringLiteral("java.*") << QStringLiteral("java.*")
                          << QStringLiteral("-");
    QTest::newRow("space") << QStringLiteral(" x") << QStringLiteral("java. x") << QStringLiteral("x")
                           << QStringLiteral("-");
    QTest::newRow("a dot opens the next list")
        << QStringLiteral("awt.") << QStringLiteral("java.awt.") << QStringLiteral("java.awt.") << QString();
    QTest::newRow("Backspace inside the name") << QStringLiteral("ux\b") << QStringLiteral("java.u")
                                               << QStringLiteral("java.u") << QStringLiteral("util");
    QTest::newRow("Backspace past the dot")
        << QStringLiteral("\b") << QStringLiteral("java") << QStringLiteral("java") << QStringLiteral("-");
    QTest::newRow("Down twice") << QStringLiteral("\u2193\u2193") << QStringLiteral("java.")
                                << QStringLiteral("java.") << QStringLiteral("awt");
    QTest::newRow("Down, then Return picks") << QStringLiteral("\u2193\u2193\r") << QStringLiteral("java.awt")
                                             << QStringLiteral("java.awt") << QStringLiteral("-");
}

void TestCompletion::keysWhileTheListIsShown()
{
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(QString, expectedWord);
    QFETCH(QString, highlighted);
    type(QStringLiteral("java."));
    press(typed);
    QCOMPARE(pane()->toPlainText(), text);
    QCOMPARE(word(), expectedWord);
    QCOMPARE(listOpen(), highlighted != QLatin1String("-"));
    if (listOpen())
        QCOMPARE(list()->highlightedRow() < 0 ? QString() : list()->item(list()->highlightedRow())->text(),
                 highlighted);
    QCOMPARE(QApplication::focusWidget(), pane());
}

void TestCompletion::press(const QString &typed)
{
    for (const QChar c : typed) {
        if (c == QLatin1Char('\x1b'))
            QTest::keyClick(pane(), Qt::Key_Escape);
        else if (c == QLatin1Char('\b'))
            QTest::keyClick(pane(), Qt::Key_Backspace);
        else if (c == QLatin1Char('\r'))
            QTest::keyClick(pane(), Qt::Key_Return);
        else if (c == QLatin1Char('\t'))
            QTest::keyClick(pane(), Qt::Key_Tab);
        else if (c == QChar(0x2193))
            QTest::keyClick(pane(), Qt::Key_Down);
        else
            QTest::keyClicks(pane(), QString(c));
        QCoreApplication::processEvents(); // between keys, as a user's event loop runs
    }
}

void TestCompletion::clickIntoThePaneClosesWithoutInserting()
{
    type(QStringLiteral("java."));
    QTest::keyClick(pane(), Qt::Key_Down);
    QTest::mouseClick(pane()->viewport(), Qt::LeftButton, {}, QPoint(200, 100));
    QVERIFY(!listOpen());
    QCOMPARE(list()->count(), 0);
    QCOMPARE(QApplication::focusWidget(), pane());
    QCOMPARE(pane()->toPlainText(), QStringLiteral("java."));
    type(QStringLiteral("awt"));
    QCOMPARE(word(), QStringLiteral("java.awt"));

    // Backspace right after a dot takes the dot off the word.
    type(QStringLiteral("."));
    QTest::mouseClick(pane()->viewport(), Qt::LeftButton, {}, QPoint(200, 100));
    QTest::keyClick(pane(), Qt::Key_Backspace);
    QCOMPARE(word(), QStringLiteral("java.awt"));
}

void TestCompletion::menuDoesNotCloseTheList()
{
    type(QStringLiteral("java."));
    QMenu *edit = m_window->findChild<QMenu *>(QStringLiteral("Edit"));
    m_window->menuBar()->setActiveAction(edit->menuAction());
    QTRY_VERIFY(edit->isVisible());
    edit->close();
    QTRY_VERIFY(!edit->isVisible());
    QVERIFY(listOpen());
    QCOMPARE(list()->count(), 12);
}

void TestCompletion::codeCompletionKeys_data()
{
    // after "g.d", the list shown with javac's entries for Graphics
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("shown"); // empty when the list is closed
    QTest::addColumn<QString>("highlighted");

    const QStringList allD = {QStringLiteral("dispose()"),
                              QStringLiteral("draw3DRect(int, int, int, int, boolean)"),
                              QStringLiteral("drawLine(int, int, int, int)"),
                              QStringLiteral("drawString(String, int, int)"), QStringLiteral("Dimension")};
    QTest::newRow("filtered by the name begun, the first of its case highlighted")
        << QString() << QStringLiteral("g.d") << allD << QStringLiteral("dispose()");
    QTest::newRow("typing on filters") << QStringLiteral("rawL") << QStringLiteral("g.drawL")
                                       << QStringList{QStringLiteral("drawLine(int, int, int, int)")}
                                       << QStringLiteral("drawLine(int, int, int, int)");
    QTest::newRow("the name typed on in any case")
        << QStringLiteral("RAWS") << QStringLiteral("g.dRAWS")
        << QStringList{QStringLiteral("drawString(String, int, int)")}
        << QStringLiteral("drawString(String, int, int)");
    QTest::newRow("Return puts in a method with its parenthesis")
        << QStringLiteral("rawL\r") << QStringLiteral("g.drawLine(") << QStringList() << QString();
    QTest::newRow("Tab puts in the highlighted entry")
        << QStringLiteral("\t") << QStringLiteral("g.dispose(") << QStringList() << QString();
    QTest::newRow("Down, then Return")
        << QStringLiteral("\u2193\u2193\r") << QStringLiteral("g.drawLine(") << QStringList() << QString();
    QTest::newRow("Esc puts in nothing")
        << QStringLiteral("ra\x1b") << QStringLiteral("g.dra") << QStringList() << QString();
    QTest::newRow("a character no name has closes the list")
        << QStringLiteral("(") << QStringLiteral("g.d(") << QStringList() << QString();
    QTest::newRow("nothing fits") << QStringLiteral("x") << QStringLiteral("g.dx") << QStringList()
                                  << QString();
    QTest::newRow("Backspace to the name's start shows all, the first highlighted")
        << QStringLiteral("\b") << QStringLiteral("g.") << allD + QStringList{QStringLiteral("getColor()")}
        << QStringLiteral("Dimension");
    QTest::newRow("past the name's start")
        << QStringLiteral("\b\b") << QStringLiteral("g") << QStringList() << QString();
}

void TestCompletion::codeCompletionKeys()
{
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(QStringList, shown);
    QFETCH(QString, highlighted);
    type(QStringLiteral("g.d"));
    QCOMPARE(codeCompletion()->begin(), 3);
    const QList<CompletionEntry> entries = {
        {QStringLiteral("Dimension"), QStringLiteral("Dimension")},
        {QStringLiteral("dispose("), QStringLiteral("dispose()")},
        {QStringLiteral("draw3DRect("), QStringLiteral("draw3DRect(int, int, int, int, boolean)")},
        {QStringLiteral("drawLine("), QStringLiteral("drawLine(int, int, int, int)")},
        {QStringLiteral("drawString("), QStringLiteral("drawString(String, int, int)")},
        {QStringLiteral("getColor("), QStringLiteral("getColor()")},
    };
    codeCompletion()->show(entries);
    press(typed);
    QCOMPARE(pane()->toPlainText(), text);
    QCOMPARE(codeCompletion()->isOpen(), !shown.isEmpty());
    QStringList labels;
    for (int row = 0; codeCompletion()->isOpen() && row < codeList()->count(); ++row)
        labels << codeList()->item(row)->text();
    labels.sort(Qt::CaseInsensitive);
    shown.sort(Qt::CaseInsensitive);
    QCOMPARE(labels, shown);
    if (!shown.isEmpty())
        QCOMPARE(codeList()->item(codeList()->highlightedRow())->text(), highlighted);
    QCOMPARE(QApplication::focusWidget(), pane());
    QVERIFY(!listOpen());
}

// Ctrl+Space is an addition: a dot behind a package of the table opens the package
// list as before, and while that list is shown, Ctrl+Space leaves it alone.
void TestCompletion::packageListKeepsItsRulesBesideCodeCompletion()
{
    type(QStringLiteral("jav"));
    QCOMPARE(codeCompletion()->begin(), 3);
    codeCompletion()->show({{QStringLiteral("java"), QStringLiteral("java")}});
    QVERIFY(codeCompletion()->isOpen());
    type(QStringLiteral("a."));
    QVERIFY(!codeCompletion()->isOpen());
    QVERIFY(listOpen());
    QCOMPARE(word(), QStringLiteral("java."));
    QCOMPARE(entries().size(), 12);

    QKeySequence ctrlSpace(Qt::CTRL | Qt::Key_Space);
    QTest::keySequence(pane(), ctrlSpace);
    QVERIFY(!codeCompletion()->begin());
    QVERIFY(!codeCompletion()->isOpen());
    QVERIFY(listOpen());
    QCOMPARE(pane()->toPlainText(), QStringLiteral("java."));

    // A pick from Ctrl+Space's list goes on the word as if typed.
    QTest::keyClick(pane(), Qt::Key_Escape);
    type(QStringLiteral(" jav"));
    QCOMPARE(codeCompletion()->begin(), 9);
    codeCompletion()->show({{QStringLiteral("java"), QStringLiteral("java")}});
    QTest::keyClick(pane(), Qt::Key_Return);
    type(QStringLiteral("."));
    QCOMPARE(pane()->toPlainText(), QStringLiteral("java. java."));
    QCOMPARE(word(), QStringLiteral("java."));
    QVERIFY(listOpen());
}

QTEST_MAIN(TestCompletion)
#include "tst_completion.moc"
