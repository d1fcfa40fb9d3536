// What Zarn knows of JDKs, on stand-in JDK folders: where javac and java are
// found, and which JDKs get class-data archives.
#include "CompilerChoice.h"
#include "JavaSources.h"
#include "Jdk.h"
#include "JdkFinder.h"
#include "JvmArchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestJdk : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void compilerSearchOrder();
    void javaIsFoundInOrder();
    void archivesOnlyForHotSpot_data();
    void archivesOnlyForHotSpot();
    void aFindAskedLaterReplacesOneThatWaits();
};

void TestJdk::compilerSearchOrder()
{
    QTemporaryDir dir;
    auto makeJavac = [&](const QString &folder, const QByteArray &release = {}) {
        QFile file(dir.filePath(folder + QStringLiteral("/release")));
        const QString javac = writeFakeProgram(dir.filePath(folder + QStringLiteral("/bin/javac")));
        if (!release.isEmpty() && file.open(QIODevice::WriteOnly))
            file.write("IMPLEMENTOR=\"Someone\"\nJAVA_VERSION=\"" + release + "\"\n");
        return javac;
    };
    const QString home = makeJavac(QStringLiteral("home"));
    const QString onPath = makeJavac(QStringLiteral("path"));
    makeJavac(QStringLiteral("jvm/java-17-openjdk"), "17.0.15");
    const QString newest = makeJavac(QStringLiteral("jvm/a-jdk-21"), "21.0.2");
    makeJavac(QStringLiteral("jvm/zulu-11"), "11.0.9");
    makeJavac(QStringLiteral("jvm/no-release"));
    const QString jvm = dir.filePath(QStringLiteral("jvm"));
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("JAVA_HOME"), dir.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("PATH"), dir.filePath(QStringLiteral("path/bin")));

    QCOMPARE(chooseCompiler(QString(), dir.path(), environment, jvm).path, home);
    QCOMPARE(chooseCompiler(QStringLiteral("javac"), dir.path(), environment, jvm).path, onPath);
    environment.remove(QStringLiteral("JAVA_HOME"));
    QCOMPARE(chooseCompiler(QString(), dir.path(), environment, jvm).path, onPath);
    // A JDK's folder names its javac; only a compiler the settings do not name is Zarn's choice.
    const CompilerChoice folder = chooseCompiler(QStringLiteral("jvm/zulu-11"), dir.path(), environment, jvm);
    QCOMPARE(folder.path, dir.filePath(QStringLiteral("jvm/zulu-11/bin/javac")));
    QVERIFY(!folder.chosenByZarn);
    QVERIFY(chooseCompiler(QStringLiteral("/no/javac"), dir.path(), environment, jvm).chosenByZarn);
    // A relative PATH entry would be the current folder: it is never searched.
    QDir::setCurrent(dir.filePath(QStringLiteral("path/bin")));
    environment.insert(QStringLiteral("PATH"), QStringLiteral("."));
    QCOMPARE(chooseCompiler(QStringLiteral("javac"), dir.path(), environment, jvm).path, newest);
    const CompilerChoice none = chooseCompiler(QStringLiteral("javac"), dir.path(), environment,
                                               dir.filePath(QStringLiteral("nothing")));
    QCOMPARE(none.path, QString());
    QCOMPARE(none.problem, QStringLiteral("no Java compiler at 'javac'. Choose one in View > Options."));
    QDir::setCurrent(QDir::tempPath());
}

void TestJdk::javaIsFoundInOrder()
{
    QTemporaryDir dir;
    auto makeJava = [&](const QString &folder) {
        return writeFakeProgram(dir.filePath(folder + QStringLiteral("/java")));
    };
    const QString beside = makeJava(QStringLiteral("jdk/bin"));
    const QString home = makeJava(QStringLiteral("home/bin"));
    const QString onPath = makeJava(QStringLiteral("path"));
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("JAVA_HOME"), dir.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("PATH"), dir.filePath(QStringLiteral("path")));

    const QString jvm = dir.filePath(QStringLiteral("jvm"));
    const QString inJvm = makeJava(QStringLiteral("jvm/some-jdk/bin"));

    QCOMPARE(findJava(dir.filePath(QStringLiteral("jdk/bin/javac")), environment, jvm), beside);
    QCOMPARE(findJava(dir.filePath(QStringLiteral("nowhere/javac")), environment, jvm), home);
    QCOMPARE(findJava(QString(), environment, jvm), home);
    // A compiler named without its folder has nothing beside it, and the current
    // folder is never looked in.
    QDir::setCurrent(dir.filePath(QStringLiteral("jdk/bin")));
    QCOMPARE(findJava(QStringLiteral("javac"), environment, jvm), home);
    environment.remove(QStringLiteral("JAVA_HOME"));
    QCOMPARE(findJava(QString(), environment, jvm), onPath);
    environment.insert(QStringLiteral("PATH"), QStringLiteral("."));
    QCOMPARE(findJava(QStringLiteral("javac"), environment, jvm), inJvm);
    QCOMPARE(findJava(QString(), environment, dir.filePath(QStringLiteral("empty"))), QString());
    QDir::setCurrent(QDir::tempPath());
}

