#include "JavaHighlighter.h"

#include <QPalette>
#include <QSet>

namespace {

const QSet<QStringView> &keywords()
{
    static const QSet<QStringView> words = {
        u"abstract", u"assert", u"boolean",    u"break",     u"byte",       u"case",      u"catch",
        u"char",     u"class",  u"const",      u"continue",  u"default",    u"do",        u"double",
        u"else",     u"enum",   u"extends",    u"final",     u"finally",    u"float",     u"for",
        u"goto",     u"if",     u"implements", u"import",    u"instanceof", u"int",       u"interface",
        u"long",     u"native", u"new",        u"package",   u"private",    u"protected", u"public",
        u"return",   u"short",  u"static",     u"strictfp",  u"super",      u"switch",    u"synchronized",
        u"this",     u"throw",  u"throws",     u"transient", u"try",        u"void",      u"volatile",
        u"while",    u"true",   u"false",      u"null",      u"var",        u"record",    u"yield",
    };
    return words;
}

bool isIdentifierStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

bool isIdentifierPart(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// Mixes two colours, weight of b from 0 to 1.
QColor mix(const QColor &a, const QColor &b, qreal weight)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * weight),
                            float(a.greenF() + (b.greenF() - a.greenF()) * weight),
                            float(a.blueF() + (b.blueF() - a.blueF()) * weight));
}

} // namespace

HighlightColours highlightColours(const QPalette &palette)
{
    const bool dark = palette.color(QPalette::Base).lightnessF() < 0.5f;
    const QColor text = palette.color(QPalette::Text);
    // Hues that stand out on either base; on a dark base they are lightened.
    auto hue = [dark](const char *onLight, const char *onDark) {
        return QColor(QLatin1String(dark ? onDark : onLight));
    };
    return {
        hue("#0033b3", "#7aa6ff"),
        hue("#067d17", "#8fd18f"),
        mix(text, palette.color(QPalette::Base), 0.45),
        hue("#9e880d", "#e0c46c"),
    };
}

JavaHighlighter::JavaHighlighter(QObject *parent)
    : QSyntaxHighlighter(parent)
{
    m_keyword.setFontWeight(QFont::Bold);
    m_comment.setFontItalic(true);
}

void JavaHighlighter::setColours(const HighlightColours &colours)
{
    m_keyword.setForeground(colours.keyword);
    m_literal.setForeground(colours.literal);
    m_comment.setForeground(colours.comment);
    m_annotation.setForeground(colours.annotation);
    rehighlight();
}

void JavaHighlighter::highlightBlock(const QString &text)
{
    const qsizetype size = text.size();
    qsizetype i = 0;
    setCurrentBlockState(Normal);
    if (previousBlockState() == InBlockComment) {
        const qsizetype end = text.indexOf(QLatin1String("*/"));
        if (end < 0) {
            setFormat(0, int(size), m_comment);
            setCurrentBlockState(InBlockComment);
            return;
        }
        setFormat(0, int(end + 2), m_comment);
        i = end + 2;
    }
    while (i < size) {
        const QChar c = text.at(i);
        const QStringView rest = QStringView(text).mid(i);
        if (rest.startsWith(u"//")) {
            setFormat(int(i), int(size - i), m_comment);
            return;
        }
        if (rest.startsWith(u"/*")) {
            const qsizetype end = text.indexOf(QLatin1String("*/"), i + 2);
            if (end < 0) {
                setFormat(int(i), int(size - i), m_comment);
                setCurrentBlockState(InBlockComment);
                return;
            }
            setFormat(int(i), int(end + 2 - i), m_comment);
            i = end + 2;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            qsizetype end = i + 1;
            while (end < size && text.at(end) != c)
                end += text.at(end) == QLatin1Char('\\') ? 2 : 1;
            end = std::min(end + 1, size);
            setFormat(int(i), int(end - i), m_literal);
            i = end;
        } else if (c.isDigit()) {
            qsizetype end = i;
            while (end < size && (isIdentifierPart(text.at(end)) || text.at(end) == QLatin1Char('.')))
                ++end;
            setFormat(int(i), int(end - i), m_literal);
            i = end;
        } else if (c == QLatin1Char('@') || isIdentifierStart(c)) {
            qsizetype end = i + 1;
            while (end < size
                   && (isIdentifierPart(text.at(end))
                       || (c == QLatin1Char('@') && text.at(end) == QLatin1Char('.'))))
                ++end;
            if (c == QLatin1Char('@'))
                setFormat(int(i), int(end - i), m_annotation);
            else if (keywords().contains(QStringView(text).mid(i, end - i)))
                setFormat(int(i), int(end - i), m_keyword);
            i = end;
        } else {
            ++i;
        }
    }
}
