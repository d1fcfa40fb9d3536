// The compile driver with the real /bin/sh and the real javac, in a fresh
// application folder; stand-in compilers for the ways a compile can go wrong.
#include "AppFolder.h"
#include "CompileDriver.h"
#include "CompileJob.h"
#include "CompilerDiagnostics.h"
#include "CompletionQuery.h"
#include "JavaSources.h"
#include "Jdk.h"
#include "RecordingFeedback.h"
#include "TestTime.h"
#include "TextCheck.h"
#include "WarmCompiler.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtEndian>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <poll.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QString writeStandIn(const AppFolder &app, const QString &name, const QByteArray &body)
{
    const QString path = app.filePath(name);
    app.write(name, "#!/bin/sh\n" + body);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

} // namespace

class TestCompileDriver : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY2(!javacPath().isEmpty(), "javac is needed"); }
    void init();
    void cleanup();

    void goodAppletGivesItsClass();
    void failedCompilesStillFinish_data();
    void failedCompilesStillFinish();
    void compilerIsChosen_data();
    void compilerIsChosen();
    void scriptThatDiesEndsTheWait_data();
    void scriptThatDiesEndsTheWait();
    void hungCompilerIsStopped();
    void missingPartsStartNothing_data();
    void missingPartsStartNothing();
    void oneCompileAtATime();
    void anotherZarnsCompileComesFirst();
    void lockOfAZarnThatDiedIsNoObstacle();
    void scriptOfAZarnThatDiedRunsNothingNew();
    void groupsOfOthersAreLeftAlone_data();
    void groupsOfOthersAreLeftAlone();
    void archivedJavacCompilesAsPlain();
    void warmCompilerGivesWhatJavacGives_data();
    void warmCompilerGivesWhatJavacGives();
    void warmCompilerKilledMidCompileFallsBack_data();
    void warmCompilerKilledMidCompileFallsBack();
    void cancelledWarmCompileLeavesItUsable();
    void warmCompilerServesOnlyItsUser();
    void warmCompilerDropsBadRequests_data();
    void warmCompilerDropsBadRequests();
    void warmCompilerChecksTextInMemory();
    void warmCompilerCompletesFromJavacsSymbols();

private:
    // Compiles source with the compiler configured as compiler, waiting at most ms
    // for the job to finish; true when the script ran to its end.
    bool compile(const QString &compiler, const QString &source, int ms = scaled(60000));
    // The driver's warm compiler, once ready (a first compile starts it).
    WarmCompiler *readyWarmCompiler();
    QString destination() const { return m_app->filePath(QStringLiteral("temp")); }

    std::unique_ptr<AppFolder> m_app;
    std::unique_ptr<CompileDriver> m_driver;
    RecordingFeedback m_feedback;
    QPointer<CompileJob> m_job;
    CompileResult m_result;
};

void TestCompileDriver::init()
{
    m_app = std::make_unique<AppFolder>();
    m_driver = std::make_unique<CompileDriver>(m_app->path());
    m_feedback = RecordingFeedback();
}

void TestCompileDriver::cleanup()
{
    // Whatever happened, the marker rests at 0.
    if (QFileInfo(m_app->filePath(QStringLiteral("temp"))).isDir())
        QCOMPARE(m_app->read(QStringLiteral("temp/temp.txt")), QByteArray("0\r\n"));
    QVERIFY(!m_driver->isCompiling());
}

bool TestCompileDriver::compile(const QString &compiler, const QString &source, int ms)
{
    m_job = m_driver->CompileToFolder({describeJdk(compiler, m_app->path()), destination(), source},
                                      m_feedback);
    const std::optional<CompileResult> result = resultOf(m_job, ms);
    if (!result)
        qWarning("the compile did not finish within %d ms", ms);
    m_result = result.value_or(CompileResult());
    return result && result->ran();
}

void TestCompileDriver::goodAppletGivesItsClass()
{
    m_app->write(QStringLiteral("Hello.java"), helloApplet());
    QVERIFY(compile(javacPath(), m_app->filePath(QStringLiteral("Hello.java"))));
    QCOMPARE(m_feedback.events, (QStringList{QStringLiteral("started"), QStringLiteral("finished")}));
    QVERIFY(QFile::exists(m_app->filePath(QStringLiteral("temp/Hello.class"))));
    // What javac printed, -verbose lines included, is kept and logged.
    QVERIFY2(m_result.output.contains(QStringLiteral("[wrote")), qPrintable(m_result.output));
    QCOMPARE(QString::fromUtf8(m_app->read(QStringLiteral("temp/compile.log"))), m_result.output);

    // The next compile runs as well, and its output replaces the last, even with a
    // PATH that holds none of the script's own tools.
    QVERIFY(QFile::remove(m_app->filePath(QStringLiteral("temp/Hello.class"))));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/usr/local/sbin");
    const bool compiled = compile(javacPath(), m_app->filePath(QStringLiteral("Hello.java")));
    qputenv("PATH", path);
    QVERIFY2(compiled, qPrintable(m_result.output));
    QVERIFY(QFile::exists(m_app->filePath(QStringLiteral("temp/Hello.class"))));
    QVERIFY(m_result.output.contains(QStringLiteral("[wrote")));
}

void TestCompileDriver::failedCompilesStillFinish_data()
{
    QTest::addColumn<QString>("compiler");
    QTest::addColumn<QString>("source");
    QTest::newRow("source with an error") << QStringLiteral("javac") << QStringLiteral("Broken.java");
    QTest::newRow("empty document path") << QStringLiteral("javac") << QString();
    QTest::newRow("missing document") << QStringLiteral("javac") << QStringLiteral("Missing.java");
}

