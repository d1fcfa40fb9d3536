#include "AppletCommands.h"

#include "AppletBrowser.h"
#include "AppletConsole.h"
#include "AppletFiles.h"
#include "AppletLaunch.h"
#include "AppletOutput.h"
#include "AppletPage.h"
#include "AppletWindow.h"
#include "AuthorsApplet.h"
#include "BringForward.h"
#include "ClassSources.h"
#include "CompileJob.h"
#include "Document.h"
#include "FileDialog.h"
#include "HostPage.h"
#include "PathParts.h"
#include "PlaceWindow.h"
#include "ProgressFeedback.h"
#include "RunnableJar.h"
#include "SettingsStore.h"
#include "SourceLayout.h"
#include "StatusFeedback.h"
#include "TextCheck.h"
#include "TextFile.h"
#include "UserMessages.h"
#include "WarmCompiler.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStatusBar>

#include <utility>

namespace {

// Class files of earlier compiles, which the viewer could mistake for the new ones.
void removeClassFiles(const QString &folder)
{
    QDirIterator classes(folder, {QStringLiteral("*.class")}, QDir::Files, QDirIterator::Subdirectories);
    while (classes.hasNext())
        QFile::remove(classes.next());
}

} // namespace

QString AppletCommands::javacEncoding(TextEncoding encoding)
{
    return encoding == TextEncoding::Latin1 ? QStringLiteral("ISO-8859-1") : QStringLiteral("UTF-8");
}

std::optional<AppletCommands::TextCheckRequest> AppletCommands::textCheckRequest(const QString &text) const
{
    const QString path = m_document.FileName();
    const WarmCompiler *warm = m_compiler.warmCompiler();
    if (m_running || !m_lastJdk || !warm || !path.endsWith(QLatin1String(".java")))
        return std::nullopt;
    const QString socket = warm->socket(m_lastJdk->javac);
    const SourceLayout layout = sourceLayoutOf(path, text);
    if (socket.isEmpty() || !layout.problem.isEmpty())
        return std::nullopt;
    const QString sourcePath = layout.packageName.isEmpty() ? QFileInfo(path).absolutePath() : layout.root;
    return TextCheckRequest{
        socket, m_lastJdk->javac,
        textCheckOptions(*m_lastJdk, sourcePath, javacEncoding(m_document.format().encoding)), path};
}

void AppletCommands::warmUpTextHelp()
{
    WarmCompiler *warm = m_compiler.warmCompiler();
    if (!warm || !m_document.FileName().endsWith(QLatin1String(".java"))) {
        Q_EMIT textHelpUnavailable();
        return;
    }
    if (m_lastJdk && warm->isRunning(m_lastJdk->javac))
        return; // ready already, or soon
    m_textHelpJdks.find(m_settings.current().CompilerLocation, [this, warm](const Jdk &jdk) {
        m_lastJdk = jdk;
        warm->prepare(jdk);
        if (!warm->isRunning(jdk.javac))
            Q_EMIT textHelpUnavailable();
    });
}

QString AppletCommands::codeValue(const SourceLayout &layout, const QString &unpackaged)
{
    return layout.packageName.isEmpty() ? unpackaged : layout.className() + QStringLiteral(".class");
}

AppletCommands::AppletCommands(QWidget &window, QStatusBar &statusBar, const Document &document,
                               const SettingsStore &settings, FileDialog &dialog, UserMessages &messages,
                               const AppPaths &paths)
    : m_window(window)
    , m_statusBar(statusBar)
    , m_document(document)
    , m_settings(settings)
    , m_dialog(dialog)
    , m_messages(messages)
    , m_paths(paths)
    , m_compiler(paths.root())
    , m_jdks(paths.root(), paths.archives())
    , m_textHelpJdks(paths.root(), paths.archives())
    , m_appletFiles(std::make_unique<AppletFiles>())
{
    m_compiler.useWarmCompiler();
    connect(m_compiler.warmCompiler(), &WarmCompiler::ready, this, &AppletCommands::textHelpReady);
}

AppletCommands::~AppletCommands() = default;

std::optional<SourceLayout> AppletCommands::checkedLayout()
{
    SourceLayout layout = sourceLayout(m_document.FileName());
    if (layout.problem.isEmpty())
        return layout;
    m_statusBar.showMessage(layout.problem);
    return std::nullopt;
}

