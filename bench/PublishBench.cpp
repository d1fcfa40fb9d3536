// Publishing the files an applet loaded: 5,000 small files copied beside the
// published class, against cp -r of the same files (and a sync of the copy, as
// Zarn syncs once at the end) in the same run, and the window's longest wait
// while Zarn copies them.
#include "AppletFiles.h"
#include "AppletLaunch.h"
#include "BenchTable.h"
#include "LoadedFilesCopy.h"
#include "MonotonicClock.h"
#include "Suites.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <optional>

#include <unistd.h>

namespace {

constexpr int FileCount = 5000;
constexpr int Runs = 3;

struct Copied
{
    double ms;
    double longestWaitMs; // the event loop's longest time between two 10 ms ticks
};

Copied copyWithZarn(const AppletFiles &files, const QStringList &relative, const QString &destination)
{
    LoadedFilesCopy copy(files, relative, destination, [](const QString &) { return true; });
    QEventLoop loop;
    std::optional<CopiedFiles> copied;
    QObject::connect(&copy, &LoadedFilesCopy::finished, &loop, [&](const CopiedFiles &result) {
        copied = result;
        loop.quit();
    });
    qint64 lastTick = 0;
    qint64 longestWait = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        const qint64 now = monotonicNs();
        longestWait = std::max(longestWait, now - lastTick);
        lastTick = now;
    });
    const qint64 start = monotonicNs();
    lastTick = start;
    tick.start(10);
    copy.start();
    QTimer::singleShot(300000, &loop, [] { qFatal("the copy did not end"); });
    loop.exec();
    const qint64 end = monotonicNs();
    if (copied->carried != FileCount || !copied->problems.isEmpty())
        qFatal("the copy lost files: %d copied", copied->carried);
    return {double(end - start) / 1e6, double(longestWait) / 1e6};
}

double copyWithCp(const QString &from, const QString &destination)
{
    const qint64 start = monotonicNs();
    QProcess cp;
    cp.start(QStringLiteral("/bin/sh"),
             {QStringLiteral("-c"), QStringLiteral("cp -r \"$1\" \"$2\" && sync -f \"$2\""),
              QStringLiteral("sh"), from, destination});
    if (!cp.waitForFinished(300000) || cp.exitCode() != 0)
        qFatal("cp -r failed");
    return double(monotonicNs() - start) / 1e6;
}

} // namespace

void benchPublish(BenchTable &table)
{
    QTemporaryDir root;
    const QString site = root.filePath(QStringLiteral("site/"));
    AppletLaunch launch;
    launch.codeBase = QUrl::fromLocalFile(site);
    launch.documentBase = QUrl::fromLocalFile(site + QStringLiteral("A.html"));
    QDir().mkpath(site);
    QFile source(site + QStringLiteral("A.java"));
    if (!source.open(QIODevice::WriteOnly) || source.write("public class A {}\n") < 0)
        qFatal("the source cannot be written");
    source.close();
    AppletFiles files;
    files.begin(source.fileName(), launch, root.filePath(QStringLiteral("temp")));
    files.ran();
    const QByteArray line = QByteArray("a line of an applet's data file, as small ones are\n").repeated(4);
    for (int i = 0; i < FileCount; ++i) {
        const QString path = site + QStringLiteral("data/d%1/file%2.txt").arg(i / 100).arg(i);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(line) != line.size())
            qFatal("the data files cannot be written");
        files.loaded(path);
    }
    const QStringList relative = *files.relativePaths(source.fileName());

    std::vector<double> zarnMs;
    std::vector<double> cpMs;
    std::vector<double> waitMs;
    for (int run = 0; run < Runs; ++run) {
        // Each starts with nothing of the other's left to write.
        ::sync();
        cpMs.push_back(
            copyWithCp(site + QStringLiteral("data"), root.filePath(QStringLiteral("cp%1").arg(run))));
        ::sync();
        const Copied zarn = copyWithZarn(files, relative, root.filePath(QStringLiteral("zarn%1").arg(run)));
        zarnMs.push_back(zarn.ms);
        waitMs.push_back(zarn.longestWaitMs);
    }
    table.add({"Publish with 5,000 loaded files (ms)", median(zarnMs), median(cpMs), 2.0});
    table.add({"the window's longest wait meanwhile (ms)", *std::max_element(waitMs.begin(), waitMs.end()),
               -1, 200});
}