void TestCompileDriver::failedCompilesStillFinish()
{
    QFETCH(QString, compiler);
    QFETCH(QString, source);
    m_app->write(QStringLiteral("Hello.java"), helloApplet());
    m_app->write(QStringLiteral("Broken.java"), "public class Broken { int x = ; }\n");
    if (compiler == QLatin1String("javac"))
        compiler = javacPath();
    if (!source.isEmpty())
        source = m_app->filePath(source);

    QVERIFY(compile(compiler, source)); // the script ran to its end
    QCOMPARE(m_feedback.events, (QStringList{QStringLiteral("started"), QStringLiteral("finished")}));
    QCOMPARE(QDir(destination()).entryList({QStringLiteral("*.class")}), QStringList());
    QVERIFY(!m_result.output.isEmpty()); // javac's or the shell's complaint
}

void TestCompileDriver::compilerIsChosen_data()
{
    QTest::addColumn<QString>("configured");
    QTest::addColumn<bool>("compiles"); // otherwise refused, and nothing runs
    QTest::newRow("empty: the javac found") << QString() << true;
    QTest::newRow("missing: the javac found") << QStringLiteral("/no/such/javac") << true;
    QTest::newRow("a folder: the javac found") << QStringLiteral("/tmp") << true;
    QTest::newRow("bare name, on the PATH") << QStringLiteral("javac") << true;
    QTest::newRow("relative to the application folder") << QStringLiteral("bin/javac") << true;
    QTest::newRow("a file that cannot run") << QStringLiteral("Hello.java") << false;
}

void TestCompileDriver::compilerIsChosen()
{
    QFETCH(QString, configured);
    QFETCH(bool, compiles);
    m_app->write(QStringLiteral("Hello.java"), helloApplet());
    QDir(m_app->path()).mkdir(QStringLiteral("bin"));
    QVERIFY(QFile::link(javacPath(), m_app->filePath(QStringLiteral("bin/javac"))));
    // A compiler named relative to the application folder, whatever the current folder.
    if (configured == QLatin1String("Hello.java"))
        configured = m_app->filePath(configured);

    QCOMPARE(compile(configured, m_app->filePath(QStringLiteral("Hello.java"))), compiles);
    QCOMPARE(QFile::exists(m_app->filePath(QStringLiteral("temp/Hello.class"))), compiles);
    if (!compiles) {
        QCOMPARE(m_feedback.events,
                 QStringList{QStringLiteral("failed: no Java compiler at '%1'. Choose one in View > Options.")
                                 .arg(configured)});
        QVERIFY(!QFile::exists(m_app->filePath(QStringLiteral("temp/temp.sh")))); // no script ran
    }
}

void TestCompileDriver::scriptThatDiesEndsTheWait_data()
{
    QTest::addColumn<QByteArray>("compilerBody");
    // The stand-in compiler ends the script (its parent) or breaks the last step.
    QTest::newRow("script killed") << QByteArray("kill -9 $PPID\n");
    QTest::newRow("Done.txt deleted") << QByteArray("rm temp/Done.txt\n");
    QTest::newRow("marker made a folder") << QByteArray("rm temp/temp.txt; mkdir temp/temp.txt\n");
}

void TestCompileDriver::scriptThatDiesEndsTheWait()
{
    QFETCH(QByteArray, compilerBody);
    const QString compiler = writeStandIn(*m_app, QStringLiteral("breaker"), compilerBody);
    QVERIFY(!compile(compiler, QStringLiteral("x"), scaled(3000)));
    QCOMPARE(m_feedback.events.size(), 2);
    QVERIFY2(m_feedback.events.last().startsWith(QStringLiteral("failed: ")),
             qPrintable(m_feedback.events.last()));

    // The folder is mended and the next compile works.
    QDir(m_app->filePath(QStringLiteral("temp/temp.txt"))).removeRecursively();
    m_app->write(QStringLiteral("temp/Done.txt"), "1\r\n");
    m_app->write(QStringLiteral("Hello.java"), helloApplet());
    m_feedback = RecordingFeedback();
    QVERIFY(compile(javacPath(), m_app->filePath(QStringLiteral("Hello.java"))));
    QCOMPARE(m_feedback.events.last(), QStringLiteral("finished"));
}

void TestCompileDriver::hungCompilerIsStopped()
{
    // The compiler never ends; its child writes its pid first so we can check it is gone.
    const QString hung = writeStandIn(*m_app, QStringLiteral("hung"), "echo $$ > hung.pid\nexec sleep 600\n");
    m_driver->setTimeLimit(std::chrono::milliseconds(500));
    QVERIFY(!compile(hung, QStringLiteral("x"), scaled(5000)));
    QVERIFY2(m_feedback.events.last().contains(QStringLiteral("stopped")),
             qPrintable(m_feedback.events.last()));
    const QByteArray pid = m_app->read(QStringLiteral("hung.pid")).trimmed();
    QVERIFY(!pid.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(QStringLiteral("/proc/") + QString::fromLatin1(pid)),
                             scaled(5000));

    // A compiler that cannot stop talking is stopped as well.
    m_driver->setTimeLimit(std::chrono::minutes(1));
    m_feedback = RecordingFeedback();
    const QString chatty = writeStandIn(*m_app, QStringLiteral("chatty"), "exec cat /dev/zero\n");
    QVERIFY(!compile(chatty, QStringLiteral("x")));
    QVERIFY2(m_feedback.events.last().contains(QStringLiteral("MB")), qPrintable(m_feedback.events.last()));
}

void TestCompileDriver::missingPartsStartNothing_data()
{
    QTest::addColumn<QString>("broken");
    QTest::newRow("no temp folder") << QStringLiteral("temp");
    QTest::newRow("no Done.txt") << QStringLiteral("temp/Done.txt");
    QTest::newRow("no NotDone.txt") << QStringLiteral("temp/NotDone.txt");
    QTest::newRow("script cannot be written") << QStringLiteral("temp/temp.sh");
}

