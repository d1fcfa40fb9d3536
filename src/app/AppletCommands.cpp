#include "AppletCommands.h"

#include "AppletBrowser.h"
#include "AppletConsole.h"
#include "AppletFiles.h"
#include "AppletLaunch.h"
#include "AppletOutput.h"
#include "AppletWindow.h"
#include "AuthorsApplet.h"
#include "BringForward.h"
#include "CompileOutcome.h"
#include "CompilerChoice.h"
#include "Document.h"
#include "FileDialog.h"
#include "HostPage.h"
#include "JdkRelease.h"
#include "PathParts.h"
#include "ProgressFeedback.h"
#include "SettingsFile.h"
#include "SourceLayout.h"
#include "StatusFeedback.h"
#include "UserMessages.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStatusBar>

#include <utility>

namespace {

const QString ClassFilter = QStringLiteral("Java Class File (*.class)|*.class");
const QString PageFilter = QStringLiteral("Html File (*.html,*.htm)|*.html;*.htm");

// The folder part of a chosen path; a file in the root folder gives the root.
QString destinationOf(const QString &chosen)
{
    const QString folder = FolderPart(chosen).value_or(QString());
    return folder.isEmpty() ? QDir::rootPath() : folder;
}

// A packaged class is named in full on a page; others as the command always did.
QString codeValue(const SourceLayout &layout, const QString &unpackaged)
{
    return layout.packageName.isEmpty() ? unpackaged : layout.className() + QStringLiteral(".class");
}

// Class files of earlier compiles, which the viewer could mistake for the new ones.
void removeClassFiles(const QString &folder)
{
    QDirIterator classes(folder, {QStringLiteral("*.class")}, QDir::Files, QDirIterator::Subdirectories);
    while (classes.hasNext())
        QFile::remove(classes.next());
}

bool samePath(const QString &a, const QString &b)
{
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

AppletCommands::AppletCommands(QWidget &window, QStatusBar &statusBar, const Document &document,
                               const Settings &settings, FileDialog &dialog, UserMessages &messages,
                               const QString &appFolder)
    : m_window(window)
    , m_statusBar(statusBar)
    , m_document(document)
    , m_settings(settings)
    , m_dialog(dialog)
    , m_messages(messages)
    , m_appFolder(appFolder)
    , m_compiler(appFolder)
    , m_appletFiles(std::make_unique<AppletFiles>())
{
    m_compiler.useWarmCompiler();
}

AppletCommands::~AppletCommands() = default;

QString AppletCommands::tempFolder() const
{
    return QDir(m_appFolder).filePath(QStringLiteral("temp"));
}

std::optional<SourceLayout> AppletCommands::checkedLayout()
{
    SourceLayout layout = sourceLayout(m_document.FileName());
    if (layout.problem.isEmpty())
        return layout;
    m_statusBar.showMessage(layout.problem);
    return std::nullopt;
}

void AppletCommands::View()
{
    // The page, the compile and the viewer's reading of the page, without another
    // Zarn's View > Applet in between.
    const CompileDriver::Hold hold(m_compiler);
    if (!hold.problem().isEmpty()) {
        m_statusBar.showMessage(compileFailedText(hold.problem()));
        return;
    }
    const std::optional<SourceLayout> layout = checkedLayout();
    if (!layout)
        return;
    // The page names the document's class, with the size and parameters its author
    // gave it; the applet host finds the class beside it.
    const QString source = m_document.FileName();
    const std::optional<AuthorsApplet> authors = authorsApplet(source, layout->className(), layout->root);
    writePage(codeValue(*layout, NamePart(source)), QDir(tempFolder()).filePath(QStringLiteral("temp.html")),
              authors ? &authors->tag : nullptr);
    removeClassFiles(tempFolder());

    // Its java is the one beside the compiler. The host starts while the compiler
    // runs, and a viewer already open gets a fresh one.
    AppletBrowser &browser = *appletWindow().WebBrowser1;
    browser.setJava(findJava(chooseCompiler(m_settings.CompilerLocation, m_appFolder).path));
    browser.prepare(m_appletWindow->pagePath(), {layout->root, authors ? authors->page : QString(),
                                                 authors ? authors->tag.codebase : QString()});
    m_appletFiles->begin(source, browser.launch(), tempFolder());

    compile(*layout, tempFolder(), CompileFeedbackStyle::StatusBar);
    // The viewer runs only the class just compiled, and says so when there is none.
    if (const QString failure = compileFailure(m_compiler, layout->classFileIn(tempFolder()));
        failure.isEmpty())
        browser.load();
    else
        browser.showCompileFailure(failure);
    bringForward(m_appletWindow);
}

// No owner: the viewer stays open when the main window closes.
AppletWindow &AppletCommands::appletWindow()
{
    if (m_appletWindow)
        return *m_appletWindow;
    m_appletWindow = new AppletWindow(m_appFolder);
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

void AppletCommands::Publish()
{
    const std::optional<SourceLayout> layout = checkedLayout();
    if (!layout)
        return;
    // A cancelled dialog ends the command: nothing is compiled.
    const std::optional<QString> chosen = askSavePath(ClassFilter, QStringLiteral("Publish Class In"));
    if (!chosen)
        return;
    // Only the folder counts; the compiler names the class file after the class,
    // in the folders of its package.
    compile(*layout, destinationOf(*chosen), CompileFeedbackStyle::ProgressWindow);
}

void AppletCommands::PublishWithHtml()
{
    const std::optional<SourceLayout> layout = checkedLayout();
    if (!layout)
        return;
    const std::optional<QString> classPath = askSavePath(ClassFilter,
                                                         QStringLiteral("Publish Class File As"));
    if (!classPath)
        return;
    const QString destination = destinationOf(*classPath);
    compile(*layout, destination, CompileFeedbackStyle::StatusBar);
    const QString source = m_document.FileName();
    const QString classFile = layout->classFileIn(destination);
    if (const QString failure = compileFailure(m_compiler, classFile); !failure.isEmpty()) {
        m_messages.warning(&m_window, m_window.windowTitle(),
                           tr("The compile failed, so no page was written.\n%1").arg(failure));
        return;
    }

    // The page dialog offers a page named after the class, beside it; a page must
    // never take the place of the class just published.
    QString suggestion = QDir(destination)
                             .filePath(QFileInfo(*classPath).completeBaseName() + QStringLiteral(".html"));
    std::optional<QString> pagePath;
    while ((pagePath = askSavePath(PageFilter, QStringLiteral("Publish Html File As"),
                                   std::exchange(suggestion, QString())))
           && (samePath(*pagePath, *classPath) || samePath(*pagePath, classFile)))
        m_messages.warning(&m_window, m_window.windowTitle(),
                           tr("%1 is the class file just published. Choose another name for the page.")
                               .arg(QDir::toNativeSeparators(*pagePath)));
    if (!pagePath)
        return;
    const std::optional<AuthorsApplet> authors = authorsApplet(source, layout->className(), layout->root);
    if (writePage(codeValue(*layout, NamePart(*classPath)), *pagePath, authors ? &authors->tag : nullptr))
        publishLoadedFiles(layout->classFilePath(), *pagePath, destination);
}

void AppletCommands::publishLoadedFiles(const QString &classFile, const QString &pagePath,
                                        const QString &destination)
{
    const QString page = QFileInfo(pagePath).fileName();
    const std::optional<QStringList> loaded = m_appletFiles->relativePaths(m_document.FileName());
    if (!loaded) {
        // Short enough for the status bar; the manual says to view the applet first.
        m_statusBar.showMessage(
            tr("Published %1 and %2; the files it loads are not known yet").arg(classFile, page));
        return;
    }
    const CopiedFiles copied = copyAppletFiles(
        *m_appletFiles, *loaded, destination, [this](const QString &to) {
            return m_messages.askToOverwrite(
                &m_window, m_window.windowTitle(),
                tr("%1 is there already and differs from the file the applet loads. Write over it?")
                    .arg(QDir::toNativeSeparators(to)));
        });
    if (copied.carried == 0)
        m_statusBar.showMessage(tr("Published %1 and %2").arg(classFile, page));
    else
        m_statusBar.showMessage(
            tr("Published %1, %2 and %3 it loads")
                .arg(classFile, page,
                     copied.carried == 1 ? tr("1 file") : tr("%1 files").arg(copied.carried)));
    if (!copied.problems.isEmpty())
        m_messages.warning(&m_window, m_window.windowTitle(),
                           tr("These files the applet loads were not published:\n%1")
                               .arg(copied.problems.join(QLatin1Char('\n'))));
}

bool AppletCommands::CompileToFolder(const QString &destination, CompileFeedbackStyle style)
{
    if (const std::optional<SourceLayout> layout = checkedLayout())
        return compile(*layout, destination, style);
    Q_EMIT compileEnded(false);
    return false;
}

bool AppletCommands::compile(const SourceLayout &layout, const QString &destination,
                             CompileFeedbackStyle style)
{
    // The first compile with a JDK Zarn chose itself says which.
    const QString announcement = compilerAnnouncement();
    if (!announcement.isEmpty() && style == CompileFeedbackStyle::ProgressWindow)
        m_statusBar.showMessage(announcement);
    StatusFeedback status(m_statusBar, announcement);
    ProgressFeedback progress(&m_window, m_statusBar);
    CompileFeedback &feedback = style == CompileFeedbackStyle::StatusBar
                                    ? static_cast<CompileFeedback &>(status)
                                    : static_cast<CompileFeedback &>(progress);
    // A packaged source finds its neighbours below the package root.
    const QString sourcePath = layout.packageName.isEmpty() ? QString() : layout.root;
    bool compiled = m_compiler.CompileToFolder(
        {m_settings.CompilerLocation, destination, m_document.FileName(), sourcePath}, feedback);
    // A compiler that made nothing and said no error has failed all the same.
    if (const QString reason = compiled ? silentFailure(m_compiler, layout.classFileIn(destination))
                                        : QString();
        !reason.isEmpty()) {
        m_statusBar.showMessage(compileFailedText(reason));
        compiled = false;
    }
    Q_EMIT compileEnded(compiled);
    return compiled;
}

QString AppletCommands::compilerAnnouncement()
{
    const CompilerChoice compiler = chooseCompiler(m_settings.CompilerLocation, m_appFolder);
    if (!compiler.chosenByZarn || compiler.path == m_announcedCompiler)
        return {};
    m_announcedCompiler = compiler.path;
    const QVersionNumber version = jdkVersion(jdkOf(compiler.path));
    return version.isNull() ? tr("Compiling with %1").arg(compiler.path)
                            : tr("Compiling with %1 (JDK %2)").arg(compiler.path).arg(version.majorVersion());
}

std::optional<QString> AppletCommands::askSavePath(const QString &filter, const QString &title,
                                                   const QString &suggestion)
{
    m_dialog.Filter = filter;
    m_dialog.DialogTitle = title;
    if (!(suggestion.isEmpty() ? m_dialog.ShowSave(&m_window) : m_dialog.ShowSave(&m_window, suggestion)))
        return std::nullopt;
    return m_dialog.FileName;
}

bool AppletCommands::writePage(const QString &codeValue, const QString &path, const AppletTag *authors)
{
    const QString problem = WriteHostPage(codeValue, path, authors);
    if (!problem.isEmpty())
        m_messages.warning(
            &m_window, m_window.windowTitle(),
            tr("The page %1 could not be written: %2.").arg(QDir::toNativeSeparators(path), problem));
    return problem.isEmpty();
}
