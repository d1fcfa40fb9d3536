#include "Indentation.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// Lines looked at for the document's unit: enough for any hand-written file.
constexpr int LinesToLookAt = 5000;

qsizetype leadingBlanks(const QString &text)
{
    qsizetype blanks = 0;
    while (blanks < text.size()
           && (text.at(blanks) == QLatin1Char(' ') || text.at(blanks) == QLatin1Char('\t')))
        ++blanks;
    return blanks;
}

// How many characters of the line's start one unindent removes.
qsizetype oneLevel(const QString &text, const QString &unit)
{
    if (text.startsWith(QLatin1Char('\t')))
        return 1;
    qsizetype spaces = 0;
    while (spaces < unit.size() && spaces < text.size() && text.at(spaces) == QLatin1Char(' '))
        ++spaces;
    return spaces;
}

// The first and last block the selection touches; a selection ending at the start
// of a line does not take that line.
std::pair<QTextBlock, QTextBlock> touchedBlocks(const QTextCursor &cursor)
{
    QTextDocument *document = cursor.document();
    const QTextBlock first = document->findBlock(cursor.selectionStart());
    QTextBlock last = document->findBlock(cursor.selectionEnd());
    if (last != first && cursor.selectionEnd() == last.position())
        last = last.previous();
    return {first, last};
}

void selectWhole(QTextCursor &cursor, const QTextBlock &first, const QTextBlock &last)
{
    cursor.setPosition(first.position());
    cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
}

} // namespace

QString indentUnit(const QTextDocument &document)
{
    int looked = 0;
    for (QTextBlock block = document.begin(); block.isValid() && looked < LinesToLookAt;
         block = block.next(), ++looked) {
        const QString text = block.text();
        if (text.startsWith(QLatin1Char('\t')))
            return QStringLiteral("\t");
        if (text.startsWith(QLatin1Char(' ')) && leadingBlanks(text) < text.size())
            return QStringLiteral("    ");
    }
    return QStringLiteral("    ");
}

QString indentForNewLine(const QString &textBeforeCaret, const QString &unit)
{
    const QString indent = textBeforeCaret.left(leadingBlanks(textBeforeCaret));
    return textBeforeCaret.trimmed().endsWith(QLatin1Char('{')) ? indent + unit : indent;
}

bool selectsSeveralLines(const QTextCursor &cursor)
{
    if (!cursor.hasSelection())
        return false;
    const auto [first, last] = touchedBlocks(cursor);
    return first != last;
}

void indentLines(QTextCursor &cursor, const QString &unit)
{
    const auto [first, last] = touchedBlocks(cursor);
    QTextCursor edit(cursor);
    edit.beginEditBlock();
    for (QTextBlock block = first;; block = block.next()) {
        if (!block.text().isEmpty()) { // a blank line gets no trailing blanks
            edit.setPosition(block.position());
            edit.insertText(unit);
        }
        if (block == last)
            break;
    }
    edit.endEditBlock();
    selectWhole(cursor, first, last);
}

void unindentLines(QTextCursor &cursor, const QString &unit)
{
    const auto [first, last] = touchedBlocks(cursor);
    QTextCursor edit(cursor);
    edit.beginEditBlock();
    for (QTextBlock block = first;; block = block.next()) {
        if (const qsizetype remove = oneLevel(block.text(), unit); remove > 0) {
            edit.setPosition(block.position());
            edit.setPosition(block.position() + int(remove), QTextCursor::KeepAnchor);
            edit.removeSelectedText();
        }
        if (block == last)
            break;
    }
    edit.endEditBlock();
    selectWhole(cursor, first, last);
}

void typeClosingBrace(QTextCursor &cursor, const QString &unit)
{
    const QString before = cursor.block().text().left(cursor.positionInBlock());
    cursor.beginEditBlock();
    if (!cursor.hasSelection() && !before.isEmpty() && leadingBlanks(before) == before.size()) {
        // The level nearest the caret goes: its last tab, or up to a level of spaces.
        qsizetype remove = 1;
        if (!before.endsWith(QLatin1Char('\t'))) {
            const qsizetype level = unit == QLatin1String("\t") ? 4 : unit.size();
            remove = 0;
            while (remove < level && remove < before.size()
                   && before.at(before.size() - 1 - remove) == QLatin1Char(' '))
                ++remove;
        }
        cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, int(remove));
        cursor.removeSelectedText();
    }
    cursor.insertText(QStringLiteral("}"));
    cursor.endEditBlock();
}
