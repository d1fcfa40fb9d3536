#include "MarkerFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestMarkerFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void markerFirstField_data();
    void markerFirstField();
    void markerResetsToZero();
};

void TestMarkerFile::markerFirstField_data()
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

void TestMarkerFile::markerFirstField()
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

void TestMarkerFile::markerResetsToZero()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("temp.txt"));
    QCOMPARE(resetMarker(path), QString());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("0\r\n"));
    QVERIFY(!resetMarker(dir.filePath(QStringLiteral("no/such/temp.txt"))).isEmpty());
}

QTEST_GUILESS_MAIN(TestMarkerFile)
#include "tst_markerfile.moc"
