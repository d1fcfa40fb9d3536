#include "HostPage.h"
#include "MarkerFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestMarkerAndPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void markerFirstField_data();
    void markerFirstField();
    void markerResetsToZero();
    void hostPageIsExact();
    void hostPageOddCodeValues();
    void hostPageReplacesAndReports();
};

void TestMarkerAndPage::markerFirstField_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("value"); // -1: no number
    QTest::newRow("done") << QByteArray("1\r\n") << 1;
    QTest::newRow("rest") << QByteArray("0\r\n") << 0;
    QTest::newRow("no line end") << QByteArray("1") << 1;
    QTest::newRow("more fields") << QByteArray("1,2,3\r\n") << 1;
    QTest::newRow("blanks") << QByteArray(" 1 \r\n") << 1;
    QTest::newRow("other number") << QByteArray("7\r\n") << 7;
    QTest::newRow("empty") << QByteArray() << -1;
    QTest::newRow("half written") << QByteArray("\r") << -1;
    QTest::newRow("garbage") << QByteArray("done") << -1;
}

void TestMarkerAndPage::markerFirstField()
{
    QFETCH(QByteArray, content);
    QFETCH(int, value);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("temp.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    const std::optional<int> read = readMarker(path);
    QCOMPARE(read.value_or(-1), value);
    QVERIFY(!readMarker(dir.filePath(QStringLiteral("missing.txt"))));
}

void TestMarkerAndPage::markerResetsToZero()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("temp.txt"));
    QCOMPARE(resetMarker(path), QString());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("0\r\n"));
    QVERIFY(!resetMarker(dir.filePath(QStringLiteral("no/such/temp.txt"))).isEmpty());
}

void TestMarkerAndPage::hostPageIsExact()
{
    QCOMPARE(
        hostPageText(QStringLiteral("Clock.java")),
        QByteArray("<html>\n<body>\n<div align = center>\n<applet code = Clock.java>\n</applet>\n</div>\n"
                   "</body>\n</html>\n"));
}

void TestMarkerAndPage::hostPageOddCodeValues()
{
    QVERIFY(hostPageText(QString()).contains("\n<applet code = >\n"));
    QVERIFY(hostPageText(QStringLiteral("My Clock.class")).contains("\n<applet code = My Clock.class>\n"));
    QVERIFY(hostPageText(QStringLiteral("a\\b\\C.java")).contains("<applet code = a\\b\\C.java>"));
    QCOMPARE(hostPageText(QStringLiteral("x")).count('\n'), 8);
}

void TestMarkerAndPage::hostPageReplacesAndReports()
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

QTEST_GUILESS_MAIN(TestMarkerAndPage)
#include "tst_markerandpage.moc"
