// View > Applet from the command to the applet's first paint, against javac and a
// direct start of the same applet host on the same class, and against Zarn's own
// compile round trip of the same source: the host starts while javac runs, so the
// applet should paint soon after the compile ends; again with the viewer open, when
// the host started ahead takes the applet. Zarn's CPU, and the window's longest
// wait, while the applet console takes an applet's flood of lines. And the window's
// time to close with an applet running and the warm compiler up. And a runnable
// jar's start with java -jar, against the host's start on the same class.
#include "AppletBrowser.h"
#include "AppletCommands.h"
#include "AppletConsole.h"
#include "AppletLaunch.h"
#include "AppletOutput.h"
#include "AppletWindow.h"
#include "BenchFiles.h"
#include "BenchJdks.h"
#include "BenchKeys.h"
#include "BenchTable.h"
#include "CompileDriver.h"
#include "Document.h"
#include "JavaSources.h"
#include "Jdk.h"
#include "LiveChecks.h"
#include "ManagedProcess.h"
#include "MonotonicClock.h"
#include "QuietFeedback.h"
#include "RunnableJar.h"
#include "SettingsStore.h"
#include "Suites.h"
#include "WarmCompiler.h"
#include "Zarn.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>

#include <optional>

namespace {

constexpr int Runs = 5;

void useCompiler(Zarn &window, const QString &javac)
{
    Settings settings = window.settings().current();
    settings.CompilerLocation = javac;
    window.settings().change(settings);
}

// Runs the event loop until done says so.
template <typename Done> void waitUntil(Done done, const char *what)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(1);
    QTimer::singleShot(60000, &loop, [what] { qFatal("%s did not happen", what); });
    if (!done())
        loop.exec();
}

AppletWindow *viewerIfOpen()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *viewer = qobject_cast<AppletWindow *>(window))
            return viewer;
    return nullptr;
}

