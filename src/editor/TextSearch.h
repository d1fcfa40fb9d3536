#pragma once

#include <QString>
#include <QTextCursor>

#include <optional>

class QTextDocument;

// What Find and Replace look for.
struct SearchOptions
{
    QString text;
    bool matchCase = false;
    bool wholeWords = false;
};

// A match: its place, and whether the search went past the document's end (or,
// backwards, its start) and on from the other end to find it.
struct SearchMatch
{
    QTextCursor cursor;
    bool wrapped = false;
};

// The next match after from's selection (or before it, backwards), wrapping round the
// document once; nothing when there is none at all.
std::optional<SearchMatch> findText(const QTextDocument &document, const QTextCursor &from,
                                    const SearchOptions &options, bool backward = false);

// Whether cursor's selection is a match, as Replace asks before replacing it.
bool isMatch(const QTextCursor &cursor, const SearchOptions &options);

// Replaces every match with replacement, as one step of the undo history; how many.
int replaceAll(QTextDocument &document, const SearchOptions &options, const QString &replacement);
