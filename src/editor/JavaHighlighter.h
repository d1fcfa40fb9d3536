#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

class QPalette;

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
// comments (block comments across lines) and annotations.
class JavaHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit JavaHighlighter(QObject *parent = nullptr);

    void setColours(const HighlightColours &colours);

protected:
    void highlightBlock(const QString &text) override;

private:
    enum State { Normal = 0, InBlockComment = 1 };

    QTextCharFormat m_keyword;
    QTextCharFormat m_literal;
    QTextCharFormat m_comment;
    QTextCharFormat m_annotation;
};