void AppletCommands::begin()
{
    m_running = true;
    m_busy = true;
    Q_EMIT busyChanged(true);
}

void AppletCommands::end()
{
    m_running = false;
    if (std::exchange(m_busy, false))
        Q_EMIT busyChanged(false);
}

void AppletCommands::findJdk(std::function<void(const Jdk &)> found)
{
    m_jdks.find(m_settings.current().CompilerLocation, std::move(found));
}

void AppletCommands::cancel()
{
    if (m_copy) {
        m_copy->cancel(); // the command ends once the file being copied is
    } else if (m_jar && m_jar->packing()) {
        m_jar->cancel(); // the jar tool ends, and the target stays as it was
    } else if (m_job) {
        m_job->cancel(); // the command goes on as after a failed compile
    } else if (m_busy) {
        // Still looking for its JDK: nothing runs yet.
        m_jdks.forget();
        m_statusBar.showMessage(compileCancelledText());
        end();
    }
}

AppletCommands::Viewed AppletCommands::viewed(const SourceLayout &layout) const
{
    const QString source = m_document.FileName();
    const bool applet = fileMayBeApplet(source, layout.simpleName);
    const QString last = m_lastApplets.value(layout.root);
    if (applet || last.isEmpty() || samePath(last, source) || !QFileInfo(last).isFile())
        return {source, layout, QString(), applet};
    const SourceLayout lastLayout = sourceLayout(last);
    if (!lastLayout.problem.isEmpty())
        return {source, layout, QString(), applet};
    return {last, lastLayout, tr("Viewing %1 (last applet of this package)").arg(lastLayout.simpleName),
            true};
}

void AppletCommands::View()
{
    if (m_running)
        return;
    const std::optional<SourceLayout> checked = checkedLayout();
    if (!checked)
        return;
    viewSource(viewed(*checked));
}

void AppletCommands::viewSource(const Viewed &view)
{
    begin();
    findJdk([this, view](const Jdk &jdk) {
        const SourceLayout &layout = view.layout;
        const QString &source = view.source;
        // The page names the class, with the size and parameters its author gave it;
        // the applet host finds the class beside it.
        const std::optional<AuthorsApplet> authors = view.authors ? view.authors
                                                                  : authorsApplet(source, layout.className(),
                                                                                  layout.root);
        const AppletTag *authorsTag = authors ? &authors->tag : nullptr;
        const QString code = codeValue(layout, NamePart(source));
        // Its java is the JDK's. The host starts while the compiler runs, and a viewer
        // already open gets a fresh one; it takes the page's element as it is written.
        AppletBrowser &browser = *appletWindow().WebBrowser1;
        browser.setJdk(jdk);
        browser.prepare(
            hostPageApplet(code, authorsTag), m_paths.hostPage(),
            {layout.root, authors ? authors->page : QString(), authors ? authors->tag.codebase : QString()});
        m_appletFiles->begin(source, browser.launch(), m_paths.temp());
        fitViewer(layout.className());
        auto pageProblem = std::make_shared<QString>();
        compile(
            jdk, source, layout, m_paths.temp(), CompileFeedbackStyle::StatusBar,
            [this, code, authors, pageProblem] {
                *pageProblem = WriteHostPage(code, m_paths.hostPage(), authors ? &authors->tag : nullptr);
                removeClassFiles(m_paths.temp());
            },
            [this, view, pageProblem](const CompileResult &result) {
                if (!viewCompiled(view.layout, result, *pageProblem))
                    return;
                if (view.applet)
                    m_lastApplets.insert(view.layout.root, view.source);
                if (!view.note.isEmpty())
                    m_statusBar.showMessage(view.note);
            });
    });
}

