#include "DiagnosticMarks.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {

// The text a message at column (from 1) of block underlines: the word there, else
// the one character. A place at or past the end of the line's text (javac puts
// "';' expected" after the last token) underlines the line's last visible
// character, so that the mark is seen; a line without text is marked whole.
QTextCursor markedRange(const QTextBlock &block, int column)
{
    const QString text = block.text();
    qsizetype lastVisible = text.size() - 1;
    while (lastVisible >= 0 && text.at(lastVisible).isSpace())
        --lastVisible;
    QTextCursor range(block);
    if (lastVisible < 0) {
        range.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        return range;
    }
    const int at = std::max(0, column - 1);
    if (at > lastVisible) {
        range.setPosition(block.position() + int(lastVisible));
        range.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        return range;
    }
    range.setPosition(block.position() + at);
    range.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
    if (!range.hasSelection()) // not in a word: the one character
        range.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    return range;
}

} // namespace

void DiagnosticMarks::set(QTextDocument &document, const QList<PaneDiagnostic> &diagnostics)
{
    m_marks.clear();
    for (const PaneDiagnostic &diagnostic : diagnostics) {
        const QTextBlock block = document.findBlockByNumber(diagnostic.line - 1);
        if (block.isValid())
            m_marks.append({markedRange(block, diagnostic.column), diagnostic.error, diagnostic.message});
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
        const QColor colour = mark.error ? errorColour : warningColour;
        if (mark.range.block().text().trimmed().isEmpty()) {
            // Nothing to underline: a tint across the whole line.
            selection.format.setProperty(QTextFormat::FullWidthSelection, true);
            selection.format.setBackground(QColor(colour.red(), colour.green(), colour.blue(), 48));
            selection.cursor.clearSelection();
        } else {
            selection.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
            selection.format.setUnderlineColor(colour);
        }
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
