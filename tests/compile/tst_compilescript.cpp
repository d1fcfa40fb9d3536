#include "CompileScript.h"
#include "HostileNames.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestCompileScript : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scriptText();
    void relativePathsAreNoOptions();
    void argumentsArriveWhole();
};

void TestCompileScript::scriptText()
{
    QCOMPARE(compileScript(QStringLiteral("/usr/bin/javac"), QStringLiteral("/opt/zarn/temp"),
                           QStringLiteral("/work/Clock.java")),
             QByteArray("command -p cp temp/NotDone.txt temp/temp.txt\n"
                        "'/usr/bin/javac' -verbose -d '/opt/zarn/temp' -sourcepath '/work' "
                        "'/work/Clock.java' \n"
                        "command -p cp temp/Done.txt temp/temp.txt"));

    // An empty compiler and document stay empty arguments: the line still runs.
    QCOMPARE(
        compileScript(QString(), QStringLiteral("/d"), QString()),
        QByteArray("command -p cp temp/NotDone.txt temp/temp.txt\n'' -verbose -d '/d' -sourcepath '.' '' \n"
                   "command -p cp temp/Done.txt temp/temp.txt"));
    // A document in the root folder: its folder is the root.
    QVERIFY(compileScript(QStringLiteral("javac"), QStringLiteral("/d"), QStringLiteral("/Clock.java"))
                .contains("-sourcepath '/.' '/Clock.java' "));
    // The JVM's options after the compiler, how to read the source before it.
    QVERIFY(compileScript(QStringLiteral("javac"), QStringLiteral("/d"), QStringLiteral("/w/Clock.java"),
                          {QStringLiteral("-J-Xss1m")}, QString(), {},
                          {QStringLiteral("-encoding"), QStringLiteral("ISO-8859-1")})
                .contains("'javac' '-J-Xss1m' -verbose -d '/d' -sourcepath '/w' '-encoding' 'ISO-8859-1' "
                          "'/w/Clock.java' "));
    QCOMPARE(quoteForShell(QStringLiteral("it's")), QStringLiteral("'it'\\''s'"));
}

void TestCompileScript::relativePathsAreNoOptions()
{
    QVERIFY(compileScript(QStringLiteral("javac"), QStringLiteral("-d"), QStringLiteral("-x.java"))
                .contains("-verbose -d './-d' -sourcepath '.' './-x.java' "));
}

// Runs the script under /bin/sh with a stand-in compiler that writes each argument
// it receives, NUL-terminated: every hostile name must arrive as one argument,
// unchanged, and no injected command may run.
void TestCompileScript::argumentsArriveWhole()
{
    QTemporaryDir app;
    QDir(app.path()).mkdir(QStringLiteral("temp"));
    for (const auto &[name, content] : {std::pair{"temp/NotDone.txt", "0\r\n"}, {"temp/Done.txt", "1\r\n"}}) {
        QFile file(app.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const QString args = app.filePath(QStringLiteral("args"));
    for (const QString &name : hostileNames()) {
        const QString compilerDir = app.filePath(QStringLiteral("bin"));
        QDir().mkpath(compilerDir);
        const QString compiler = compilerDir + QLatin1Char('/') + name;
        QFile fake(compiler);
        QVERIFY2(fake.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(name));
        fake.write("#!/bin/sh\nprintf '%s\\0' \"$@\" > \"$ZARN_ARGS\"\n");
        fake.close();
        fake.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        const QString destination = app.filePath(name);
        const QString source = name + QStringLiteral(".java"); // relative, from the working directory
        const QByteArray script = compileScript(compiler, destination, source);
        QFile scriptFile(app.filePath(QStringLiteral("temp/temp.sh")));
        QVERIFY(scriptFile.open(QIODevice::WriteOnly | QIODevice::Truncate));
        scriptFile.write(script);
        scriptFile.close();

        QProcess sh;
        sh.setWorkingDirectory(app.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ZARN_ARGS"), args);
        sh.setProcessEnvironment(environment);
        sh.start(QStringLiteral("/bin/sh"), {QStringLiteral("temp/temp.sh")});
        QVERIFY(sh.waitForFinished());
        QFile received(args);
        QVERIFY2(received.open(QIODevice::ReadOnly), qPrintable(name));
        const QString expectedSource = name.startsWith(QLatin1Char('-')) ? QStringLiteral("./") + source
                                                                         : source;
        QCOMPARE(QString::fromUtf8(received.readAll()),
                 QStringLiteral("-verbose") + QChar(0) + QStringLiteral("-d") + QChar(0) + destination
                     + QChar(0) + QStringLiteral("-sourcepath") + QChar(0) + QStringLiteral(".") + QChar(0)
                     + expectedSource + QChar(0));
        QFile marker(app.filePath(QStringLiteral("temp/temp.txt")));
        QVERIFY(marker.open(QIODevice::ReadOnly));
        QCOMPARE(marker.readAll(), QByteArray("1\r\n"));
    }
    QVERIFY(!QFile::exists(app.filePath(QStringLiteral("PWNED"))));
    QVERIFY(!QFile::exists(app.filePath(QStringLiteral("bin/PWNED"))));
}

QTEST_GUILESS_MAIN(TestCompileScript)
#include "tst_compilescript.moc"
