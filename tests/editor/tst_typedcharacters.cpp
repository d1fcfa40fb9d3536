#include "TypedCharacters.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTest>

class TestTypedCharacters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keys_data();
    void keys();
    void inputMethodCommit();
    void modifiedLineBreaks();
};

void TestTypedCharacters::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("typed");

    const int none = Qt::NoModifier;
    QTest::newRow("letter") << int(Qt::Key_A) << none << QStringLiteral("a") << QStringLiteral("a");
    QTest::newRow("shifted") << int(Qt::Key_A) << int(Qt::ShiftModifier) << QStringLiteral("A")
                             << QStringLiteral("A");
    QTest::newRow("dot") << int(Qt::Key_Period) << none << QStringLiteral(".") << QStringLiteral(".");
    QTest::newRow("space") << int(Qt::Key_Space) << none << QStringLiteral(" ") << QStringLiteral(" ");
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << QStringLiteral("\b")
                               << QStringLiteral("\b");
    QTest::newRow("backspace without text")
        << int(Qt::Key_Backspace) << none << QString() << QStringLiteral("\b");
    QTest::newRow("tab") << int(Qt::Key_Tab) << none << QStringLiteral("\t") << QStringLiteral("\t");
    QTest::newRow("return") << int(Qt::Key_Return) << none << QStringLiteral("\r") << QStringLiteral("\r");
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << QStringLiteral("\r")
                                  << QStringLiteral("\r");
    QTest::newRow("shift return") << int(Qt::Key_Return) << int(Qt::ShiftModifier) << QStringLiteral("\r")
                                  << QStringLiteral("\r");
    QTest::newRow("ctrl return is a line feed")
        << int(Qt::Key_Return) << int(Qt::ControlModifier) << QStringLiteral("\n") << QStringLiteral("\n");
    QTest::newRow("keypad digit") << int(Qt::Key_7) << int(Qt::KeypadModifier) << QStringLiteral("7")
                                  << QStringLiteral("7");
    QTest::newRow("AltGr") << int(Qt::Key_At) << int(Qt::ControlModifier | Qt::AltModifier)
                           << QStringLiteral("@") << QStringLiteral("@");
    QTest::newRow("non-ASCII") << int(Qt::Key_unknown) << none << QStringLiteral("\u00e9")
                               << QStringLiteral("\u00e9");
    QTest::newRow("surrogate pair") << int(Qt::Key_unknown) << none << QStringLiteral("\U0001F600")
                                    << QStringLiteral("\U0001F600");

    QTest::newRow("arrow") << int(Qt::Key_Left) << none << QString() << QString();
    QTest::newRow("delete") << int(Qt::Key_Delete) << none << QStringLiteral("\x7f") << QString();
    QTest::newRow("escape") << int(Qt::Key_Escape) << none << QStringLiteral("\x1b") << QString();
    QTest::newRow("function key") << int(Qt::Key_F5) << none << QString() << QString();
    QTest::newRow("ctrl letter") << int(Qt::Key_A) << int(Qt::ControlModifier) << QStringLiteral("\x01")
                                 << QString();
    QTest::newRow("ctrl letter with text")
        << int(Qt::Key_Q) << int(Qt::ControlModifier) << QStringLiteral("q") << QString();
    QTest::newRow("ctrl backspace") << int(Qt::Key_Backspace) << int(Qt::ControlModifier) << QString()
                                    << QString();
    QTest::newRow("ctrl tab") << int(Qt::Key_Tab) << int(Qt::ControlModifier) << QString() << QString();
}

void TestTypedCharacters::keys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, typed);
    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QCOMPARE(typedCharacters(event), typed);
}

void TestTypedCharacters::inputMethodCommit()
{
    QInputMethodEvent composing(QStringLiteral("ja"), {});
    QCOMPARE(typedCharacters(composing), QString());
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("java."));
    QCOMPARE(typedCharacters(committed), QStringLiteral("java."));
}

void TestTypedCharacters::modifiedLineBreaks()
{
    auto event = [](int key, Qt::KeyboardModifiers modifiers) {
        return QKeyEvent(QEvent::KeyPress, key, modifiers);
    };
    QVERIFY(isModifiedLineBreak(event(Qt::Key_Return, Qt::ShiftModifier)));
    QVERIFY(isModifiedLineBreak(event(Qt::Key_Return, Qt::ControlModifier)));
    QVERIFY(isModifiedLineBreak(event(Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier)));
    QVERIFY(!isModifiedLineBreak(event(Qt::Key_Return, Qt::NoModifier)));
    QVERIFY(!isModifiedLineBreak(event(Qt::Key_Enter, Qt::KeypadModifier)));
    QVERIFY(!isModifiedLineBreak(event(Qt::Key_Return, Qt::AltModifier)));
    QVERIFY(!isModifiedLineBreak(event(Qt::Key_A, Qt::ShiftModifier)));
}

QTEST_GUILESS_MAIN(TestTypedCharacters)
#include "tst_typedcharacters.moc"
