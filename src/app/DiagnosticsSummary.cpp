#include "DiagnosticsSummary.h"

#include "CompilerDiagnostics.h"
#include "EditorPane.h"

#include <QFileInfo>
#include <QStatusBar>

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

DiagnosticsSummary::DiagnosticsSummary(EditorPane &pane, QStatusBar &statusBar)
    : QToolButton(&statusBar)
    , m_pane(pane)
{
    setObjectName(QStringLiteral("DiagnosticsSummary"));
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    hide(); // nothing to sum up before the first compile
    statusBar.addPermanentWidget(this);
    connect(this, &QToolButton::clicked, &m_pane, &EditorPane::goToFirstError);
}

void DiagnosticsSummary::showCompile(const QString &output, const QString &documentPath)
{
    QList<PaneDiagnostic> marks;
    int errors = 0;
    int warnings = 0;
    for (const Diagnostic &diagnostic : parseCompilerOutput(output)) {
        if (diagnostic.kind == Diagnostic::Kind::Note)
            continue;
        const bool error = diagnostic.kind == Diagnostic::Kind::Error;
        (error ? errors : warnings) += 1;
        if (!documentPath.isEmpty() && sameFile(diagnostic.file, documentPath))
            marks.append({diagnostic.line, diagnostic.column, error, diagnostic.message});
    }
    m_pane.setDiagnostics(marks);
    setText(counted(errors, "error", "errors") + QStringLiteral(", ")
            + counted(warnings, "warning", "warnings"));
    const QString shown = withoutVerboseLines(output);
    setToolTip(shown.isEmpty() ? tr("The compiler printed nothing.") : shown);
    show();
}

void DiagnosticsSummary::clear()
{
    m_pane.setDiagnostics({});
    hide();
}
