#include "DiagnosticsSummary.h"

#include "CompileResult.h"
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

constexpr int MaxTooltipLines = 40;

// Where the nth line of text ends (its line feed); -1 when it has fewer lines.
qsizetype nthLineEnd(const QString &text, int n)
{
    qsizetype end = -1;
    for (int line = 0; line < n; ++line)
        if ((end = text.indexOf(QLatin1Char('\n'), end + 1)) < 0)
            return -1;
    return end;
}

// What there is to count: the errors unless there are only warnings.
QString summaryText(int errors, int warnings)
{
    QStringList parts;
    if (errors > 0 || warnings == 0)
        parts.append(counted(errors, "error", "errors"));
    if (warnings > 0)
        parts.append(counted(warnings, "warning", "warnings"));
    return parts.join(QStringLiteral(", "));
}

} // namespace

DiagnosticsSummary::DiagnosticsSummary(EditorPane &pane, QStatusBar &statusBar)
    : QToolButton(&statusBar)
    , m_pane(pane)
    , m_statusBar(statusBar)
{
    setObjectName(QStringLiteral("DiagnosticsSummary"));
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    hide(); // nothing to sum up before the first compile
    statusBar.addPermanentWidget(this);
    connect(this, &QToolButton::clicked, &m_pane, &EditorPane::goToFirstError);
    connect(&m_pane, &EditorPane::caretMessageChanged, this, &DiagnosticsSummary::showCaretMessage);
}

void DiagnosticsSummary::showCaretMessage(const QString &message)
{
    if (!message.isEmpty()) {
        if (m_shownMessage.isEmpty() || m_statusBar.currentMessage() != m_shownMessage)
            m_hiddenText = m_statusBar.currentMessage();
        m_shownMessage = oneLineMessage(message);
        m_statusBar.showMessage(m_shownMessage);
        return;
    }
    // Off the mark: back to what the status bar said, unless something newer replaced it.
    if (!m_shownMessage.isEmpty() && m_statusBar.currentMessage() == m_shownMessage)
        m_statusBar.showMessage(m_hiddenText);
    m_shownMessage.clear();
}

void DiagnosticsSummary::showCompile(const CompileResult &result, const QString &documentPath)
{
    QList<PaneDiagnostic> marks;
    int errors = 0;
    int warnings = 0;
    for (const Diagnostic &diagnostic : result.diagnostics) {
        if (diagnostic.kind == Diagnostic::Kind::Note || isAppletApiRemovalNotice(diagnostic))
            continue;
        const bool error = diagnostic.kind == Diagnostic::Kind::Error;
        (error ? errors : warnings) += 1;
        if (!documentPath.isEmpty() && sameFile(diagnostic.file, documentPath))
            marks.append({diagnostic.line, diagnostic.column, error, diagnostic.message});
    }
    m_pane.setDiagnostics(marks);
    setText(summaryText(errors, warnings));
    // In the colour of its marks.
    if (errors > 0 || warnings > 0)
        setStyleSheet(
            QStringLiteral("color: %1;").arg((errors > 0 ? errorColour() : warningColour()).name()));
    else
        setStyleSheet(QString());
    // A tooltip of megabytes would take Qt seconds to lay out: the first lines do.
    QString shown = withoutVerboseLines(result.output);
    if (const qsizetype cut = nthLineEnd(shown, MaxTooltipLines); cut >= 0 && cut + 1 < shown.size())
        shown = shown.left(cut) + QStringLiteral("\n...");
    setToolTip(shown.isEmpty() ? tr("The compiler printed nothing.") : shown);
    show();
}

void DiagnosticsSummary::clear()
{
    m_pane.setDiagnostics({});
    hide();
}