void TestCompileDriver::missingPartsStartNothing()
{
    QFETCH(QString, broken);
    const QString path = m_app->filePath(broken);
    if (broken == QLatin1String("temp/temp.sh"))
        QVERIFY(QDir().mkdir(path)); // a folder where the script should go
    else if (broken == QLatin1String("temp"))
        QVERIFY(QDir(path).removeRecursively());
    else
        QVERIFY(QFile::remove(path));

    QVERIFY(!compile(javacPath(), QStringLiteral("Hello.java")));
    QCOMPARE(m_feedback.events.size(), 1); // failed before anything started
    QVERIFY2(m_feedback.events.first().startsWith(QStringLiteral("failed: ")),
             qPrintable(m_feedback.events.first()));
}

void TestCompileDriver::oneCompileAtATime()
{
    // While one runs, another is refused, and nothing of it is shown.
    const QString compiler = QStringLiteral("/bin/true");
    CompileJob *first = m_driver->CompileToFolder(
        {describeJdk(compiler, m_app->path()), destination(), QStringLiteral("x")}, m_feedback);
    QVERIFY(first);
    QVERIFY(m_driver->isCompiling());
    RecordingFeedback nestedFeedback;
    QVERIFY(!m_driver->CompileToFolder(
        {describeJdk(compiler, m_app->path()), destination(), QStringLiteral("x")}, nestedFeedback));
    const std::optional<CompileResult> result = resultOf(first);
    QVERIFY(result && result->ran());
    QVERIFY(nestedFeedback.events.isEmpty());
    // Once it has finished, the next one may run.
    QVERIFY(compile(compiler, QStringLiteral("x")));
}

void TestCompileDriver::anotherZarnsCompileComesFirst()
{
    // Another Zarn, sharing this application folder, is compiling.
    QProcess other;
    other.start(QStringLiteral(LOCK_HOLDER), {m_app->filePath(QStringLiteral("temp/compile.lock"))});
    QVERIFY(other.waitForReadyRead(scaled(10000)));
    QCOMPARE(other.readLine().trimmed(), QByteArray("locked"));

    CompileJob *job = m_driver->CompileToFolder(
        {describeJdk(QStringLiteral("/bin/true"), m_app->path()), destination(), QStringLiteral("x")},
        m_feedback);
    QSignalSpy waiting(job, &CompileJob::waitingForFolder);
    QVERIFY(waiting.wait(scaled(10000)));
    QVERIFY(m_feedback.events.isEmpty()); // this one waits, its script not even written
    QVERIFY(!QFile::exists(m_app->filePath(QStringLiteral("temp/temp.sh"))));
    other.closeWriteChannel(); // its compile ends
    const std::optional<CompileResult> result = resultOf(job);
    QVERIFY(result && result->ran());
    QCOMPARE(m_feedback.events.last(), QStringLiteral("finished"));
    QTRY_COMPARE(other.state(), QProcess::NotRunning);
    QVERIFY(!QFile::exists(m_app->filePath(QStringLiteral("temp/compile.lock")))); // given back
}

void TestCompileDriver::lockOfAZarnThatDiedIsNoObstacle()
{
    QProcess other;
    other.start(QStringLiteral(LOCK_HOLDER), {m_app->filePath(QStringLiteral("temp/compile.lock"))});
    QVERIFY(other.waitForReadyRead(scaled(10000)));
    other.kill(); // gone without giving the lock back
    QVERIFY(other.waitForFinished());
    QVERIFY(QFile::exists(m_app->filePath(QStringLiteral("temp/compile.lock"))));
    QVERIFY(compile(QStringLiteral("/bin/true"), QStringLiteral("x"), scaled(3000)));
}

