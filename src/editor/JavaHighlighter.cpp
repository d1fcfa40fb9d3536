#include "JavaHighlighter.h"

#include "TypedCharacters.h"

#include <QPalette>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>

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
    : QObject(parent)
{
    m_keyword.setFontWeight(QFont::Bold);
    m_comment.setFontItalic(true);
}

void JavaHighlighter::setDocument(QTextDocument *document)
{
    if (m_document) {
        m_document->disconnect(this);
        highlightAll(false);
    }
    m_document = document;
    if (!m_document)
        return;
    // Before the document's layout hears of the edit: it lays the changed lines out
    // with their new formats.
    connect(m_document, &QTextDocument::contentsChange, this, &JavaHighlighter::changed);
    highlightAll(true);
}

void JavaHighlighter::setColours(const HighlightColours &colours)
{
    m_keyword.setForeground(colours.keyword);
    m_literal.setForeground(colours.literal);
    m_comment.setForeground(colours.comment);
    m_annotation.setForeground(colours.annotation);
    if (m_document)
        highlightAll(true);
}

void JavaHighlighter::highlightAll(bool formatted)
{
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
        if (formatted)
            highlight(block);
        else
            block.layout()->clearFormats();
    }
    m_document->markContentsDirty(0, m_document->characterCount());
}

bool JavaHighlighter::highlight(const QTextBlock &block)
{
    const QTextBlock previous = block.previous();
    State state = previous.isValid() && previous.userState() == InBlockComment ? InBlockComment : Normal;
    block.layout()->setFormats(formatsOf(block.text(), state));
    const bool stateChanged = block.userState() != state;
    QTextBlock(block).setUserState(state);
    return stateChanged;
}

// The edited lines get their formats; a line after them, only while the state it
// begins in changed, and its layout is then marked for a new one.
void JavaHighlighter::changed(int position, int removed, int added)
{
    Q_UNUSED(removed);
    const QTextBlock lastEdited = m_document->findBlock(position + added);
    const int lastEditedNumber = lastEdited.isValid() ? lastEdited.blockNumber()
                                                      : m_document->blockCount() - 1;
    int dirtyFrom = -1;
    int dirtyTo = -1;
    bool stateChanged = false;
    for (QTextBlock block = m_document->findBlock(position); block.isValid(); block = block.next()) {
        const bool edited = block.blockNumber() <= lastEditedNumber;
        if (!edited && !stateChanged)
            break;
        stateChanged = highlight(block);
        if (!edited) {
            dirtyFrom = dirtyFrom < 0 ? block.position() : dirtyFrom;
            dirtyTo = block.position() + block.length();
        }
    }
    if (dirtyFrom >= 0)
        m_document->markContentsDirty(dirtyFrom, dirtyTo - dirtyFrom);
}

QList<QTextLayout::FormatRange> JavaHighlighter::formatsOf(const QString &text, State &state) const
{
    QList<QTextLayout::FormatRange> formats;
    const auto setFormat = [&formats](qsizetype start, qsizetype length, const QTextCharFormat &format) {
        formats.append({int(start), int(length), format});
    };
    const qsizetype size = text.size();
    qsizetype i = 0;
    if (state == InBlockComment) {
        const qsizetype end = text.indexOf(QLatin1String("*/"));
        if (end < 0) {
            setFormat(0, size, m_comment);
            return formats;
        }
        setFormat(0, end + 2, m_comment);
        i = end + 2;
    }
    state = Normal;
    while (i < size) {
        const QChar c = text.at(i);
        const QStringView rest = QStringView(text).mid(i);
        if (rest.startsWith(u"//")) {
            setFormat(i, size - i, m_comment);
            return formats;
        }
        if (rest.startsWith(u"/*")) {
            const qsizetype end = text.indexOf(QLatin1String("*/"), i + 2);
            if (end < 0) {
                setFormat(i, size - i, m_comment);
                state = InBlockComment;
                return formats;
            }
            setFormat(i, end + 2 - i, m_comment);
            i = end + 2;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            qsizetype end = i + 1;
            while (end < size && text.at(end) != c)
                end += text.at(end) == QLatin1Char('\\') ? 2 : 1;
            end = std::min(end + 1, size);
            setFormat(i, end - i, m_literal);
            i = end;
        } else if (c.isDigit()) {
            qsizetype end = i;
            while (end < size && (isNameCharacter(text.at(end)) || text.at(end) == QLatin1Char('.')))
                ++end;
            setFormat(i, end - i, m_literal);
            i = end;
        } else if (c == QLatin1Char('@') || isIdentifierStart(c)) {
            qsizetype end = i + 1;
            while (end < size
                   && (isNameCharacter(text.at(end))
                       || (c == QLatin1Char('@') && text.at(end) == QLatin1Char('.'))))
                ++end;
            if (c == QLatin1Char('@'))
                setFormat(i, end - i, m_annotation);
            else if (keywords().contains(QStringView(text).mid(i, end - i)))
                setFormat(i, end - i, m_keyword);
            i = end;
        } else {
            ++i;
        }
    }
    return formats;
}
