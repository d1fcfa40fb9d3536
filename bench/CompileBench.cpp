// A compile through Zarn's script and marker file against the same javac command
// run directly, and Zarn's own CPU time while it waits.
#include "BenchFiles.h"
#include "BenchJdks.h"
#include "BenchTable.h"
#include "CompileDriver.h"
#include "MonotonicClock.h"
#include "QuietFeedback.h"
#include "Suites.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// javac's own time varies by tens of milliseconds from run to run; the median of
// eleven keeps the comparison steady.
constexpr int Runs = 11;

struct CompileFigures
{
    double zarnMs;
    double directMs;
    double cpuShare;
};

CompileFigures compileFigures(const QString &javac)
{
    QTemporaryDir app;
    makeAppFolder(app.path());
    QDir(app.path()).mkpath(QStringLiteral("direct"));
    const QString source = app.filePath(QStringLiteral("Hello.java"));
    writeBenchFile(source, "import java.applet.Applet;\nimport java.awt.Graphics;\n"
                           "public class Hello extends Applet {\n"
                           "    public void paint(Graphics g) { g.drawString(\"Hello\", 20, 20); }\n}\n");

    CompileDriver driver(app.path());
    QuietFeedback feedback;
    std::vector<double> zarnMs, directMs, cpuShare;
    for (int run = 0; run < Runs; ++run) {
        const double cpuBefore = processCpuMs();
        const qint64 start = monotonicNs();
        driver.CompileToFolder({javac, app.filePath(QStringLiteral("temp")), source}, feedback);
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

} // namespace

void benchCompile(BenchTable &table)
{
    const QString javac = QStandardPaths::findExecutable(QStringLiteral("javac"));
    const CompileFigures figures = compileFigures(javac);
    // javac from its archive, tuned, against javac run plainly: about half the time.
    table.add({"compile round trip (ms)", figures.zarnMs, figures.directMs, 0.6});
    table.add({"Zarn CPU during the compile wait (% of wall)", figures.cpuShare, -1, 5});
    // The other JDKs, for information.
    for (const BenchJdk &jdk : otherJdks(javac)) {
        const CompileFigures other = compileFigures(jdk.javac);
        table.add({"compile round trip, JDK " + std::to_string(jdk.version) + " (ms)", other.zarnMs,
                   other.directMs, 0});
    }
}