// A Zarn dies a second into a compile whose compiler takes three; another Zarn
// compiles at once, in a folder whose name puts ";touch PWNED;#" where the first
// script ended. The first script's shell must neither read on into the new script
// nor outlive the takeover.
void TestCompileDriver::scriptOfAZarnThatDiedRunsNothingNew()
{
    const QString compiler = m_app->filePath(QStringLiteral("slow-javac"));
    m_app->write(QStringLiteral("slow-javac"), "#!/bin/sh\n[ -n \"$ZARN_SLOW\" ] && sleep 3\nexit 0\n");
    QFile::setPermissions(compiler, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcess other;
    QProcessEnvironment slow = QProcessEnvironment::systemEnvironment();
    slow.insert(QStringLiteral("ZARN_SLOW"), QStringLiteral("1"));
    other.setProcessEnvironment(slow);
    other.start(QStringLiteral(LOCK_HOLDER), {QStringLiteral("compile"), m_app->path(), compiler,
                                              m_app->filePath(QStringLiteral("Hello.java"))});
    QTRY_VERIFY_WITH_TIMEOUT(m_app->read(QStringLiteral("temp/compile.group")).endsWith('\n'), scaled(10000));
    const qint64 group =
        m_app->read(QStringLiteral("temp/compile.group")).split(' ').constFirst().toLongLong();
    const qsizetype oldEnd = m_app->read(QStringLiteral("temp/temp.sh")).size();
    other.kill();
    QVERIFY(other.waitForFinished());

    // The new script matches the old up to the folder's name, whose ";" then
    // stands at the byte where the old script ended.
    const QByteArray before = "command -p cp temp/NotDone.txt temp/temp.txt\n'" + compiler.toUtf8()
                              + "' -verbose -d '" + destination().toUtf8() + "' -sourcepath '"
                              + m_app->path().toUtf8() + '/';
    QVERIFY(oldEnd > before.size());
    const QString folder = m_app->filePath(QString(oldEnd - before.size(), QLatin1Char('P'))
                                           + QStringLiteral(";touch PWNED;#"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(compile(compiler, folder + QStringLiteral("/Hello.java")));
    QVERIFY(m_app->read(QStringLiteral("temp/temp.sh")).mid(oldEnd).startsWith(";touch PWNED;#"));
    QVERIFY(::kill(pid_t(-group), 0) != 0); // ended before the new script was written
    QVERIFY2(!QFile::exists(m_app->filePath(QStringLiteral("PWNED"))),
             "the old shell ran the new script's tail");
}

// A record of a compile whose number now names a group Zarn did not start: a
// group whose leader has exited, a leader that merely names the script, a record
// of the older kind with the number alone. None of them is ended.
void TestCompileDriver::groupsOfOthersAreLeftAlone_data()
{
    QTest::addColumn<bool>("leaderExits");
    QTest::addColumn<QByteArray>("record"); // %1: the group, %2: the script's path
    QTest::newRow("leader exited") << true << QByteArray("%1 1 %2\n");
    QTest::newRow("leader names the script") << false << QByteArray("%1 1 %2\n");
    QTest::newRow("number alone") << false << QByteArray("%1\n");
}

void TestCompileDriver::groupsOfOthersAreLeftAlone()
{
    QFETCH(bool, leaderExits);
    QFETCH(QByteArray, record);
    QProcess victim;
    victim.setChildProcessModifier([] { ::setpgid(0, 0); });
    victim.setWorkingDirectory(m_app->path()); // as the script's shell would stand
    victim.start(QStringLiteral("/bin/sh"),
                 {QStringLiteral("-c"),
                  leaderExits ? QStringLiteral("sleep 60 & echo up") : QStringLiteral("echo up; sleep 60; :"),
                  QStringLiteral("temp/temp.sh")});
    QVERIFY(victim.waitForReadyRead(scaled(10000)));
    const pid_t group = pid_t(victim.processId());
    if (leaderExits)
        QVERIFY(victim.waitForFinished());
    const auto endVictims = qScopeGuard([group, &victim] {
        ::kill(-group, SIGKILL);
        victim.waitForFinished();
    });
    QDir().mkpath(destination());
    m_app->write(QStringLiteral("temp/temp.sh"), "exit 0\n");
    const QString script = QFileInfo(m_app->filePath(QStringLiteral("temp/temp.sh"))).canonicalFilePath();
    m_app->write(QStringLiteral("temp/compile.group"),
                 record.replace("%1", QByteArray::number(group)).replace("%2", QFile::encodeName(script)));

    QVERIFY(compile(QStringLiteral("/bin/true"), QStringLiteral("x")));
    QCOMPARE(::kill(-group, 0), 0);
    QVERIFY(!QFile::exists(m_app->filePath(QStringLiteral("temp/compile.group")))); // forgotten
}

// javac from its class-data archive gives what plain javac gives: the same class,
// the same messages; a damaged archive never fails a compile.
void TestCompileDriver::archivedJavacCompilesAsPlain()
{
    m_app->write(QStringLiteral("Hello.java"), helloApplet());
    m_app->write(QStringLiteral("Broken.java"), "public class Broken { int x = missing; }\n");
    auto script = [&] {
        return m_app->read(QStringLiteral("temp/temp.sh"));
    };
    // The class of Hello, and what javac says about Broken.
    auto compileBoth = [&] {
        QStringList said;
        QFile::remove(m_app->filePath(QStringLiteral("temp/Hello.class")));
        compile(javacPath(), m_app->filePath(QStringLiteral("Hello.java")));
        compile(javacPath(), m_app->filePath(QStringLiteral("Broken.java")));
        for (const Diagnostic &d : m_result.diagnostics)
            said.append(QStringLiteral("%1:%2:%3 %4")
                            .arg(QFileInfo(d.file).fileName())
                            .arg(d.line)
                            .arg(d.column)
                            .arg(d.message));
        return std::pair{m_app->read(QStringLiteral("temp/Hello.class")), said};
    };
    qputenv("ZARN_PLAIN_JVM", "1");
    const auto plain = compileBoth();
    qunsetenv("ZARN_PLAIN_JVM");
    QVERIFY(!script().contains("'-J")); // quoted: the temporary folder's name may hold "-J"
    QVERIFY(!plain.first.isEmpty());
    QCOMPARE(plain.second.size(), 1);

    QCOMPARE(compileBoth(), plain); // the first compile makes the archive, the second uses it
    const QStringList archives = QDir(m_app->filePath(QStringLiteral("cds")))
                                     .entryList({QStringLiteral("javac-*.jsa")});
    QCOMPARE(archives.size(), 1);
    QCOMPARE(compileBoth(), plain);
    QVERIFY(script().contains("'-J-XX:SharedArchiveFile="));
    QVERIFY(script().contains("'-J-XX:+UseSerialGC'"));

    // Cut short, and its record made to match: the JVM dies of it, the compile
    // runs again plainly, and the archive is made anew.
    const QString archive = m_app->filePath(QStringLiteral("cds/") + archives.first());
    QVERIFY(QFile::resize(archive, 100000));
    const QFileInfo cut(archive);
    m_app->write(QStringLiteral("cds/") + archives.first() + QStringLiteral(".whole"),
                 QByteArray::number(cut.size()) + ' '
                     + QByteArray::number(cut.lastModified().toMSecsSinceEpoch()) + '\n');
    QCOMPARE(compileBoth(), plain);
    QVERIFY(QFileInfo(archive).size() > 100000);
    // Cut short behind Zarn's back: not used at all, but made again.
    QVERIFY(QFile::resize(archive, 100000));
    QCOMPARE(compileBoth(), plain);
    QVERIFY(QFileInfo(archive).size() > 100000);
}

WarmCompiler *TestCompileDriver::readyWarmCompiler()
{
    m_driver->useWarmCompiler();
    m_app->write(QStringLiteral("Hello.java"), helloApplet());
    compile(javacPath(), m_app->filePath(QStringLiteral("Hello.java")));
    WarmCompiler *warm = m_driver->warmCompiler();
    if (!QTest::qWaitFor([warm] { return warm->isReady(); }, scaled(60000)))
        return nullptr;
    return warm;
}

namespace {

// javac's words with its times taken out and its loading of the modules'
// descriptions in name order: javac takes that order from identity hash codes,
// which only a fresh JVM gives alike run after run.
QString comparable(QString printed)
{
    static const QRegularExpression time(QStringLiteral("\\d+ms\\]"));
    printed.replace(time, QStringLiteral("ms]"));
    QStringList lines = printed.split(QLatin1Char('\n'));
    auto isModuleLoad = [](const QString &line) {
        return line.startsWith(QLatin1String("[loading /modules/"))
               && line.endsWith(QLatin1String("/module-info.class]"));
    };
    for (auto run = lines.begin(); run != lines.end();) {
        const auto end = std::find_if_not(run, lines.end(), isModuleLoad);
        std::sort(run, end);
        run = end == run ? end + 1 : end;
    }
    return lines.join(QLatin1Char('\n'));
}

// What a run printed (comparable), its exit status and the class it wrote.
struct Run
{
    QString printed;
    int exitCode = -1;
    QByteArray classBytes;
};

Run runIn(const AppFolder &app, const QString &program, const QStringList &arguments, const QString &name)
{
    QFile::remove(app.filePath(QStringLiteral("out/") + name + QStringLiteral(".class")));
    QProcess process;
    process.setWorkingDirectory(app.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(scaled(60000)))
        return {};
    return {comparable(QString::fromUtf8(process.readAll())), process.exitCode(),
            app.read(QStringLiteral("out/") + name + QStringLiteral(".class"))};
}

} // namespace

// The same arguments, the same folder: through the warm compiler's client and by
// javac itself, the same text (-verbose lines included), exit status and class.
void TestCompileDriver::warmCompilerGivesWhatJavacGives_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("gone");   // a neighbour compiled with it once, then deleted
    QTest::addColumn<QString>("jvmOption"); // given to the client for javac's JVM: it is refused
    QTest::newRow("clean") << QStringLiteral("Hello") << helloApplet() << QByteArray() << QString();
    QTest::newRow("errors") << QStringLiteral("Broken")
                            << QByteArray("public class Broken { int x = missing; String s = 1; }\n")
                            << QByteArray() << QString();
    QTest::newRow("warnings") << QStringLiteral(
        "Warned") << QByteArray("public class Warned { void f() { Thread.currentThread().stop(); } }\n")
                              << QByteArray() << QString();
    QTest::newRow("a neighbour deleted since")
        << QStringLiteral("User") << QByteArray("public class User { Gone g; }\n")
        << QByteArray("class Gone { }\n") << QString();
    QTest::newRow("an encoding for javac's JVM")
        << QStringLiteral("Latin") << QByteArray("public class Latin { String s = \"caf\xE9\"; }\n")
        << QByteArray() << QStringLiteral("-J-Dfile.encoding=ISO-8859-1");
}

void TestCompileDriver::warmCompilerGivesWhatJavacGives()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, gone);
    QFETCH(QString, jvmOption);
    WarmCompiler *warm = readyWarmCompiler();
    QVERIFY(warm);
    m_app->write(name + QStringLiteral(".java"), source);
    QDir(m_app->path()).mkpath(QStringLiteral("out"));
    QStringList arguments = {QStringLiteral("-verbose"), QStringLiteral("-d"),
                             QStringLiteral("out"),      QStringLiteral("-sourcepath"),
                             QStringLiteral("."),        name + QStringLiteral(".java")};
    if (!jvmOption.isEmpty())
        arguments.prepend(jvmOption);
    if (!gone.isEmpty()) {
        m_app->write(QStringLiteral("Gone.java"), gone);
        QVERIFY(compile(javacPath(), m_app->filePath(name + QStringLiteral(".java"))));
        QVERIFY(m_result.output.contains(QStringLiteral("Gone.class")));
        QVERIFY(QFile::remove(m_app->filePath(QStringLiteral("Gone.java"))));
        QVERIFY(QFile::remove(m_app->filePath(QStringLiteral("temp/Gone.class"))));
    }
    QSignalSpy said(warm, &WarmCompiler::said);
    const QStringList launcher = warm->launcher(javacPath());
    QCOMPARE(launcher.size(), 2);
    const Run warmRun = runIn(*m_app, launcher[0], launcher.mid(1) + QStringList{javacPath()} + arguments,
                              name);
    QTRY_VERIFY2(said.size() >= (jvmOption.isEmpty() ? 2 : 1), "the warm compiler did not answer");
    QVERIFY(said[0][0].toString().startsWith(jvmOption.isEmpty() ? QLatin1String("compiling")
                                                                 : QLatin1String("refused")));
    const Run plain = runIn(*m_app, javacPath(), arguments, name);
    QVERIFY(plain.printed.contains(QStringLiteral("[total ms]")));
    QCOMPARE(warmRun.printed, plain.printed);
    QCOMPARE(warmRun.exitCode, plain.exitCode);
    QCOMPARE(warmRun.classBytes, plain.classBytes);

    // And through the compile script, by the client.
    QVERIFY(compile(javacPath(), m_app->filePath(name + QStringLiteral(".java"))));
    QVERIFY(m_app->read(QStringLiteral("temp/temp.sh")).contains("/zarn-javac' '"));
    QTRY_VERIFY(said.size() >= (jvmOption.isEmpty() ? 4 : 3));
}