void AppletCommands::ViewPage()
{
    if (m_running)
        return;
    const QString page = m_document.FileName();
    const QList<AppletTag> applets = findApplets(readTextFile(page).content.text);
    if (applets.isEmpty()) {
        m_statusBar.showMessage(tr("%1 holds no applet element").arg(NamePart(page)));
        return;
    }
    const AppletTag &tag = applets.constFirst();
    const AppletLaunch launch = resolveApplet(tag, page);
    const QString simpleName = launch.className.section(QLatin1Char('.'), -1);
    const QString among = applets.size() > 1 ? tr(" (the first of its %1 applets)").arg(applets.size())
                                             : QString();
    // Its source beside the page, or in its package's folders under the code base.
    const QString codeBase = launch.codeBase.toLocalFile();
    const QString classPath = QString(launch.className).replace(QLatin1Char('.'), QLatin1Char('/'));
    QString source = QDir(codeBase).filePath(classPath + QStringLiteral(".java"));
    if (!QFileInfo(source).isFile())
        source = QDir(FolderPart(page).value_or(QString())).filePath(simpleName + QStringLiteral(".java"));
    if (QFileInfo(source).isFile()) {
        const SourceLayout layout = sourceLayout(source);
        if (!layout.problem.isEmpty()) {
            m_statusBar.showMessage(layout.problem);
            return;
        }
        viewSource({source, layout, tr("Viewing %1, compiled from its source%2").arg(simpleName, among),
                    fileMayBeApplet(source, layout.simpleName), AuthorsApplet{tag, page}});
        return;
    }
    if (QFileInfo(QDir(codeBase).filePath(classPath + QStringLiteral(".class"))).isFile()
        || !launch.archives.isEmpty()) {
        viewPublished(page,
                      tr("Viewing %1 as published: no source beside the page%2").arg(simpleName, among));
        return;
    }
    m_statusBar.showMessage(
        tr("%1 runs %2, whose source and class are not there").arg(NamePart(page), launch.className));
}

void AppletCommands::viewPublished(const QString &page, const QString &note)
{
    begin();
    findJdk([this, page, note](const Jdk &jdk) {
        AppletWindow &viewer = appletWindow();
        AppletBrowser &browser = *viewer.WebBrowser1;
        browser.setJdk(jdk);
        browser.Navigate(page);
        fitViewer(browser.launch().className);
        if (!viewer.isVisible())
            placeBesideMain(viewer, m_window, statusBarPlace(), {m_console});
        bringForward(&viewer);
        m_statusBar.showMessage(note);
        end();
    });
}

bool AppletCommands::viewCompiled(const SourceLayout &layout, const CompileResult &result,
                                  const QString &pageProblem)
{
    bool loaded = false;
    if (!pageProblem.isEmpty())
        warnOfPage(m_paths.hostPage(), pageProblem);
    // Closed meanwhile: its host went with it.
    if (!m_appletWindow) {
        end();
        return false;
    }
    AppletBrowser &browser = *m_appletWindow->WebBrowser1;
    if (result.outcome == CompileResult::Outcome::Cancelled) {
        // Nothing to show: a viewer this View made goes again, an open one says why
        // it shows nothing.
        if (m_appletWindow->isVisible())
            browser.showCancelled();
        else
            m_appletWindow->deleteLater();
    } else {
        // The viewer runs only the class just compiled, and says so when there is none.
        if (const QString failure = compileFailure(result, layout.classFileIn(m_paths.temp()));
            failure.isEmpty()) {
            browser.load();
            loaded = true;
        } else {
            browser.showCompileFailure(failure);
        }
        if (!m_appletWindow->isVisible())
            placeBesideMain(*m_appletWindow, m_window, statusBarPlace(), {m_console});
        bringForward(m_appletWindow);
    }
    end();
    return loaded;
}

void AppletCommands::fitViewer(const QString &className)
{
    const WorkspaceSettings &workspace = m_settings.workspace();
    AppletWindow &viewer = *m_appletWindow;
    viewer.setResizable(workspace.resizable);
    viewer.setCaptionClass(workspace.captionShowsFile ? className : QString());
    if (workspace.viewerFitsApplet)
        viewer.fitApplet(appletSize(viewer.WebBrowser1->launch(), AppletWindow::designedArea()));
    else if (!workspace.resizable)
        viewer.fitApplet(AppletWindow::designedArea());
}

QRect AppletCommands::statusBarPlace() const
{
    return {m_statusBar.mapToGlobal(QPoint()), m_statusBar.size()};
}

// No owner: the viewer stays open when the main window closes.
AppletWindow &AppletCommands::appletWindow()
{
    if (m_appletWindow)
        return *m_appletWindow;
    m_appletWindow = new AppletWindow(m_paths.root());
    AppletBrowser *browser = m_appletWindow->WebBrowser1;
    connect(browser, &AppletBrowser::appletStarted, this, [this] { m_appletFiles->ran(); });
    connect(browser, &AppletBrowser::appletLoaded, this,
            [this](const QString &path) { m_appletFiles->loaded(path); });
    connect(browser, &AppletBrowser::outputBegun, this, [this, browser] {
        m_output = browser->output();
        ++m_run;
        if (m_console)
            m_console->follow(m_output);
    });
    connect(browser, &AppletBrowser::appletException, this, [this] {
        if (m_runOfFirstException != m_run) {
            m_runOfFirstException = m_run;
            openConsole(false);
        }
    });
    return *m_appletWindow;
}

