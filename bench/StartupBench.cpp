// Starts Zarn and the bare editor window (see bareEditorWindow) alternately, many
// times, and compares their median start-up time and resident memory; and Zarn
// with a Workspace.ini (every comfort on, eight recent files) against Zarn without.
#include "BenchFiles.h"
#include "BenchTable.h"
#include "MonotonicClock.h"
#include "Suites.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <vector>

namespace {

constexpr int Runs = 41;

struct Sample
{
    double startupMs;
    double residentMb;
};

Sample launch(const QString &program, const QString &appFolder, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setProcessEnvironment(environment);
    const qint64 startedAt = monotonicNs();
    process.start(program, {QString::number(startedAt), appFolder});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qFatal("%s did not start and paint", qPrintable(program));
    const QList<QByteArray> figures = process.readAllStandardOutput().trimmed().split(' ');
    return {figures.value(0).toDouble() / 1e6, figures.value(1).toDouble() / 1024.0};
}

} // namespace

void benchStartup(BenchTable &table)
{
    const QString dir = QCoreApplication::applicationDirPath();
    const QString zarn = dir + QStringLiteral("/bench_startup_zarn");
    const QString bare = dir + QStringLiteral("/bench_startup_bare");

    QTemporaryDir appFolder;
    // As a new user's: Courier New, 12 points, the face and size of the baseline's edit.
    writeBenchFile(appFolder.filePath(QStringLiteral("Options.dat")), "4,2,\"/usr/bin/javac\"\r\n");

    // The same, with a workspace as a user's after a while: every comfort on, eight
    // recent files.
    QTemporaryDir workspaceFolder;
    writeBenchFile(workspaceFolder.filePath(QStringLiteral("Options.dat")), "4,2,\"/usr/bin/javac\"\r\n");
    QByteArray recent;
    for (int file = 0; file < 8; ++file) {
        const QString path = workspaceFolder.filePath(QStringLiteral("Recent%1.java").arg(file));
        writeBenchFile(path, "class Recent {}\n");
        recent += (file ? ", " : "") + path.toUtf8();
    }
    writeBenchFile(workspaceFolder.filePath(QStringLiteral("Workspace.ini")),
                   "[workspace]\nresizable=true\ncaptionShowsFile=true\nviewerFitsApplet=true\n"
                   "saveBeforeCompile=true\n\n[recent]\nfiles="
                       + recent + "\n");

    // Both programs get the same environment, with a runtime folder of their own.
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));

    // One unmeasured run each fills the font and file caches.
    launch(zarn, appFolder.path(), environment);
    launch(bare, appFolder.path(), environment);
    launch(zarn, workspaceFolder.path(), environment);

    std::vector<double> zarnMs, bareMs, zarnMb, bareMb, workspaceMs;
    for (int run = 0; run < Runs; ++run) {
        const Sample z = launch(zarn, appFolder.path(), environment);
        const Sample b = launch(bare, appFolder.path(), environment);
        workspaceMs.push_back(launch(zarn, workspaceFolder.path(), environment).startupMs);
        zarnMs.push_back(z.startupMs);
        bareMs.push_back(b.startupMs);
        zarnMb.push_back(z.residentMb);
        bareMb.push_back(b.residentMb);
    }

    table.add({"start-up to first paint (ms)", median(zarnMs), median(bareMs), 1.1});
    table.add({"resident memory after start (MiB)", median(zarnMb), median(bareMb), 1.1});
    table.add({"start-up with a Workspace.ini, against without (ms)", median(workspaceMs), median(zarnMs), 1.05});
}
