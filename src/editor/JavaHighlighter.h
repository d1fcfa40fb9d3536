#pragma once

#include <QObject>
#include <QPointer>
#include <QTextCharFormat>
#include <QTextLayout>

class QPalette;
class QTextBlock;
class QTextDocument;

// The colours of the highlighting, chosen to read well on the palette's base
// colour, light or dark.
struct HighlightColours
{
    QColor keyword;
    QColor literal;
    QColor comment;
    QColor annotation;
};

HighlightColours highlightColours(const QPalette &palette);

// Java syntax highlighting: keywords, string, character and number literals,
// comments (block comments across lines) and annotations, kept in each line's
// layout. An edit highlights the lines it changed, and the lines after them only
// while a block comment's reach changes: a key typed in a line lays out and paints
// that line alone.
class JavaHighlighter : public QObject
{
    Q_OBJECT

public:
    explicit JavaHighlighter(QObject *parent = nullptr);

    // Highlights document, and follows its edits; nullptr takes the formats off the
    // document highlighted so far.
    void setDocument(QTextDocument *document);
    QTextDocument *document() const { return m_document; }
    void setColours(const HighlightColours &colours);

private:
    enum State { Normal = 0, InBlockComment = 1 };

    // The formats of a line's text, which begins in state; state becomes the one
    // after the line.
    QList<QTextLayout::FormatRange> formatsOf(const QString &text, State &state) const;
    void changed(int position, int removed, int added);
    // Gives block its formats and its state; true when the state after it changed.
    bool highlight(const QTextBlock &block);
    // Every line again, or with formats off.
    void highlightAll(bool formatted);

    QPointer<QTextDocument> m_document;

    QTextCharFormat m_keyword;
    QTextCharFormat m_literal;
    QTextCharFormat m_comment;
    QTextCharFormat m_annotation;
};