void TestJdk::archivesOnlyForHotSpot_data()
{
    QTest::addColumn<QByteArray>("release"); // of the JDK around the stand-in javac; empty: none
    QTest::addColumn<bool>("baseArchive");   // lib/server/classes.jsa, the JDK's own archive
    QTest::addColumn<bool>("plainAskedFor");
    QTest::addColumn<bool>("tuned");
    const QByteArray hotSpot17("JAVA_VERSION=\"17.0.2\"\nJVM_VARIANT=\"Hotspot\"\n");
    QTest::newRow("no JDK around it") << QByteArray() << true << false << false;
    QTest::newRow("OpenJ9") << QByteArray("JAVA_VERSION=\"17.0.2\"\nJVM_VARIANT=\"Openj9\"\n") << true
                            << false << false;
    QTest::newRow("HotSpot 11") << QByteArray("JAVA_VERSION=\"11.0.2\"\nJVM_VARIANT=\"Hotspot\"\n") << true
                                << false << false;
    QTest::newRow("HotSpot 17") << hotSpot17 << true << false << true;
    QTest::newRow("HotSpot 17, plain asked for") << hotSpot17 << true << true << false;
    // A jlink'd image may have none: a dynamic archive needs it.
    QTest::newRow("HotSpot 17 without its own archive") << hotSpot17 << false << false << false;
}

void TestJdk::archivesOnlyForHotSpot()
{
    QFETCH(QByteArray, release);
    QFETCH(bool, baseArchive);
    QFETCH(bool, plainAskedFor);
    QFETCH(bool, tuned);
    QTemporaryDir dir;
    const QString compiler = writeFakeProgram(dir.filePath(QStringLiteral("jdk/bin/javac")));
    QFile file(dir.filePath(QStringLiteral("jdk/release")));
    if (!release.isEmpty())
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(release) == release.size());
    file.close();
    if (baseArchive)
        writeFakeProgram(dir.filePath(QStringLiteral("jdk/lib/server/classes.jsa")));
    QProcessEnvironment environment;
    if (plainAskedFor)
        environment.insert(QStringLiteral("ZARN_PLAIN_JVM"), QStringLiteral("1"));

    const JvmArchive archive(jdkOfCompiler(compiler, environment), dir.filePath(QStringLiteral("cds")),
                             QStringLiteral("javac"));
    QCOMPARE(archive.applies(), tuned);
    if (!tuned) {
        QCOMPARE(archive.options(), QStringList());
        return;
    }
    // Named after the JDK's version; made by the first run.
    QVERIFY(QFileInfo(archive.path()).fileName().startsWith(QStringLiteral("javac-17.0.2-")));
    QVERIFY(!archive.isWhole());
    QVERIFY(archive.options().value(0).startsWith(QStringLiteral("-XX:ArchiveClassesAtExit=")));
}

// A command's JDK is found from the event loop; a find asked meanwhile (a new
// command after a cancelled one) gets its own JDK, and the first gets nothing.
void TestJdk::aFindAskedLaterReplacesOneThatWaits()
{
    QTemporaryDir dir;
    JdkFinder finder(dir.path(), QString());
    QList<Jdk> first;
    QList<Jdk> second;
    finder.find(QStringLiteral("/no/such/javac"), [&first](const Jdk &jdk) { first.append(jdk); });
    finder.find(javacPath(), [&second](const Jdk &jdk) { second.append(jdk); });
    QTRY_COMPARE(second.size(), 1);
    QCoreApplication::processEvents(); // anything else that was on its way
    QVERIFY(first.isEmpty());
    QCOMPARE(second.size(), 1);
    QCOMPARE(second[0].javac, javacPath());
    QVERIFY(!second[0].chosenByZarn);
}

QTEST_GUILESS_MAIN(TestJdk)
#include "tst_jdk.moc"
