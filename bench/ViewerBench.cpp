// View > Applet from the command to the applet's first paint, against javac and a
// direct start of the same applet host on the same class, and against Zarn's own
// compile round trip of the same source: the host starts while javac runs, so the
// applet should paint soon after the compile ends.
#include "AppletBrowser.h"
#include "AppletLaunch.h"
#include "AppletWindow.h"
#include "BenchFiles.h"
#include "BenchTable.h"
#include "CompileDriver.h"
#include "Document.h"
#include "JavaSources.h"
#include "JdkPrograms.h"
#include "MonotonicClock.h"
#include "QuietFeedback.h"
#include "Suites.h"
#include "Zarn.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

namespace {

constexpr int Runs = 5;

AppletWindow *openViewer()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *viewer = qobject_cast<AppletWindow *>(window))
            return viewer;
    qFatal("the viewer did not open");
}

void waitFor(QObject *sender, void (AppletBrowser::*signal)())
{
    QEventLoop loop;
    QObject::connect(static_cast<AppletBrowser *>(sender), signal, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, [] { qFatal("the applet did not paint"); });
    loop.exec();
}

double viaZarn(Zarn &window)
{
    const qint64 start = monotonicNs();
    window.AppletB_Click();
    AppletWindow *viewer = openViewer();
    waitFor(viewer->WebBrowser1, &AppletBrowser::appletPainted);
    const double ms = double(monotonicNs() - start) / 1e6;
    delete viewer;
    return ms;
}

// The applet host started on its own on the Clock class in classes, until the
// applet's first paint.
double hostToFirstPaint(const QString &java, const QString &classes, const QStringList &jvmOptions)
{
    const qint64 start = monotonicNs();
    AppletTag tag;
    tag.code = QStringLiteral("Clock");
    const AppletLaunch launch = resolveApplet(tag, QDir(classes).filePath(QStringLiteral("page.html")));
    QProcess host;
    host.start(java, appletHostArguments(appletHostJar(), launch, QSize(385, 249), 0, jvmOptions));
    while (!host.readAllStandardOutput().contains("painted"))
        if (!host.waitForReadyRead(60000))
            qFatal("the host did not paint");
    const double ms = double(monotonicNs() - start) / 1e6;
    host.write("quit\n");
    host.closeWriteChannel();
    host.waitForFinished();
    return ms;
}

double direct(const QString &javac, const QString &source, const QString &classes)
{
    const qint64 start = monotonicNs();
    QProcess compiler;
    compiler.start(javac, {QStringLiteral("-verbose"), QStringLiteral("-d"), classes, source});
    compiler.waitForFinished(-1);
    hostToFirstPaint(findJava(javac), classes, {});
    return double(monotonicNs() - start) / 1e6;
}

// The host's class-data archive, made as Zarn makes it.
JvmArchive madeHostArchive(const QString &java, const QString &folder)
{
    const JvmArchive archive = appletHostArchive(java, folder);
    QProcess::execute(java, appletHostArchiveRunArguments(archive));
    archive.adopt();
    return archive;
}

double compileRoundTrip(CompileDriver &driver, const QString &javac, const QString &source,
                        const QString &classes)
{
    QuietFeedback feedback;
    const qint64 start = monotonicNs();
    driver.CompileToFolder({javac, classes, source}, feedback);
    return double(monotonicNs() - start) / 1e6;
}

} // namespace

void benchViewer(BenchTable &table)
{
    const QString javac = javacPath();
    QTemporaryDir app;
    makeAppFolder(app.path());
    QDir(app.path()).mkpath(QStringLiteral("direct"));
    const QString source = app.filePath(QStringLiteral("Clock.java"));
    writeBenchFile(source, colourApplet(QStringLiteral("Clock"), 200, 30, 40));

    auto *window = new Zarn(app.path());
    window->settings.CompilerLocation = javac;
    window->document().setFileName(source);
    window->show();

    QTemporaryDir compileApp;
    makeAppFolder(compileApp.path());
    CompileDriver driver(compileApp.path());

    const QString java = findJava(javac);
    const JvmArchive hostArchive = madeHostArchive(java, app.filePath(QStringLiteral("host-cds")));
    std::vector<double> zarnMs, directMs, compileMs, archivedHostMs, plainHostMs;
    for (int run = 0; run < Runs; ++run) {
        zarnMs.push_back(viaZarn(*window));
        directMs.push_back(direct(javac, source, app.filePath(QStringLiteral("direct"))));
        compileMs.push_back(
            compileRoundTrip(driver, javac, source, compileApp.filePath(QStringLiteral("temp"))));
        archivedHostMs.push_back(
            hostToFirstPaint(java, app.filePath(QStringLiteral("direct")), hostArchive.options()));
        plainHostMs.push_back(hostToFirstPaint(java, app.filePath(QStringLiteral("direct")), {}));
    }
    delete window;
    table.add({"View > Applet to the applet's first paint (ms)", median(zarnMs), median(directMs), 1.15});
    table.add({"View > Applet to first paint vs compile (ms)", median(zarnMs), median(compileMs), 1.0, 150});
    // The host's own archive, and the run that makes it, must pay for themselves.
    table.add({"host start to first paint, archived vs plain (ms)", median(archivedHostMs),
               median(plainHostMs), 0.85});
}