namespace {

// A client has sent its request and waits on the socket for the answer: it sits
// in poll, which it calls only then, also while the warm compiler cannot answer.
// No process can give a sign of this: the compiler is stopped on purpose, and the
// client says nothing but javac's words. The state read here does not pass: the
// client stays in poll until the stopped compiler answers or the client is killed.
bool clientWaitsOn(const QString &socket)
{
#ifdef SYS_poll
    const QByteArray inPoll = QByteArray::number(SYS_poll) + ' ';
#else
    const QByteArray inPoll = QByteArray::number(SYS_ppoll) + ' ';
#endif
    const QByteArray wanted = QFile::encodeName(socket);
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList({QStringLiteral("[0-9]*")}, QDir::Dirs);
    for (const QString &pid : pids) {
        QFile command(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!command.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> words = command.readAll().split('\0');
        if (words.size() < 2 || !words[0].endsWith("/zarn-javac") || words[1] != wanted)
            continue;
        QFile call(QStringLiteral("/proc/%1/syscall").arg(pid));
        return call.open(QIODevice::ReadOnly) && call.readAll().startsWith(inPoll);
    }
    return false;
}

} // namespace

void TestCompileDriver::warmCompilerKilledMidCompileFallsBack_data()
{
    QTest::addColumn<bool>("killedHere");
    QTest::newRow("killed while stopped") << true;
    // Silent, it could still write classes once it goes on: the client ends it first.
    QTest::newRow("left stopped") << false;
}

// Killed while a compile waits on it (stopped, it could not answer first), or left
// silent: the client runs javac itself, once the compiler has gone, and the compile
// ends as it would have.
void TestCompileDriver::warmCompilerKilledMidCompileFallsBack()
{
    QFETCH(bool, killedHere);
    WarmCompiler *warm = readyWarmCompiler();
    QVERIFY(warm);
    const pid_t pid = pid_t(warm->processId());
    const int process = int(::syscall(SYS_pidfd_open, pid, 0u));
    QVERIFY(process >= 0);
    const auto closeProcess = qScopeGuard([process] { ::close(process); });
    ::kill(pid, SIGSTOP);
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (clientWaitsOn(warm->launcher(javacPath()).value(1))) {
            watch.stop();
            if (killedHere)
                ::kill(pid, SIGKILL);
        }
    });
    watch.start(10);
    QVERIFY(QFile::remove(m_app->filePath(QStringLiteral("temp/Hello.class"))));
    QVERIFY(compile(javacPath(), m_app->filePath(QStringLiteral("Hello.java"))));
    QVERIFY(!watch.isActive()); // the client waited on it
    // Gone before javac's run ended: its process is over (a zombie until reaped).
    pollfd ended{process, POLLIN, 0};
    QCOMPARE(::poll(&ended, 1, 0), 1);
    QVERIFY(m_app->read(QStringLiteral("temp/temp.sh")).contains("/zarn-javac' '"));
    QVERIFY(QFile::exists(m_app->filePath(QStringLiteral("temp/Hello.class"))));
    QVERIFY(m_result.output.contains(QStringLiteral("[wrote")));
    QTRY_VERIFY(!warm->isReady());
}

