#include "AppletPage.h"

#include <QHash>

#include <algorithm>

namespace {

QString decodeEntities(const QString &text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    static const QHash<QString, QChar> named = {
        {QStringLiteral("amp"), QLatin1Char('&')},   {QStringLiteral("lt"), QLatin1Char('<')},
        {QStringLiteral("gt"), QLatin1Char('>')},    {QStringLiteral("quot"), QLatin1Char('"')},
        {QStringLiteral("apos"), QLatin1Char('\'')}, {QStringLiteral("nbsp"), QChar(0xA0)},
    };
    // An entity is at most ten characters to its ";": only those are looked at, so
    // that text full of "&" without ";" is read in linear time.
    constexpr qsizetype Longest = 10;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype near =
            text.at(i) == QLatin1Char('&')
                ? QStringView(text).sliced(i, std::min(Longest + 1, text.size() - i)).indexOf(u';')
                : -1;
        if (near < 0) {
            out += text.at(i);
            continue;
        }
        const qsizetype semicolon = i + near;
        const QString entity = text.mid(i + 1, semicolon - i - 1);
        bool ok = false;
        char32_t code = 0;
        if (entity.startsWith(QLatin1String("#x")) || entity.startsWith(QLatin1String("#X")))
            code = entity.mid(2).toUInt(&ok, 16);
        else if (entity.startsWith(QLatin1Char('#')))
            code = entity.mid(1).toUInt(&ok, 10);
        if (ok && code > 0 && code <= 0x10FFFF) {
            out += QString::fromUcs4(&code, 1);
        } else if (named.contains(entity.toLower())) {
            out += named.value(entity.toLower());
        } else {
            out += text.at(i);
            continue;
        }
        i = semicolon;
    }
    return out;
}

// A start or end tag with its attributes, names in lower case.
struct Tag
{
    QString name; // "applet", "/applet", "param", ...
    QHash<QString, QString> attributes;
};

class TagReader
{
public:
    explicit TagReader(const QString &html)
        : m_html(html)
    {
    }

    std::optional<Tag> next()
    {
        while (true) {
            const qsizetype open = m_html.indexOf(QLatin1Char('<'), m_pos);
            if (open < 0)
                return std::nullopt;
            m_pos = open + 1;
            if (m_html.mid(open, 4) == QLatin1String("<!--")) {
                skipPast(QStringLiteral("-->"));
                continue;
            }
            Tag tag;
            tag.name = readName();
            if (tag.name.isEmpty() || tag.name == QLatin1String("/"))
                continue; // a lone "<" in text
            readAttributes(tag);
            if (tag.name == QLatin1String("script") || tag.name == QLatin1String("style")) {
                skipPast(QStringLiteral("</") + tag.name);
                continue;
            }
            return tag;
        }
    }

private:
    QChar peek() const { return m_pos < m_html.size() ? m_html.at(m_pos) : QChar(); }
    bool atEnd() const { return m_pos >= m_html.size(); }

    void skipPast(const QString &marker)
    {
        const qsizetype at = m_html.indexOf(marker, m_pos, Qt::CaseInsensitive);
        m_pos = at < 0 ? m_html.size() : at + marker.size();
    }

    void skipSpace()
    {
        while (!atEnd() && peek().isSpace())
            ++m_pos;
    }

    QString readName()
    {
        const qsizetype start = m_pos;
        if (peek() == QLatin1Char('/'))
            ++m_pos;
        while (!atEnd()
               && (peek().isLetterOrNumber() || peek() == QLatin1Char('-') || peek() == QLatin1Char('_')))
            ++m_pos;
        return m_html.mid(start, m_pos - start).toLower();
    }

    void readAttributes(Tag &tag)
    {
        while (true) {
            skipSpace();
            if (atEnd())
                return;
            if (peek() == QLatin1Char('>')) {
                ++m_pos;
                return;
            }
            const qsizetype start = m_pos;
            while (!atEnd() && !peek().isSpace() && peek() != QLatin1Char('=') && peek() != QLatin1Char('>'))
                ++m_pos;
            const QString name = m_html.mid(start, m_pos - start).toLower();
            skipSpace();
            QString value;
            if (peek() == QLatin1Char('=')) {
                ++m_pos;
                skipSpace();
                value = readValue();
            }
            if (!name.isEmpty() && name != QLatin1String("/") && !tag.attributes.contains(name))
                tag.attributes.insert(name, decodeEntities(value));
        }
    }

    QString readValue()
    {
        const QChar quote = peek();
        if (quote == QLatin1Char('"') || quote == QLatin1Char('\'')) {
            const qsizetype close = m_html.indexOf(quote, m_pos + 1);
            const qsizetype end = close < 0 ? m_html.size() : close;
            const QString value = m_html.mid(m_pos + 1, end - m_pos - 1);
            m_pos = end + 1;
            return value;
        }
        const qsizetype start = m_pos;
        while (!atEnd() && !peek().isSpace() && peek() != QLatin1Char('>'))
            ++m_pos;
        return m_html.mid(start, m_pos - start);
    }

    const QString &m_html;
    qsizetype m_pos = 0;
};

} // namespace

namespace {

QList<AppletParameter> inNameOrder(const QHash<QString, QString> &attributes)
{
    QList<AppletParameter> ordered;
    for (auto attribute = attributes.cbegin(); attribute != attributes.cend(); ++attribute)
        ordered.append({attribute.key(), attribute.value()});
    std::sort(ordered.begin(), ordered.end(),
              [](const AppletParameter &a, const AppletParameter &b) { return a.name < b.name; });
    return ordered;
}

} // namespace

QList<AppletTag> findApplets(const QString &html)
{
    QList<AppletTag> applets;
    TagReader reader(html);
    std::optional<Tag> tag = reader.next();
    while (tag) {
        if (tag->name != QLatin1String("applet")) {
            tag = reader.next();
            continue;
        }
        AppletTag applet;
        applet.code = tag->attributes.value(QStringLiteral("code")).trimmed();
        applet.codebase = tag->attributes.value(QStringLiteral("codebase")).trimmed();
        applet.archive = tag->attributes.value(QStringLiteral("archive")).trimmed();
        applet.width = tag->attributes.value(QStringLiteral("width")).trimmed();
        applet.height = tag->attributes.value(QStringLiteral("height")).trimmed();
        applet.attributes = inNameOrder(tag->attributes);
        // Its parameters, up to its end or the next applet, which is read in turn.
        while ((tag = reader.next()) && tag->name != QLatin1String("applet")) {
            if (tag->name == QLatin1String("/applet")) {
                tag = reader.next();
                break;
            }
            if (tag->name == QLatin1String("param") && tag->attributes.contains(QStringLiteral("name")))
                applet.parameters.append({tag->attributes.value(QStringLiteral("name")),
                                          tag->attributes.value(QStringLiteral("value"))});
        }
        applets.append(applet);
    }
    return applets;
}

std::optional<AppletTag> findApplet(const QString &html)
{
    const QList<AppletTag> applets = findApplets(html);
    return applets.isEmpty() ? std::nullopt : std::optional<AppletTag>(applets.constFirst());
}
