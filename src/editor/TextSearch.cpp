#include "TextSearch.h"

#include <QTextDocument>

namespace {

QTextDocument::FindFlags flagsOf(const SearchOptions &options, bool backward)
{
    QTextDocument::FindFlags flags;
    if (options.matchCase)
        flags |= QTextDocument::FindCaseSensitively;
    if (options.wholeWords)
        flags |= QTextDocument::FindWholeWords;
    if (backward)
        flags |= QTextDocument::FindBackward;
    return flags;
}

} // namespace

std::optional<SearchMatch> findText(const QTextDocument &document, const QTextCursor &from,
                                    const SearchOptions &options, bool backward)
{
    if (options.text.isEmpty())
        return std::nullopt;
    const QTextDocument::FindFlags flags = flagsOf(options, backward);
    QTextCursor found = document.find(options.text, from, flags);
    if (!found.isNull())
        return SearchMatch{found, false};
    QTextCursor end(const_cast<QTextDocument *>(&document));
    end.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    found = document.find(options.text, end, flags);
    if (found.isNull())
        return std::nullopt;
    return SearchMatch{found, true};
}

bool isMatch(const QTextCursor &cursor, const SearchOptions &options)
{
    if (!cursor.hasSelection() || options.text.isEmpty())
        return false;
    QTextCursor start(cursor);
    start.setPosition(cursor.selectionStart());
    const QTextCursor found = cursor.document()->find(options.text, start, flagsOf(options, false));
    return !found.isNull() && found.selectionStart() == cursor.selectionStart()
           && found.selectionEnd() == cursor.selectionEnd();
}

int replaceAll(QTextDocument &document, const SearchOptions &options, const QString &replacement)
{
    if (options.text.isEmpty())
        return 0;
    // The matches of the text as it stands, each after the one before; replaced
    // from the last, so that no edit moves a match still to come.
    QList<std::pair<int, int>> matches;
    for (QTextCursor found = document.find(options.text, 0, flagsOf(options, false)); !found.isNull();
         found = document.find(options.text, found, flagsOf(options, false)))
        matches.append({found.selectionStart(), found.selectionEnd()});
    if (matches.isEmpty())
        return 0;
    // Undo takes the caret back to where the edit began: the last change, not the
    // top of the text.
    QTextCursor edit(&document);
    edit.setPosition(matches.constLast().first);
    edit.beginEditBlock();
    for (auto match = matches.crbegin(); match != matches.crend(); ++match) {
        edit.setPosition(match->first);
        edit.setPosition(match->second, QTextCursor::KeepAnchor);
        edit.insertText(replacement);
    }
    edit.endEditBlock();
    return int(matches.size());
}
