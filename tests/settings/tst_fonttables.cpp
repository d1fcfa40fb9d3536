#include "FontTables.h"

#include <QFontInfo>
#include <QSet>
#include <QTest>

class TestFontTables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tablesHoldTheTenEntries();
    void everyFaceGivesItsOwnInstalledFont();
};

void TestFontTables::tablesHoldTheTenEntries()
{
    QCOMPARE(fontName(0), QStringLiteral("MS Sans Serif"));
    QCOMPARE(fontName(4), QStringLiteral("Courier New"));
    QCOMPARE(fontName(9), QStringLiteral("Courier"));
    for (int i = 0; i < FontTableLength; ++i)
        QCOMPARE(fontSize(i), 8 + 2 * i);
    QVERIFY(!isFontTableIndex(-1));
    QVERIFY(!isFontTableIndex(10));
}

void TestFontTables::everyFaceGivesItsOwnInstalledFont()
{
    installFontSubstitutes();
    installFontSubstitutes(); // harmless when repeated
    QSet<QString> shown;
    for (int i = 0; i < FontTableLength; ++i) {
        QFont font;
        font.setFamily(fontName(i));
        const QString family = QFontInfo(font).family();
        QCOMPARE(family, fontSubstitute(i));
        shown.insert(family);
    }
    QCOMPARE(shown.size(), FontTableLength);
}

QTEST_MAIN(TestFontTables)
#include "tst_fonttables.moc"
