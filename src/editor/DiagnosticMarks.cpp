#include "DiagnosticMarks.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

void DiagnosticMarks::set(QTextDocument &document, const QList<PaneDiagnostic> &diagnostics)
{
    m_marks.clear();
    for (const PaneDiagnostic &diagnostic : diagnostics) {
        const QTextBlock block = document.findBlockByNumber(diagnostic.line - 1);
        if (!block.isValid())
            continue;
        const int column = std::clamp(diagnostic.column - 1, 0, std::max(0, block.length() - 1));
        QTextCursor range(block);
        range.setPosition(block.position() + column);
        range.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
        if (!range.hasSelection()) // not in a word: the one character
            range.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        m_marks.append({range, diagnostic.error, diagnostic.message});
    }
    std::sort(m_marks.begin(), m_marks.end(), [](const Mark &a, const Mark &b) {
        return a.range.selectionStart() < b.range.selectionStart();
    });
}

bool DiagnosticMarks::clearChanged(QTextDocument &document, int position, int added)
{
    const int first = document.findBlock(position).blockNumber();
    const int last = document.findBlock(position + added).blockNumber();
    const qsizetype before = m_marks.size();
    m_marks.erase(std::remove_if(m_marks.begin(), m_marks.end(),
                                 [&](const Mark &mark) {
                                     const int line = mark.range.block().blockNumber();
                                     return line >= first && line <= last;
                                 }),
                  m_marks.end());
    return m_marks.size() != before;
}

QList<QTextEdit::ExtraSelection> DiagnosticMarks::selections(const QColor &errorColour,
                                                             const QColor &warningColour) const
{
    QList<QTextEdit::ExtraSelection> selections;
    for (const Mark &mark : m_marks) {
        QTextEdit::ExtraSelection selection;
        selection.cursor = mark.range;
        selection.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        selection.format.setUnderlineColor(mark.error ? errorColour : warningColour);
        selections.append(selection);
    }
    return selections;
}

QString DiagnosticMarks::messageAt(int position) const
{
    for (const Mark &mark : m_marks)
        if (position >= mark.range.selectionStart() && position <= mark.range.selectionEnd())
            return mark.message;
    return {};
}

std::optional<int> DiagnosticMarks::next(int position) const
{
    if (m_marks.isEmpty())
        return std::nullopt;
    for (const Mark &mark : m_marks)
        if (mark.range.selectionStart() > position)
            return mark.range.selectionStart();
    return m_marks.constFirst().range.selectionStart();
}

std::optional<int> DiagnosticMarks::previous(int position) const
{
    if (m_marks.isEmpty())
        return std::nullopt;
    for (auto mark = m_marks.crbegin(); mark != m_marks.crend(); ++mark)
        if (mark->range.selectionStart() < position)
            return mark->range.selectionStart();
    return m_marks.constLast().range.selectionStart();
}

std::optional<int> DiagnosticMarks::firstError() const
{
    for (const Mark &mark : m_marks)
        if (mark.error)
            return mark.range.selectionStart();
    return std::nullopt;
}
