// The real zarn executable, in a fresh copy of its application folder: start-up
// until its window is mapped, and its resident memory after start and after
// opening a 20 MB file, beside a bare Qt editor window doing the same.
#include "BenchFiles.h"
#include "BenchTable.h"
#include "MapWatcher.h"
#include "MonotonicClock.h"
#include "Suites.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace {

constexpr int Runs = 21;

// The resident memory once it has stopped changing for a while.
double settledResidentMb(qint64 pid)
{
    qint64 last = residentKb(QString::number(pid));
    const QDeadlineTimer deadline(30000);
    for (int steady = 0; steady < 5 && !deadline.hasExpired();) {
        QThread::msleep(100);
        const qint64 now = residentKb(QString::number(pid));
        steady = qAbs(now - last) * 200 < last ? steady + 1 : 0; // within half a percent
        last = now;
    }
    return double(last) / 1024.0;
}

class Program
{
public:
    Program(const QString &path, const QStringList &arguments)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_started = monotonicNs();
        m_process.start(path, arguments);
        if (!m_process.waitForStarted())
            qFatal("%s did not start", qPrintable(path));
    }
    ~Program()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    // Milliseconds from the start until the first window is mapped.
    double mapped(MapWatcher &watcher)
    {
        if (!watcher.waitForMap(m_process.processId(), 30000))
            qFatal("no window was mapped");
        return double(monotonicNs() - m_started) / 1e6;
    }
    qint64 pid() const { return m_process.processId(); }

private:
    QProcess m_process;
    qint64 m_started = 0;
};

void copyFolder(const QString &from, const QString &to)
{
    QDirIterator files(from, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(source));
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(source, target);
    }
}

// Opens path in a running zarn the way a person would: File > Open, then the dialog.
void openInZarn(const QString &path)
{
    auto xdotool = [](const QStringList &args) {
        QProcess::execute(QStringLiteral("xdotool"), args);
    };
    xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--name"),
             QStringLiteral("^Zarn V0.01$"), QStringLiteral("windowfocus"), QStringLiteral("--sync")});
    xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("alt+f"),
             QStringLiteral("Down"), QStringLiteral("Return")});
    xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--name"),
             QStringLiteral("^Open$"), QStringLiteral("windowfocus"), QStringLiteral("--sync")});
    xdotool({QStringLiteral("type"), QStringLiteral("--"), path});
    xdotool({QStringLiteral("key"), QStringLiteral("Return")});
}

} // namespace

void benchWholeProgram(BenchTable &table)
{
    QTemporaryDir app;
    copyFolder(QStringLiteral(ZARN_APP_DIR), app.path());
    const QString zarn = app.filePath(QStringLiteral("zarn"));
    const QString bare = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_bare_window");
    QTemporaryDir work;
    const QString big = work.filePath(QStringLiteral("Big.java"));
    QFile file(big);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write the sample file");
    for (int i = 0; i < 250000; ++i)
        file.write("        g.drawString(\"Hello from line " + QByteArray::number(i)
                   + "\", x + 10, y + 20); /* text */\r\n");
    file.close();

    MapWatcher watcher;
    std::vector<double> zarnMs, bareMs, zarnMb, bareMb;
    for (int run = 0; run < Runs; ++run) {
        {
            Program program(zarn, {});
            zarnMs.push_back(program.mapped(watcher));
            if (run == 0)
                zarnMb.push_back(settledResidentMb(program.pid()));
        }
        {
            Program program(bare, {});
            bareMs.push_back(program.mapped(watcher));
            if (run == 0)
                bareMb.push_back(settledResidentMb(program.pid()));
        }
    }
    table.add({"zarn executable start-up to window mapped (ms)", median(zarnMs), median(bareMs), 1.1});
    table.add({"zarn executable memory after start (MiB)", zarnMb.front(), bareMb.front(), 1.1});

    double zarnLoaded = 0;
    double bareLoaded = 0;
    {
        Program program(zarn, {});
        program.mapped(watcher);
        openInZarn(big);
        zarnLoaded = settledResidentMb(program.pid());
    }
    {
        Program program(bare, {big});
        program.mapped(watcher);
        bareLoaded = settledResidentMb(program.pid());
    }
    table.add({"zarn executable memory with a 20 MB file (MiB)", zarnLoaded, bareLoaded, 1.25});
}