// Esc while a compile waits on the warm compiler: the compile is cancelled as a
// plain one is; the compiler, going on, finds its client gone, and serves the next.
void TestCompileDriver::cancelledWarmCompileLeavesItUsable()
{
    WarmCompiler *warm = readyWarmCompiler();
    QVERIFY(warm);
    const pid_t pid = pid_t(warm->processId());
    const QString socket = warm->launcher(javacPath()).value(1);
    QSignalSpy said(warm, &WarmCompiler::said);
    ::kill(pid, SIGSTOP);
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (m_job && clientWaitsOn(socket))
            m_job->cancel();
    });
    watch.start(10);
    QVERIFY(!compile(javacPath(), m_app->filePath(QStringLiteral("Hello.java"))));
    QCOMPARE(m_feedback.events.last(), QStringLiteral("failed: cancelled"));
    QCOMPARE(m_result.outcome, CompileResult::Outcome::Cancelled);
    watch.stop();
    ::kill(pid, SIGCONT);

    QVERIFY(QFile::remove(m_app->filePath(QStringLiteral("temp/Hello.class"))));
    QVERIFY(compile(javacPath(), m_app->filePath(QStringLiteral("Hello.java"))));
    QVERIFY(QFile::exists(m_app->filePath(QStringLiteral("temp/Hello.class"))));
    // Both compiles reached it: the cancelled one's, its client gone, and this one.
    QTRY_COMPARE(said.size(), 4);
    QStringList lines;
    for (const QList<QVariant> &line : said)
        lines.append(line[0].toString());
    QVERIFY2(lines.filter(QStringLiteral("compiling")).size() == 2
                 && !lines.filter(QRegularExpression(QStringLiteral("^done \\d+ 0$"))).isEmpty(),
             qPrintable(lines.join(QLatin1String(", "))));
    QVERIFY(warm->isReady());
}

