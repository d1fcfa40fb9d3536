#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QTextCursor>
#include <QTextEdit>

#include <optional>

// The colours of the compiler's errors and warnings wherever they are shown.
inline QColor errorColour()
{
    return {220, 40, 40};
}

inline QColor warningColour()
{
    return {200, 130, 0};
}

// A compiler message for a place in the pane's text (line and column from 1).
struct PaneDiagnostic
{
    int line = 0;
    int column = 0;
    bool error = true; // otherwise a warning
    QString message;
};

// The marks of the last compile on the document: each covers the word at its place
// and moves with the text; editing a line clears the marks on it.
class DiagnosticMarks
{
public:
    void set(QTextDocument &document, const QList<PaneDiagnostic> &diagnostics);
    void clear() { m_marks.clear(); }
    // Drops the marks on the blocks the change at position touched.
    bool clearChanged(QTextDocument &document, int position, int added);

    // Wavy underlines: errors in errorColour, warnings in warningColour.
    QList<QTextEdit::ExtraSelection> selections(const QColor &errorColour, const QColor &warningColour) const;

    // The message of a mark covering position.
    QString messageAt(int position) const;
    // The start of the next mark after position (wrapping round), the previous one
    // before it, and the first error.
    std::optional<int> next(int position) const;
    std::optional<int> previous(int position) const;
    std::optional<int> firstError() const;
    int count() const { return int(m_marks.size()); }

private:
    struct Mark
    {
        QTextCursor range;
        bool error;
        QString message;
    };
    QList<Mark> m_marks;
};
