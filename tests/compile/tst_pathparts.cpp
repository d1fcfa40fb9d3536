#include "PathParts.h"
#include "SourceLayout.h"

#include <QTemporaryDir>
#include <QTest>

class TestPathParts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void split_data();
    void split();
    void sourceLayouts_data();
    void sourceLayouts();
};

void TestPathParts::split_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("separator");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("hasFolder");
    QTest::addColumn<QString>("folder");

    QTest::newRow("document") << QStringLiteral("/work/Clock.java") << 5 << QStringLiteral("Clock.java")
                              << true << QStringLiteral("/work");
    QTest::newRow("in the root") << QStringLiteral("/Clock.class") << 0 << QStringLiteral("Clock.class")
                                 << true << QString();
    QTest::newRow("no separator") << QStringLiteral("Clock.java") << -1 << QStringLiteral("Clock.java")
                                  << false << QString();
    QTest::newRow("empty") << QString() << -1 << QString() << false << QString();
    QTest::newRow("ends in a separator")
        << QStringLiteral("/work/site/") << 10 << QString() << true << QStringLiteral("/work/site");
    QTest::newRow("spaces and dots") << QStringLiteral("/my work/v1.2/A B.java") << 13
                                     << QStringLiteral("A B.java") << true << QStringLiteral("/my work/v1.2");

    // Deep paths split at the true last separator, however many there are.
    QString deep;
    for (int i = 0; i < 20; ++i)
        deep += QStringLiteral("/d") + QString::number(i);
    QTest::newRow("twenty separators") << deep + QStringLiteral("/Clock.java") << int(deep.size())
                                       << QStringLiteral("Clock.java") << true << deep;
    QString fifteen;
    for (int i = 0; i < 14; ++i)
        fifteen += QStringLiteral("/x");
    QTest::newRow("exactly fifteen") << fifteen + QStringLiteral("/A.java") << int(fifteen.size())
                                     << QStringLiteral("A.java") << true << fifteen;
    QTest::newRow("sixteen") << fifteen + QStringLiteral("/y/A.java") << int(fifteen.size() + 2)
                             << QStringLiteral("A.java") << true << fifteen + QStringLiteral("/y");
}

void TestPathParts::split()
{
    QFETCH(QString, path);
    QFETCH(int, separator);
    QFETCH(QString, name);
    QFETCH(bool, hasFolder);
    QFETCH(QString, folder);
    QCOMPARE(FindLastBackslash(path), separator);
    QCOMPARE(NamePart(path), name);
    QCOMPARE(FolderPart(path).has_value(), hasFolder);
    if (hasFolder)
        QCOMPARE(*FolderPart(path), folder);
}

// Where a source's class lives, from the package it declares and its folders.
void TestPathParts::sourceLayouts_data()
{
    QTest::addColumn<QString>("source"); // below a fresh folder
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("classFile"); // below a destination; empty when the layout is wrong
    QTest::addColumn<QString>("root");      // below the fresh folder

    QTest::newRow("no package") << QStringLiteral("w/Clock.java") << QByteArray("public class Clock { }")
                                << QStringLiteral("Clock.class") << QStringLiteral("w");
    QTest::newRow("package past comments")
        << QStringLiteral("java/a/b/Clock.java")
        << QByteArray("\xEF\xBB\xBF// a comment\n/* package x; */ package a . /* b */ b ;\nclass Clock { }")
        << QStringLiteral("a/b/Clock.class") << QStringLiteral("java");
    QTest::newRow("commented out") << QStringLiteral(
        "w/Clock.java") << QByteArray("// package a.b;\nclass Clock { String p = \"package a;\"; }")
                                   << QStringLiteral("Clock.class") << QStringLiteral("w");
    QTest::newRow("not a name") << QStringLiteral("w/Clock.java") << QByteArray("package 1a;")
                                << QStringLiteral("Clock.class") << QStringLiteral("w");
    QTest::newRow("folders do not match")
        << QStringLiteral("w/b/Clock.java") << QByteArray("package a.b;") << QString() << QString();
}

void TestPathParts::sourceLayouts()
{
    QFETCH(QString, source);
    QFETCH(QByteArray, text);
    QFETCH(QString, classFile);
    QFETCH(QString, root);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkpath(QFileInfo(source).path()));
    QFile file(folder.filePath(source));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();

    const SourceLayout layout = sourceLayout(folder.filePath(source));
    if (classFile.isEmpty()) {
        QCOMPARE(layout.problem,
                 QStringLiteral("Clock.java declares package a.b but is not in a folder a/b"));
        return;
    }
    QCOMPARE(layout.problem, QString());
    QCOMPARE(layout.classFilePath(), classFile);
    QCOMPARE(layout.root, folder.filePath(root));
    QCOMPARE(layout.classFileIn(QStringLiteral("/site")), QStringLiteral("/site/") + classFile);
}

QTEST_GUILESS_MAIN(TestPathParts)
#include "tst_pathparts.moc"