namespace {

// What the warm compiler at socket sends a client that sends request and then
// waits, up to the moment it closes the connection; nothing when it has not closed
// it within ms.
std::optional<QByteArray> answerTo(const QString &socket, const QByteArray &request, int ms)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const auto closeIt = qScopeGuard([fd] { ::close(fd); });
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(socket);
    std::copy(path.begin(), path.end(), address.sun_path);
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0
        || ::write(fd, request.constData(), size_t(request.size())) != request.size())
        return std::nullopt;
    QByteArray answer;
    QDeadlineTimer deadline(ms);
    for (;;) {
        pollfd waiting{fd, POLLIN, 0};
        if (::poll(&waiting, 1, int(deadline.remainingTime())) <= 0)
            return std::nullopt;
        char bytes[256];
        const ssize_t got = ::read(fd, bytes, sizeof bytes);
        if (got <= 0)
            return answer;
        answer.append(bytes, got);
    }
}

QByteArray bigEndian(quint32 number)
{
    const quint32 big = qToBigEndian(number);
    return QByteArray(reinterpret_cast<const char *>(&big), sizeof big);
}

} // namespace

void TestCompileDriver::warmCompilerDropsBadRequests_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("answer"); // 'r': refused, so the client runs javac
    QTest::newRow("half-open: a count, then nothing") << bigEndian(3) << QByteArray();
    QTest::newRow("too many strings") << bigEndian(200000) << QByteArray("r");
    QTest::newRow("a string too long") << bigEndian(3) + bigEndian((1 << 20) + 1) << QByteArray("r");
}

// A client that never completes its request is dropped after a deadline, one that
// asks too much is refused, and the compiler serves the next compile.
void TestCompileDriver::warmCompilerDropsBadRequests()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, answer);
    WarmCompiler *warm = readyWarmCompiler();
    QVERIFY(warm);
    const QString socket = warm->launcher(javacPath()).value(1);
    QSignalSpy said(warm, &WarmCompiler::said);
    const std::optional<QByteArray> got = answerTo(socket, request, scaled(30000));
    QVERIFY2(got, "the connection was not closed");
    QCOMPARE(*got, answer);
    QVERIFY(warm->isReady());
    QVERIFY(compile(javacPath(), m_app->filePath(QStringLiteral("Hello.java"))));
    QTRY_VERIFY(!said.isEmpty()
                && said.constLast().constFirst().toString().startsWith(QLatin1String("done")));
}

// Another user reaches neither the socket's folder nor, when let through, a compile.
void TestCompileDriver::warmCompilerServesOnlyItsUser()
{
    if (::geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("runuser")).isEmpty())
        QSKIP("needs root and runuser to act as another user");
    WarmCompiler *warm = readyWarmCompiler();
    QVERIFY(warm);
    const QString folder = WarmCompiler::socketFolder();
    QCOMPARE(QFileInfo(folder).permissions() & (QFileDevice::ReadOther | QFileDevice::ExeOther),
             QFileDevice::Permissions());
    const QStringList launcher = warm->launcher(javacPath());
    QCOMPARE(launcher.size(), 2);
    auto asNobody = [&] {
        QProcess process;
        process.setWorkingDirectory(QStringLiteral("/"));
        process.start(QStringLiteral("runuser"),
                      {QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"), launcher[0],
                       launcher[1], javacPath(), QStringLiteral("-version")});
        return process.waitForFinished(scaled(60000)) && process.exitCode() == 0; // by javac itself
    };
    QSignalSpy said(warm, &WarmCompiler::said);
    QVERIFY(asNobody());
    QCOMPARE(said.size(), 0); // the folder kept it out

    // Let through the folder, the compiler itself refuses.
    const auto restore = qScopeGuard([&] {
        QFile::setPermissions(folder,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    });
    QVERIFY(QFile::setPermissions(folder, QFileInfo(folder).permissions() | QFileDevice::ExeOther));
    QVERIFY(QFile::setPermissions(launcher[1], QFileInfo(launcher[1]).permissions() | QFileDevice::ReadOther
                                                   | QFileDevice::WriteOther));
    QVERIFY(asNobody());
    QTRY_COMPARE(said.size(), 1);
    QVERIFY2(said[0][0].toString().startsWith(QLatin1String("refused the user nobody")),
             qPrintable(said[0][0].toString()));
}

// A check of the text a pane holds, not the file: javac's messages at their places,
// a neighbour found through the source path, and no file written anywhere.
void TestCompileDriver::warmCompilerChecksTextInMemory()
{
    WarmCompiler *warm = readyWarmCompiler();
    QVERIFY(warm);
    const QString root = m_app->filePath(QStringLiteral("work"));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/a/b")));
    m_app->write(QStringLiteral("work/a/b/Painter.java"),
                 "package a.b;\nclass Painter { static int size() { return 3; } }\n");
    const QString source = root + QStringLiteral("/a/b/Game.java");
    m_app->write(QStringLiteral("work/a/b/Game.java"), "package a.b;\nclass Game { } // on disk\n");
    const QStringList before = filesBelow(m_app->path());
    const auto check = [&](const QString &text) {
        TextCheck check(warm->socket(javacPath()), m_app->path());
        QSignalSpy finished(&check, &TextCheck::finished);
        check.start(javacPath(), textCheckOptions(jdkOfCompiler(javacPath()), root, QStringLiteral("UTF-8")),
                    source, text);
        return finished.wait(scaled(30000)) ? finished[0][0].value<CompileResult>() : CompileResult();
    };

    CompileResult result = check(QStringLiteral("package a.b;\nclass Game {\n  int n = Painter.size();\n"
                                                "  String s = Painter.name();\n}\n"));
    QVERIFY2(result.ran(), qPrintable(result.problem));
    QCOMPARE(result.diagnostics.size(), 1);
    QCOMPARE(result.diagnostics[0].file, source);
    QCOMPARE(result.diagnostics[0].line, 4);
    QCOMPARE(result.diagnostics[0].column, 21); // javac points at the dot
    QVERIFY(result.diagnostics[0].message.startsWith(QStringLiteral("cannot find symbol")));

    // Fixed in the pane: nothing to say.
    result = check(QStringLiteral("package a.b;\nclass Game {\n  int n = Painter.size();\n}\n"));
    QVERIFY(result.ran());
    QCOMPARE(result.diagnostics.size(), 0);
    QCOMPARE(filesBelow(m_app->path()), before);

    // No warm compiler behind the socket: a failure that says so, soon.
    TextCheck nowhere(m_app->filePath(QStringLiteral("no.sock")), m_app->path());
    QSignalSpy failed(&nowhere, &TextCheck::finished);
    nowhere.start(javacPath(), {}, source, QStringLiteral("class Game { }"));
    QVERIFY(failed.wait(scaled(5000)));
    QVERIFY(!failed[0][0].value<CompileResult>().ran());
}

