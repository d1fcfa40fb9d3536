// A compile through Zarn's script and marker file against the same javac command
// run directly, and Zarn's own CPU time while it waits; the same through the warm
// compiler, against plain javac and against its client run directly.
#include "BenchFiles.h"
#include "BenchJdks.h"
#include "BenchTable.h"
#include "CompileDriver.h"
#include "Jdk.h"
#include "MonotonicClock.h"
#include "QuietFeedback.h"
#include "Suites.h"
#include "WarmCompiler.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// javac's own time varies by tens of milliseconds from run to run; the median of
// eleven keeps the comparison steady.
constexpr int Runs = 11;

const QByteArray HelloApplet = "import java.applet.Applet;\nimport java.awt.Graphics;\n"
                               "public class Hello extends Applet {\n"
                               "    public void paint(Graphics g) { g.drawString(\"Hello\", 20, 20); }\n}\n";

// An application folder in app, with direct/ for javac's own runs; Hello.java's path.
QString helloIn(const QTemporaryDir &app)
{
    makeAppFolder(app.path());
    QDir(app.path()).mkpath(QStringLiteral("direct"));
    const QString source = app.filePath(QStringLiteral("Hello.java"));
    writeBenchFile(source, HelloApplet);
    return source;
}

struct CompileFigures
{
    double zarnMs;
    double directMs;
    double cpuShare;
};

CompileFigures compileFigures(const QString &javac)
{
    QTemporaryDir app;
    const QString source = helloIn(app);

    CompileDriver driver(app.path());
    QuietFeedback feedback;
    std::vector<double> zarnMs, directMs, cpuShare;
    for (int run = 0; run < Runs; ++run) {
        const double cpuBefore = processCpuMs();
        const qint64 start = monotonicNs();
        compileOnce(driver, {jdkOfCompiler(javac), app.filePath(QStringLiteral("temp")), source}, feedback);
        const double wall = double(monotonicNs() - start) / 1e6;
        zarnMs.push_back(wall);
        cpuShare.push_back(100.0 * (processCpuMs() - cpuBefore) / wall);

        QProcess direct;
        const qint64 directStart = monotonicNs();
        direct.start(javac, {QStringLiteral("-verbose"), QStringLiteral("-d"),
                             app.filePath(QStringLiteral("direct")), source});
        direct.waitForFinished(-1);
        directMs.push_back(double(monotonicNs() - directStart) / 1e6);
    }
    return {median(zarnMs), median(directMs), median(cpuShare)};
}

double millisecondsOf(QProcess &process, const QString &program, const QStringList &arguments)
{
    const qint64 start = monotonicNs();
    process.start(program, arguments);
    process.waitForFinished(-1);
    return double(monotonicNs() - start) / 1e6;
}

struct WarmFigures
{
    double zarnMs;
    double clientMs; // the client run directly: the warm compiler's own part
    double plainMs;
    double residentMb;
};

// After two compiles to warm it up, as a user's third compile would find it.
WarmFigures warmFigures(const QString &javac)
{
    QTemporaryDir app;
    const QString source = helloIn(app);
    CompileDriver driver(app.path());
    driver.useWarmCompiler();
    QuietFeedback feedback;
    const CompileRequest request{jdkOfCompiler(javac), app.filePath(QStringLiteral("temp")), source};
    compileOnce(driver, request, feedback); // starts it
    WarmCompiler &warm = *driver.warmCompiler();
    QEventLoop waiting;
    QObject::connect(&warm, &WarmCompiler::ready, &waiting, &QEventLoop::quit);
    const QDeadlineTimer deadline(60000);
    while (!warm.isReady() && !deadline.hasExpired())
        waiting.processEvents(QEventLoop::WaitForMoreEvents, 100);
    if (!warm.isReady())
        qFatal("the warm compiler did not become ready");
    for (int warmUp = 0; warmUp < 2; ++warmUp)
        compileOnce(driver, request, feedback);

    const QStringList arguments = {QStringLiteral("-verbose"), QStringLiteral("-d"),
                                   app.filePath(QStringLiteral("direct")), source};
    std::vector<double> zarnMs, clientMs, plainMs;
    for (int run = 0; run < Runs; ++run) {
        const qint64 start = monotonicNs();
        compileOnce(driver, request, feedback);
        zarnMs.push_back(double(monotonicNs() - start) / 1e6);
        QProcess client;
        client.setWorkingDirectory(app.path());
        const QStringList launcher = warm.launcher(javac);
        clientMs.push_back(
            millisecondsOf(client, launcher[0], launcher.mid(1) + QStringList{javac} + arguments));
        QProcess plain;
        plainMs.push_back(millisecondsOf(plain, javac, arguments));
    }
    return {median(zarnMs), median(clientMs), median(plainMs),
            double(residentKb(QString::number(warm.processId()))) / 1024.0};
}

} // namespace

void benchCompile(BenchTable &table)
{
    const QString javac = QStandardPaths::findExecutable(QStringLiteral("javac"));
    const CompileFigures figures = compileFigures(javac);
    // javac from its archive, tuned, against javac run plainly: about half the time.
    table.add({"compile round trip (ms)", figures.zarnMs, figures.directMs, 0.6});
    table.add({"Zarn CPU during the compile wait (% of wall)", figures.cpuShare, -1, 5});
    // The warm compiler against plain javac; Zarn's own part is the round trip
    // less the same compile through the client alone (script, marker, wait).
    const WarmFigures warm = warmFigures(javac);
    table.add({"compile round trip, warm compiler (ms)", warm.zarnMs, warm.plainMs, 0.3});
    table.add({"compile round trip, warm compiler, absolute (ms)", warm.zarnMs, -1, 150});
    table.add({"Zarn's own part of a warm compile (ms)", warm.zarnMs - warm.clientMs, -1, 50});
    table.add({"warm compiler's resident memory (MiB)", warm.residentMb, -1, 0});
    // The other JDKs, for information.
    for (const BenchJdk &jdk : otherJdks(javac)) {
        const CompileFigures other = compileFigures(jdk.javac);
        table.add({"compile round trip, JDK " + std::to_string(jdk.version) + " (ms)", other.zarnMs,
                   other.directMs, 0});
    }
}
