#include "AppletCommands.h"

#include "AppletLaunch.h"
#include "AppletWindow.h"
#include "BringForward.h"
#include "FileDialog.h"
#include "HostPage.h"
#include "PathParts.h"
#include "ProgressFeedback.h"
#include "SettingsFile.h"
#include "StatusFeedback.h"
#include "UserMessages.h"

#include <QDir>
#include <QStatusBar>

namespace {

const QString ClassFilter = QStringLiteral("Java Class File (*.class)|*.class");
const QString PageFilter = QStringLiteral("Html File (*.html,*.htm)|*.html;*.htm");

// The folder part of a chosen path; a file in the root folder gives the root.
QString destinationOf(const QString &chosen)
{
    const QString folder = FolderPart(chosen).value_or(QString());
    return folder.isEmpty() ? QDir::rootPath() : folder;
}

} // namespace

AppletCommands::AppletCommands(QWidget &window, QStatusBar &statusBar, const QString &fileName,
                               const Settings &settings, FileDialog &dialog, UserMessages &messages,
                               const QString &appFolder)
    : m_window(window)
    , m_statusBar(statusBar)
    , m_fileName(fileName)
    , m_settings(settings)
    , m_dialog(dialog)
    , m_messages(messages)
    , m_appFolder(appFolder)
    , m_compiler(appFolder)
{
}

AppletCommands::~AppletCommands() = default;

QString AppletCommands::tempFolder() const
{
    return QDir(m_appFolder).filePath(QStringLiteral("temp"));
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
    // The page names the document's file; the applet host finds the class beside it.
    writePage(NamePart(m_fileName), QDir(tempFolder()).filePath(QStringLiteral("temp.html")));
    // A failed compile still opens the viewer, on whatever the temp folder holds.
    CompileToFolder(tempFolder(), CompileFeedbackStyle::StatusBar);
    // No owner: the viewer stays open when the main window closes. Its java is the
    // one beside the compiler that compiled.
    if (!m_appletWindow)
        m_appletWindow = new AppletWindow(m_appFolder, findJava(m_compiler.lastCompiler()));
    bringForward(m_appletWindow);
}

void AppletCommands::Publish()
{
    // A cancelled dialog ends the command: nothing is compiled.
    const std::optional<QString> chosen = askSavePath(ClassFilter, QStringLiteral("Publish Class In"));
    if (!chosen)
        return;
    // Only the folder counts; the compiler names the class file after the class.
    CompileToFolder(destinationOf(*chosen), CompileFeedbackStyle::ProgressWindow);
}

void AppletCommands::PublishWithHtml()
{
    const std::optional<QString> classPath = askSavePath(ClassFilter,
                                                         QStringLiteral("Publish Class File As"));
    if (!classPath)
        return;
    const QString codeValue = NamePart(*classPath);
    CompileToFolder(destinationOf(*classPath), CompileFeedbackStyle::StatusBar);

    // The page dialog offers the class path just confirmed.
    const std::optional<QString> pagePath = askSavePath(PageFilter, QStringLiteral("Publish Html File As"));
    if (pagePath)
        writePage(codeValue, *pagePath);
}

bool AppletCommands::CompileToFolder(const QString &destination, CompileFeedbackStyle style)
{
    StatusFeedback status(m_statusBar);
    ProgressFeedback progress(&m_window, m_statusBar);
    CompileFeedback &feedback = style == CompileFeedbackStyle::StatusBar
                                    ? static_cast<CompileFeedback &>(status)
                                    : static_cast<CompileFeedback &>(progress);
    const bool compiled = m_compiler.CompileToFolder({m_settings.CompilerLocation, destination, m_fileName},
                                                     feedback);
    Q_EMIT compileEnded(compiled);
    return compiled;
}

std::optional<QString> AppletCommands::askSavePath(const QString &filter, const QString &title)
{
    m_dialog.Filter = filter;
    m_dialog.DialogTitle = title;
    if (!m_dialog.ShowSave(&m_window))
        return std::nullopt;
    return m_dialog.FileName;
}

void AppletCommands::writePage(const QString &codeValue, const QString &path)
{
    if (const QString problem = WriteHostPage(codeValue, path); !problem.isEmpty())
        m_messages.warning(
            &m_window, m_window.windowTitle(),
            tr("The page %1 could not be written: %2.").arg(QDir::toNativeSeparators(path), problem));
}