QTEST_GUILESS_MAIN(TestCompileDriver)
// Ctrl+Space's answers, from javac's symbols at the caret (the | in each text): what
// each place must offer and must not, the text unsaved and with its errors.
void TestCompileDriver::warmCompilerCompletesFromJavacsSymbols()
{
    WarmCompiler *warm = readyWarmCompiler();
    QVERIFY(warm);
    m_app->write(QStringLiteral("Painter.java"),
                 "class Painter { static int size() { return 3; } int hidden; }\n");
    const QString source = m_app->filePath(QStringLiteral("Game.java"));
    const QStringList before = filesBelow(m_app->path());
    const auto complete = [&](QString text) {
        const int caret = int(text.indexOf(QLatin1Char('|')));
        text.remove(caret, 1);
        CompletionQuery query(warm->socket(javacPath()), m_app->path());
        std::optional<QList<CompletionEntry>> answer;
        connect(&query, &CompletionQuery::answered, this,
                [&](const QList<CompletionEntry> &entries) { answer = entries; });
        connect(&query, &CompletionQuery::failed, this, [&](const QString &problem) {
            qWarning("no completion: %s", qPrintable(problem));
            answer = QList<CompletionEntry>();
        });
        query.start(javacPath(), textCheckOptions(jdkOfCompiler(javacPath()), m_app->path(), {}), source,
                    text, caret);
        [[maybe_unused]] const bool answered = QTest::qWaitFor([&] { return answer.has_value(); },
                                                               scaled(30000));
        QStringList labels;
        for (const CompletionEntry &entry : answer.value_or(QList<CompletionEntry>()))
            labels << entry.label + QLatin1Char('=') + entry.insert;
        return labels;
    };
    const QString applet = QStringLiteral("import java.applet.Applet;\nimport java.awt.*;\n"
                                          "public class Game extends Applet {\n    private int score;\n"
                                          "    public void paint(Graphics g) {\n        int lives = 3;\n"
                                          "        Button button = null;\n"
                                          "        %1\n    }\n}\n");
    struct Row
    {
        const char *name;
        QString text;
        QStringList offered;
        QStringList notOffered;
    };
    const QList<Row> rows = {
        {"members of Graphics after g.",
         applet.arg(QStringLiteral("g.|")),
         {QStringLiteral("drawLine(int, int, int, int)=drawLine("),
          QStringLiteral("setColor(Color)=setColor(")},
         {QStringLiteral("lives=lives"), QStringLiteral("Button=Button")}},
        {"a local, a field, an inherited method, a type",
         applet.arg(QStringLiteral("|")),
         {QStringLiteral("lives=lives"), QStringLiteral("score=score"), QStringLiteral("button=button"),
          QStringLiteral("getParameter(String)=getParameter("), QStringLiteral("Button=Button"),
          QStringLiteral("String=String"), QStringLiteral("Painter=Painter")},
         {QStringLiteral("drawLine(int, int, int, int)=drawLine(")}},
        {"classes after new, the name begun",
         applet.arg(QStringLiteral("Object b = new Butt|")),
         {QStringLiteral("Button=Button"), QStringLiteral("Applet=Applet")},
         {QStringLiteral("lives=lives"), QStringLiteral("paint(Graphics)=paint(")}},
        {"a neighbour's statics through its class name",
         applet.arg(QStringLiteral("int n = Painter.|;")),
         {QStringLiteral("size()=size(")},
         {QStringLiteral("hidden=hidden")}},
        {"nothing where no name can stand", QStringLiteral("class Game { \"text |\" }"), {}, {}},
    };
    for (const Row &row : rows) {
        const QStringList labels = complete(row.text);
        for (const QString &offered : row.offered)
            QVERIFY2(labels.contains(offered), qPrintable(QString::fromLatin1(row.name) + QStringLiteral(": ")
                                                          + offered + QStringLiteral(" missing")));
        for (const QString &notOffered : row.notOffered)
            QVERIFY2(!labels.contains(notOffered),
                     qPrintable(QString::fromLatin1(row.name) + QStringLiteral(": ") + notOffered
                                + QStringLiteral(" offered")));
        if (row.offered.isEmpty())
            QVERIFY2(labels.isEmpty(), row.name);
    }
    QCOMPARE(filesBelow(m_app->path()), before);

    // A completion without a place in its text is refused, never run as a compile.
    CompletionQuery nowhere(warm->socket(javacPath()), m_app->path());
    QSignalSpy failed(&nowhere, &CompletionQuery::failed);
    QSignalSpy said(warm, &WarmCompiler::said);
    nowhere.start(javacPath(), {}, source, QStringLiteral("class Game { }"), -1);
    QVERIFY(failed.wait(scaled(30000)));
    QTRY_VERIFY(!said.isEmpty());
    QCOMPARE(said.constLast().constFirst().toString(), QStringLiteral("refused a completion without its caret"));
}

#include "tst_compiledriver.moc"
