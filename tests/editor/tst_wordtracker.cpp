#include "WordTracker.h"

#include <QTest>

namespace {

// Feeds codes to a tracker; returns the words looked up, one per dot.
QStringList typeAll(WordTracker &tracker, const QString &codes)
{
    QStringList lookUps;
    for (const QChar code : codes)
        if (const std::optional<QString> word = tracker.type(code))
            lookUps.append(*word);
    return lookUps;
}

} // namespace

class TestWordTracker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keyRule_data();
    void keyRule();
    void pickExtendsTheWord();
};

void TestWordTracker::keyRule_data()
{
    QTest::addColumn<QString>("codes");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QStringList>("lookUps");

    const QString bs(QChar(8));
    QTest::newRow("letters are appended")
        << QStringLiteral("java") << QStringLiteral("java") << QStringList();
    QTest::newRow("backspace removes the last")
        << QStringLiteral("jav") + bs + QStringLiteral("va") << QStringLiteral("java") << QStringList();
    QTest::newRow("backspace on empty word")
        << bs + bs + QStringLiteral("a") << QStringLiteral("a") << QStringList();
    QTest::newRow("space ends the word")
        << QStringLiteral("import java") << QStringLiteral("java") << QStringList();
    QTest::newRow("tab ends the word")
        << QStringLiteral("x\tjava") << QStringLiteral("java") << QStringList();
    QTest::newRow("carriage return ends the word")
        << QStringLiteral("x\rjava") << QStringLiteral("java") << QStringList();
    QTest::newRow("line feed does not")
        << QStringLiteral("x\njava") << QStringLiteral("x\njava") << QStringList();
    QTest::newRow("dot looks up, then is appended")
        << QStringLiteral("import java.") << QStringLiteral("java.") << QStringList{QStringLiteral("java")};
    QTest::newRow("dot after a space looks up the empty word")
        << QStringLiteral("a .") << QStringLiteral(".") << QStringList{QString()};
    QTest::newRow("the dot belongs to the word")
        << QStringLiteral("java.awt.") << QStringLiteral("java.awt.")
        << QStringList{QStringLiteral("java"), QStringLiteral("java.awt")};
    QTest::newRow("punctuation belongs to the word")
        << QStringLiteral("(java.") << QStringLiteral("(java.") << QStringList{QStringLiteral("(java")};
    QTest::newRow("capital letter is kept")
        << QStringLiteral("Java.") << QStringLiteral("Java.") << QStringList{QStringLiteral("Java")};
    QTest::newRow("space and backspace leave it empty") << QStringLiteral("java ") + bs + QStringLiteral(".")
                                                        << QStringLiteral(".") << QStringList{QString()};
    QTest::newRow("backspace after the dot")
        << QStringLiteral("java.") + bs << QStringLiteral("java") << QStringList{QStringLiteral("java")};
    QTest::newRow("control characters are appended") << QStringLiteral("a\x01"
                                                                       "b")
                                                     << QStringLiteral("a\x01"
                                                                       "b")
                                                     << QStringList();
    QTest::newRow("non-ASCII unchanged")
        << QStringLiteral("\u00e9t\u00e9") << QStringLiteral("\u00e9t\u00e9") << QStringList();
}

void TestWordTracker::keyRule()
{
    QFETCH(QString, codes);
    QFETCH(QString, word);
    QFETCH(QStringList, lookUps);
    WordTracker tracker;
    QCOMPARE(typeAll(tracker, codes), lookUps);
    QCOMPARE(tracker.word(), word);
}

void TestWordTracker::pickExtendsTheWord()
{
    WordTracker tracker;
    typeAll(tracker, QStringLiteral("java.A"));
    tracker.complete(1, QStringLiteral("awt")); // the typed "A" becomes the picked name
    QCOMPARE(tracker.word(), QStringLiteral("java.awt"));
    QCOMPARE(typeAll(tracker, QStringLiteral(".")), QStringList{QStringLiteral("java.awt")});
}

QTEST_GUILESS_MAIN(TestWordTracker)
#include "tst_wordtracker.moc"