// The viewer, once View > Applet has opened it.
AppletWindow *openViewer()
{
    waitUntil([] { return viewerIfOpen() != nullptr; }, "the viewer's opening");
    return viewerIfOpen();
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

// View > Applet again, the viewer still open as a user keeps it while editing:
// the host started ahead after the last run, once it waits, takes the applet.
// Also the waiting host's resident memory (MiB).
std::pair<double, double> viaZarnAgain(Zarn &window)
{
    AppletBrowser *browser = openViewer()->WebBrowser1;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (browser->spareIsWaiting())
            loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(60000, &loop, [] { qFatal("no host waited for the next applet"); });
    loop.exec();
    const double residentMb = double(residentKb(QString::number(browser->spareProcessId()))) / 1024.0;
    const qint64 start = monotonicNs();
    window.AppletB_Click();
    waitFor(browser, &AppletBrowser::appletPainted);
    return {double(monotonicNs() - start) / 1e6, residentMb};
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
    host.write(appletHostParameters(launch, QSize(385, 249)));
    while (!host.readAllStandardOutput().contains("painted"))
        if (!host.waitForReadyRead(60000))
            qFatal("the host did not paint");
    const double ms = double(monotonicNs() - start) / 1e6;
    host.write("quit\n");
    host.closeWriteChannel();
    host.waitForFinished();
    return ms;
}

// A Clock that says when it first painted, published at target as Publish >
// Runnable Jar publishes it, and compiled into classes for the host.
void makeRunnableJar(const QString &javac, const QString &target, const QString &classes)
{
    RunnableJar jar(target);
    const QString source = QDir(classes).filePath(QStringLiteral("Clock.java"));
    writeBenchFile(source, "public class Clock extends java.applet.Applet {\nboolean told;\n"
                           "public void paint(java.awt.Graphics g) {\n"
                           "g.setColor(new java.awt.Color(200, 30, 40)); g.fillRect(0, 0, getWidth(), getHeight());\n"
                           "if (!told) { told = true; System.out.println(\"painted\"); }\n}\n}\n");
    for (const QString &folder : {jar.root(), classes})
        QProcess::execute(javac, {QStringLiteral("-d"), folder, source});
    AppletTag tag;
    tag.code = QStringLiteral("Clock");
    tag.width = QStringLiteral("385");
    tag.height = QStringLiteral("249");
    if (!jar.describe(tag.code, tag, AppletWindow::designedArea()).isEmpty())
        qFatal("the runnable jar could not be described");
    std::optional<QString> problem;
    QObject::connect(&jar, &RunnableJar::finished, &jar, [&](const QString &said) { problem = said; });
    jar.pack(jarTool(javac));
    waitUntil([&] { return problem.has_value(); }, "the runnable jar's packing");
    if (!problem->isEmpty())
        qFatal("the runnable jar was not made: %s", qPrintable(*problem));
}

// java -jar on the jar, until its applet says it painted.
double jarToFirstPaint(const QString &java, const QString &jar)
{
    const qint64 start = monotonicNs();
    QProcess run;
    run.start(java, {QStringLiteral("-jar"), jar});
    while (!run.readAllStandardOutput().contains("painted"))
        if (!run.waitForReadyRead(60000))
            qFatal("the runnable jar did not paint");
    const double ms = double(monotonicNs() - start) / 1e6;
    run.kill();
    run.waitForFinished();
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
JvmArchive madeHostArchive(const Jdk &jdk, const QString &folder)
{
    const JvmArchive archive = appletHostArchive(jdk, folder);
    QProcess::execute(jdk.java, appletHostArchiveRunArguments(archive));
    archive.adopt();
    return archive;
}

double compileRoundTrip(CompileDriver &driver, const QString &javac, const QString &source,
                        const QString &classes)
{
    QuietFeedback feedback;
    const qint64 start = monotonicNs();
    compileOnce(driver, {jdkOfCompiler(javac), classes, source}, feedback);
    return double(monotonicNs() - start) / 1e6;
}

struct ConsoleFigures
{
    double cpuShare;      // Zarn's share of one core (%)
    double longestWaitMs; // the window's longest time between two 10 ms ticks
};

// From the first line of an applet that prints 100,000 lines as fast as it can to
// their last in the open console.
ConsoleFigures consoleFigures(Zarn &window, const QString &folder)
{
    const QString source = QDir(folder).filePath(QStringLiteral("Flood.java"));
    writeBenchFile(source, "public class Flood extends java.applet.Applet {\npublic void start() {\n"
                           "for (int i = 0; i < 100000; ++i) System.out.println(\"line \" + i);\n"
                           "System.out.println(\"done\");\n}\n}\n");
    window.document().setFileName(source);
    window.findChild<QAction *>(QStringLiteral("AppletConsoleB"))->trigger();
    AppletConsole *console = nullptr;
    for (QWidget *open : QApplication::topLevelWidgets())
        if (auto *found = qobject_cast<AppletConsole *>(open))
            console = found;
    if (!console)
        qFatal("the console did not open");

    QEventLoop loop;
    double cpuStart = 0;
    qint64 start = 0;
    qint64 lastTick = 0;
    qint64 longestWait = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        const qint64 now = monotonicNs();
        if (lastTick != 0)
            longestWait = std::max(longestWait, now - lastTick);
        lastTick = now;
    });
    window.AppletB_Click();
    AppletBrowser *browser = openViewer()->WebBrowser1;
    QObject::connect(browser, &AppletBrowser::outputBegun, &loop, [] { qFatal("a second run began"); });
    QObject::connect(browser->output().get(), &AppletOutput::grew, &loop, [&] {
        if (start == 0) {
            start = monotonicNs();
            cpuStart = processCpuMs();
            tick.start(10);
        }
        if (console->text()->document()->lastBlock().text() == QLatin1String("done"))
            loop.quit();
    });
    QTimer::singleShot(120000, &loop, [] { qFatal("the console did not take the lines"); });
    loop.exec();
    const double share = 100.0 * (processCpuMs() - cpuStart) / (double(monotonicNs() - start) / 1e6);
    delete openViewer();
    delete console;
    return {share, double(longestWait) / 1e6};
}

// From the last key of an error typed into a 300-line applet to its mark, without
// a compile (the warm compiler up): the median of ten, each error taken back by
// Undo, and its mark seen gone, before the next.
double lastKeyToMarksMs(Zarn &window, const QString &folder)
{
    const QString source = QDir(folder).filePath(QStringLiteral("Long.java"));
    QByteArray text = "public class Long extends java.applet.Applet {\n";
    for (int i = 0; i < 298; ++i)
        text += "    int f" + QByteArray::number(i) + "() { return " + QByteArray::number(i) + "; }\n";
    writeBenchFile(source, text + "}\n");
    window.openFile(source);
    const auto *summary = window.findChild<QToolButton *>(QStringLiteral("DiagnosticsSummary"));
    auto *pane = window.findChild<QPlainTextEdit *>(QStringLiteral("Richtextbox1"));
    const auto shows = [summary](const char *text) {
        return [summary, text] {
            return summary->isVisible() && summary->text() == QLatin1String(text);
        };
    };
    waitUntil(shows("0 errors"), "the opened file's check");
    std::vector<double> ms;
    for (int run = 0; run < 10; ++run) {
        QTextCursor line(pane->document()->findBlockByNumber(150));
        line.movePosition(QTextCursor::EndOfBlock);
        line.insertText(QStringLiteral(" int bad = nope;"));
        const qint64 start = monotonicNs();
        waitUntil(shows("1 error"), "the typed error's mark");
        ms.push_back(double(monotonicNs() - start) / 1e6);
        pane->undo();
        waitUntil(shows("0 errors"), "the error's mark gone");
    }
    return median(ms);
}

