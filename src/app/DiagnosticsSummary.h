#pragma once

#include <QToolButton>

class EditorPane;
class QStatusBar;
struct CompileResult;

// "1 error", "2 warnings" or "1 error, 2 warnings" at the right end of the status
// bar after a compile, in the colour of its marks: a click goes to the first error,
// hovering shows what the compiler said. It also marks the messages about the
// document in the pane, and while the caret is on a mark the status bar shows its
// message. Hidden until the first compile.
class DiagnosticsSummary : public QToolButton
{
    Q_OBJECT

public:
    DiagnosticsSummary(EditorPane &pane, QStatusBar &statusBar);

    // Shows what the compiler said; documentPath is the compiled document.
    void showCompile(const CompileResult &result, const QString &documentPath);
    // No compiler output to show: the marks go and the summary hides.
    void clear();

private:
    void showCaretMessage(const QString &message);

    EditorPane &m_pane;
    QStatusBar &m_statusBar;
    QString m_shownMessage; // the caret's message while the status bar shows it
    QString m_hiddenText;   // what the status bar said before it
};