void AppletCommands::ShowConsole()
{
    openConsole(true);
}

void AppletCommands::openConsole(bool forward)
{
    if (!m_console) {
        // No owner either: it belongs with the viewer, which may outlive the main window.
        m_console = new AppletConsole;
        connect(m_console, &AppletConsole::sourceLineClicked, this, &AppletCommands::sourceLineAsked);
        m_console->follow(m_output);
        placeBesideMain(*m_console, m_window, statusBarPlace(), {m_appletWindow});
    }
    if (forward) {
        bringForward(m_console);
    } else {
        // Opened by the applet: shown, without taking the keyboard from the user's window.
        m_console->setAttribute(Qt::WA_ShowWithoutActivating);
        m_console->show();
        m_console->setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
}

void AppletCommands::CompileToFolder(const QString &destination, CompileFeedbackStyle style)
{
    if (m_running)
        return;
    const std::optional<SourceLayout> layout = checkedLayout();
    if (!layout) {
        Q_EMIT compileEnded({}, false);
        return;
    }
    begin();
    findJdk([this, layout = *layout, destination, style](const Jdk &jdk) {
        compile(jdk, m_document.FileName(), layout, destination, style, {},
                [this](const CompileResult &) { end(); });
    });
}

void AppletCommands::compile(const Jdk &jdk, const QString &source, const SourceLayout &layout,
                             const QString &destination, CompileFeedbackStyle style,
                             std::function<void()> beforeScript, Then then)
{
    // The first compile with a JDK Zarn chose itself says which.
    const QString announcement = compilerAnnouncement(jdk);
    if (style == CompileFeedbackStyle::StatusBar) {
        m_feedback = std::make_unique<StatusFeedback>(m_statusBar, announcement);
    } else {
        if (!announcement.isEmpty())
            m_statusBar.showMessage(announcement);
        m_feedback = std::make_unique<ProgressFeedback>(&m_window, m_statusBar, [this] { cancel(); });
    }
    // A packaged source finds its neighbours below the package root.
    const QString sourcePath = layout.packageName.isEmpty() ? QString() : layout.root;
    CompileRequest request{jdk, destination, source, sourcePath, std::move(beforeScript)};
    // javac reads the source as the editor read it, or would read it.
    request.encoding = javacEncoding(samePath(source, m_document.FileName())
                                         ? m_document.format().encoding
                                         : readTextFile(source).content.format.encoding);
    m_lastJdk = jdk;
    m_job = m_compiler.CompileToFolder(std::move(request), *m_feedback);
    connect(m_job, &CompileJob::finished, this,
            [this, classFile = layout.classFileIn(destination),
             then = std::move(then)](const CompileResult &result) {
                bool compiled = result.ran();
                // A compiler that made nothing and said no error has failed all the same.
                if (const QString reason = compiled ? silentFailure(result, classFile) : QString();
                    !reason.isEmpty()) {
                    m_statusBar.showMessage(compileFailedText(reason));
                    compiled = false;
                }
                m_busy = false;
                Q_EMIT busyChanged(false);
                Q_EMIT compileEnded(result, compiled);
                then(result);
            });
}

QString AppletCommands::compilerAnnouncement(const Jdk &jdk)
{
    if (!jdk.chosenByZarn || jdk.javac == m_announcedCompiler)
        return {};
    m_announcedCompiler = jdk.javac;
    return jdk.version.isNull()
               ? tr("Compiling with %1").arg(jdk.javac)
               : tr("Compiling with %1 (JDK %2)").arg(jdk.javac).arg(jdk.version.majorVersion());
}

std::optional<QString> AppletCommands::askSavePath(const QString &filter, const QString &title,
                                                   const QString &suggestion)
{
    if (!m_dialog.ShowSave(&m_window, filter, title, suggestion))
        return std::nullopt;
    return m_dialog.FileName();
}

void AppletCommands::warnOfPage(const QString &path, const QString &problem)
{
    m_messages.warning(
        &m_window, m_window.windowTitle(),
        tr("The page %1 could not be written: %2.").arg(QDir::toNativeSeparators(path), problem));
}