// Ctrl+Space after "g." in the 300-line applet until the list shows, the warm
// compiler up: the median of ten, closed with Esc between them.
double completionListMs(Zarn &window)
{
    auto *pane = window.findChild<QPlainTextEdit *>(QStringLiteral("Richtextbox1"));
    QTextCursor line(pane->document()->findBlockByNumber(150));
    line.movePosition(QTextCursor::EndOfBlock);
    line.insertText(QStringLiteral(" void p(java.awt.Graphics g) { g. }"));
    line.movePosition(QTextCursor::Left, QTextCursor::MoveAnchor, 2);
    pane->setTextCursor(line);
    auto *complete = window.findChild<QAction *>(QStringLiteral("CompleteB"));
    const auto listShown = [&window] {
        const auto *list = window.findChild<QWidget *>(QStringLiteral("CodeCompletionList"));
        return list && list->isVisible();
    };
    std::vector<double> ms;
    for (int run = 0; run < 10; ++run) {
        const qint64 start = monotonicNs();
        complete->trigger();
        waitUntil(listShown, "the completion list");
        ms.push_back(double(monotonicNs() - start) / 1e6);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(pane, &escape);
    }
    pane->undo();
    return median(ms);
}

// The median milliseconds of a key typed into the 300-line applet, with the checks
// on or off: bursts of a hundred keys, each followed by a pause in which the check
// is made (and waited for, off the clock).
double typingMsPerKey(Zarn &window, bool checks)
{
    WorkspaceSettings workspace = window.settings().workspace();
    workspace.checkWhileTyping = checks;
    window.settings().changeWorkspace(workspace);
    auto *pane = window.findChild<QPlainTextEdit *>(QStringLiteral("Richtextbox1"));
    const QString before = pane->toPlainText();
    QTextCursor line(pane->document()->findBlockByNumber(150));
    line.movePosition(QTextCursor::EndOfBlock);
    pane->setTextCursor(line);
    int checked = 0;
    const QMetaObject::Connection counting = QObject::connect(
        window.appletCommands().compileDriver().warmCompiler(), &WarmCompiler::said,
        [&checked](const QString &said) { checked += said.startsWith(QLatin1String("checked ")) ? 1 : 0; });
    const std::vector<BenchKey> keys = benchKeyPresses(1000);
    std::vector<double> keyMs;
    for (std::size_t burst = 0; burst < keys.size(); burst += 100) {
        const int checkedBefore = checked;
        for (std::size_t key = burst; key < burst + 100; ++key) {
            const qint64 start = monotonicNs();
            sendBenchKey(*pane, keys[key]);
            keyMs.push_back(double(monotonicNs() - start) / 1e6);
        }
        // The user's pause, the same with the checks off; the check is made meanwhile.
        QEventLoop pause;
        QTimer::singleShot(2 * LiveChecks::DelayMs, &pause, &QEventLoop::quit);
        pause.exec();
        if (checks)
            waitUntil([&] { return checked > checkedBefore; }, "the check after a burst of keys");
    }
    QObject::disconnect(counting);
    pane->setPlainText(before);
    return median(keyMs);
}

