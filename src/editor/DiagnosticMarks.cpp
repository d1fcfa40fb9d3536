#include "DiagnosticMarks.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {

// The name javac says it cannot find ("symbol:   variable bleu"), else empty.
QString unknownSymbol(const QString &message)
{
    static const QRegularExpression symbol(QStringLiteral(R"(^symbol:\s+\S+\s+([\p{L}\p{N}_$]+))"),
                                           QRegularExpression::MultilineOption);
    return symbol.match(message).captured(1);
}

// Where the whole name stands in text at or after at: javac points at the dot
// before a member it cannot find, and the mark is to cover the name. -1 when the
// name is not there as a word of its own.
qsizetype nameFrom(const QString &text, qsizetype at, const QString &name)
{
    const auto wordCharacter = [](QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$'; };
    for (qsizetype found = text.indexOf(name, at); found >= 0; found = text.indexOf(name, found + 1)) {
        const qsizetype end = found + name.size();
        if ((found == 0 || !wordCharacter(text.at(found - 1))) && (end == text.size() || !wordCharacter(text.at(end))))
            return found;
    }
    return -1;
}

// The text a message at column (from 1) of block underlines: the name it cannot
// find, else the word there, else the one character. A place at or past the end of the line's text (javac puts
// "';' expected" after the last token) underlines the line's last visible
// character, so that the mark is seen; a line without text is marked whole.
QTextCursor markedRange(const QTextBlock &block, int column, const QString &message)
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
    if (const QString name = unknownSymbol(message); !name.isEmpty()) {
        if (const qsizetype found = nameFrom(text, at, name); found >= 0) {
            range.setPosition(block.position() + int(found));
            range.setPosition(block.position() + int(found + name.size()), QTextCursor::KeepAnchor);
            return range;
        }
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
            m_marks.append({markedRange(block, diagnostic.column, diagnostic.message), diagnostic.error,
                            diagnostic.message});
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
