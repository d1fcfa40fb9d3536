#pragma once

#include <QToolButton>

class EditorPane;
class QStatusBar;

// "N errors, M warnings" at the right end of the status bar after a compile: a
// click goes to the first error, hovering shows what the compiler said. It also
// marks the messages about the document in the pane. Hidden until the first compile.
class DiagnosticsSummary : public QToolButton
{
    Q_OBJECT

public:
    DiagnosticsSummary(EditorPane &pane, QStatusBar &statusBar);

    // Shows what the compiler printed; documentPath is the compiled document.
    void showCompile(const QString &output, const QString &documentPath);
    // No compiler output to show: the marks go and the summary hides.
    void clear();

private:
    EditorPane &m_pane;
};