// The window's time to close, Exit and the viewer's Close, while an applet runs, a
// host waits for the next and the warm compiler is up: nothing of that may keep
// the window waiting.
double closingMs(Zarn *window)
{
    AppletWindow *viewer = openViewer();
    WarmCompiler *warm = window->appletCommands().compileDriver().warmCompiler();
    waitUntil([&] { return warm->isReady() && viewer->WebBrowser1->spareIsWaiting(); },
              "the warm compiler's and the next host's readiness");
    const qint64 start = monotonicNs();
    viewer->close();
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const double ms = double(monotonicNs() - start) / 1e6;
    ManagedProcess::finishStopping(); // the helpers end meanwhile, as after Zarn's last window
    return ms;
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
    useCompiler(*window, javac);
    window->document().setFileName(source);
    window->show();

    QTemporaryDir compileApp;
    makeAppFolder(compileApp.path());
    CompileDriver driver(compileApp.path());

    const Jdk jdk = jdkOfCompiler(javac);
    const QString &java = jdk.java;
    const JvmArchive hostArchive = madeHostArchive(jdk, app.filePath(QStringLiteral("host-cds")));
    std::vector<double> zarnMs, directMs, compileMs, archivedHostMs, plainHostMs, jarMs, jarHostMs;
    const QString jar = app.filePath(QStringLiteral("Clock.jar"));
    const QString jarClasses = app.filePath(QStringLiteral("jar-classes"));
    makeRunnableJar(javac, jar, jarClasses);
    for (int run = 0; run < Runs; ++run) {
        jarMs.push_back(jarToFirstPaint(java, jar));
        jarHostMs.push_back(hostToFirstPaint(java, jarClasses, {}));
        zarnMs.push_back(viaZarn(*window));
        directMs.push_back(direct(javac, source, app.filePath(QStringLiteral("direct"))));
        compileMs.push_back(
            compileRoundTrip(driver, javac, source, compileApp.filePath(QStringLiteral("temp"))));
        archivedHostMs.push_back(
            hostToFirstPaint(java, app.filePath(QStringLiteral("direct")), hostArchive.options()));
        plainHostMs.push_back(hostToFirstPaint(java, app.filePath(QStringLiteral("direct")), {}));
    }
    // The other JDKs, for information: each View after one that made its archives.
    std::vector<std::pair<int, std::pair<double, double>>> otherMs;
    for (const BenchJdk &other : otherJdks(javac)) {
        useCompiler(*window, other.javac);
        viaZarn(*window);
        std::vector<double> viewMs, plainMs;
        for (int run = 0; run < Runs; ++run) {
            viewMs.push_back(viaZarn(*window));
            plainMs.push_back(direct(other.javac, source, app.filePath(QStringLiteral("direct"))));
        }
        otherMs.push_back({other.version, {median(viewMs), median(plainMs)}});
    }
    // Second and later runs with the viewer open, the compile warm.
    useCompiler(*window, javac);
    window->AppletB_Click();
    waitFor(openViewer()->WebBrowser1, &AppletBrowser::appletPainted);
    std::vector<double> againMs;
    double waitingHostMb = 0;
    for (int run = 0; run < Runs; ++run) {
        const auto [ms, residentMb] = viaZarnAgain(*window);
        againMs.push_back(ms);
        waitingHostMb = residentMb;
    }
    delete openViewer();
    const ConsoleFigures console = consoleFigures(*window, app.path());
    window->document().setFileName(source);
    window->AppletB_Click();
    waitFor(openViewer()->WebBrowser1, &AppletBrowser::appletPainted);
    const double marksMs = lastKeyToMarksMs(*window, app.path());
    const double listMs = completionListMs(*window);
    std::vector<double> checksOnMs, checksOffMs;
    for (int run = 0; run < 3; ++run) {
        checksOffMs.push_back(typingMsPerKey(*window, false));
        checksOnMs.push_back(typingMsPerKey(*window, true));
    }
    const double closeMs = closingMs(window);
    table.add({"View > Applet to the applet's first paint (ms)", median(zarnMs), median(directMs), 1.15});
    table.add({"View > Applet to first paint vs compile (ms)", median(zarnMs), median(compileMs), 1.0, 150});
    table.add({"View > Applet again, host started ahead (ms)", median(againMs), -1, 300});
    table.add({"waiting applet host's resident memory (MiB)", waitingHostMb, -1, 0});
    // The host's own archive, and the run that makes it, must pay for themselves.
    table.add({"host start to first paint, archived vs plain (ms)", median(archivedHostMs),
               median(plainHostMs), 0.85});
    table.add({"java -jar to the applet's first paint, vs the host (ms)", median(jarMs), median(jarHostMs), 1.2});
    table.add({"Zarn's CPU while the console takes 100,000 lines (%)", console.cpuShare, -1, 25});
    table.add({"the window's longest wait meanwhile (ms)", console.longestWaitMs, -1, 200});
    table.add({"last key to marks, 300-line applet, no compile (ms)", marksMs, -1, 500});
    table.add({"Ctrl+Space to the list, after g. in that applet (ms)", listMs, -1, 150});
    table.add(
        {"typing into that applet, checks on vs off (ms/key)", median(checksOnMs), median(checksOffMs), 1.1});
    table.add({"closing with an applet, a waiting host and the warm compiler (ms)", closeMs, -1, 100});
    for (const auto &[version, ms] : otherMs)
        table.add({"View > Applet to first paint, JDK " + std::to_string(version) + " (ms)", ms.first,
                   ms.second, 0});
}
