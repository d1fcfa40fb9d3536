#include "PackageTable.h"

#include <QTest>

class TestPackageTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void knownPackages_data();
    void knownPackages();
    void unknownNames_data();
    void unknownNames();
};

void TestPackageTable::knownPackages_data()
{
    QTest::addColumn<QString>("package");
    QTest::addColumn<QString>("subPackages");
    QTest::newRow("java") << QStringLiteral("java")
                          << QStringLiteral("applet awt beans io lang math net rmi security sql text util");
    QTest::newRow("java.awt") << QStringLiteral("java.awt")
                              << QStringLiteral("color datatransfer dnd event font geom im image print");
    QTest::newRow("java.awt.im") << QStringLiteral("java.awt.im") << QStringLiteral("spi");
    QTest::newRow("java.awt.image") << QStringLiteral("java.awt.image") << QStringLiteral("renderable");
    QTest::newRow("java.beans") << QStringLiteral("java.beans") << QStringLiteral("beancontext");
    QTest::newRow("java.rmi") << QStringLiteral("java.rmi")
                              << QStringLiteral("activation dgc registry server");
    QTest::newRow("java.security") << QStringLiteral("java.security")
                                   << QStringLiteral("acl cert interfaces spec");
    QTest::newRow("java.lang") << QStringLiteral("java.lang") << QStringLiteral("ref reflect");
    QTest::newRow("java.util") << QStringLiteral("java.util") << QStringLiteral("jar zip");
    QTest::newRow("javax") << QStringLiteral("javax")
                           << QStringLiteral("accessibility naming rmi sound swing transaction");
}

void TestPackageTable::knownPackages()
{
    QFETCH(QString, package);
    QFETCH(QString, subPackages);
    const std::optional<QStringList> names = subPackagesOf(package);
    QVERIFY(names);
    QCOMPARE(names->join(QLatin1Char(' ')), subPackages);
}

void TestPackageTable::unknownNames_data()
{
    QTest::addColumn<QString>("word");
    QTest::newRow("empty") << QString();
    QTest::newRow("capital") << QStringLiteral("Java");
    QTest::newRow("all capitals") << QStringLiteral("JAVA.AWT");
    QTest::newRow("character in front") << QStringLiteral("(java");
    QTest::newRow("character after") << QStringLiteral("javaa");
    QTest::newRow("blank after") << QStringLiteral("java ");
    QTest::newRow("trailing dot") << QStringLiteral("java.");
    QTest::newRow("sub-package without a row") << QStringLiteral("java.io");
    QTest::newRow("event under awt") << QStringLiteral("java.awt.event");
    QTest::newRow("swing under javax") << QStringLiteral("javax.swing");
    QTest::newRow("simple name of a row") << QStringLiteral("awt");
}

void TestPackageTable::unknownNames()
{
    QFETCH(QString, word);
    QVERIFY(!subPackagesOf(word));
}

QTEST_GUILESS_MAIN(TestPackageTable)
#include "tst_packagetable.moc"
