// The View and Publish commands of the main window: compiling, viewing and
// publishing the applet of the document.
#include "Zarn.h"

#include "AppletLaunch.h"
#include "AppletWindow.h"
#include "CompilerDiagnostics.h"
#include "EditorPane.h"
#include "FileDialog.h"
#include "HostPage.h"
#include "PathParts.h"
#include "ProgressFeedback.h"
#include "StatusFeedback.h"
#include "UserMessages.h"

#include <QDir>
#include <QFileInfo>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

QString Zarn::tempFolder() const
{
    return QDir(m_appFolder).filePath(QStringLiteral("temp"));
}

void Zarn::AppletB_Click()
{
    // The page, the compile and the viewer's reading of the page, without another
    // Zarn's View > Applet in between.
    const CompileDriver::Hold hold(m_compiler);
    if (!hold.problem().isEmpty()) {
        StatusBar1->showMessage(compileFailedText(hold.problem()));
        return;
    }
    // The page names the document's file; the applet host finds the class beside it.
    const QString page = QDir(tempFolder()).filePath(QStringLiteral("temp.html"));
    if (const QString problem = WriteHostPage(NamePart(FileName), page); !problem.isEmpty())
        m_messages->warning(
            this, windowTitle(),
            tr("The page %1 could not be written: %2.").arg(QDir::toNativeSeparators(page), problem));
    // A failed compile still opens the viewer, on whatever the temp folder holds.
    CompileToFolder(tempFolder(), CompileFeedbackStyle::StatusBar);
    // No owner: the viewer stays open when the main window closes.
    if (!m_appletWindow)
        m_appletWindow = new AppletWindow(m_appFolder, findJava(settings.CompilerLocation));
    bringForward(m_appletWindow);
}

std::optional<QString> Zarn::askSavePath(const QString &filter, const QString &title)
{
    CommonDialog1->Filter = filter;
    CommonDialog1->DialogTitle = title;
    if (!CommonDialog1->ShowSave(this))
        return std::nullopt;
    return CommonDialog1->FileName;
}

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

void Zarn::PubAppletB_Click()
{
    // A cancelled dialog ends the command: nothing is compiled.
    const std::optional<QString> chosen = askSavePath(ClassFilter, QStringLiteral("Publish Class In"));
    if (!chosen)
        return;
    // Only the folder counts; the compiler names the class file after the class.
    CompileToFolder(destinationOf(*chosen), CompileFeedbackStyle::ProgressWindow);
}

void Zarn::PubAppletHtmlB_Click()
{
    const std::optional<QString> classPath = askSavePath(ClassFilter,
                                                         QStringLiteral("Publish Class File As"));
    if (!classPath)
        return;
    const QString codeValue = NamePart(*classPath);
    CompileToFolder(destinationOf(*classPath), CompileFeedbackStyle::StatusBar);

    // The page dialog offers the class path just confirmed.
    const std::optional<QString> pagePath = askSavePath(PageFilter, QStringLiteral("Publish Html File As"));
    if (!pagePath)
        return;
    if (const QString problem = WriteHostPage(codeValue, *pagePath); !problem.isEmpty())
        m_messages->warning(
            this, windowTitle(),
            tr("The page %1 could not be written: %2.").arg(QDir::toNativeSeparators(*pagePath), problem));
}

bool Zarn::CompileToFolder(const QString &destination, CompileFeedbackStyle style)
{
    StatusFeedback status(*StatusBar1);
    ProgressFeedback progress(this, *StatusBar1);
    CompileFeedback &feedback = style == CompileFeedbackStyle::StatusBar
                                    ? static_cast<CompileFeedback &>(status)
                                    : static_cast<CompileFeedback &>(progress);
    const bool compiled = m_compiler.CompileToFolder({settings.CompilerLocation, destination, FileName},
                                                     feedback);
    showDiagnostics();
    if (m_closeRequested) {
        m_closeRequested = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
    return compiled;
}

namespace {

bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    return first.exists() && second.exists() ? first.canonicalFilePath() == second.canonicalFilePath()
                                             : first.absoluteFilePath() == second.absoluteFilePath();
}

QString counted(int count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

} // namespace

void Zarn::showDiagnostics()
{
    const QString output = m_compiler.lastOutput();
    QList<PaneDiagnostic> marks;
    int errors = 0;
    int warnings = 0;
    for (const Diagnostic &diagnostic : parseCompilerOutput(output)) {
        if (diagnostic.kind == Diagnostic::Kind::Note)
            continue;
        const bool error = diagnostic.kind == Diagnostic::Kind::Error;
        (error ? errors : warnings) += 1;
        if (!FileName.isEmpty() && sameFile(diagnostic.file, FileName))
            marks.append({diagnostic.line, diagnostic.column, error, diagnostic.message});
    }
    Richtextbox1->setDiagnostics(marks);
    m_diagnosticsSummary->setText(counted(errors, "error", "errors") + QStringLiteral(", ")
                                  + counted(warnings, "warning", "warnings"));
    const QString shown = withoutVerboseLines(output);
    m_diagnosticsSummary->setToolTip(shown.isEmpty() ? tr("The compiler printed nothing.") : shown);
    m_diagnosticsSummary->show();
}
