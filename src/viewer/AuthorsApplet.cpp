#include "AuthorsApplet.h"

#include "AppletLaunch.h"
#include "HandWrittenText.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

bool namesClass(const AppletTag &applet, const QString &className)
{
    const QString named = appletClassName(applet.code);
    return named == className || named.endsWith(QLatin1Char('.') + className);
}

std::optional<AppletTag> firstNaming(const QString &html, const QString &className)
{
    if (!html.contains(QLatin1String("applet"), Qt::CaseInsensitive))
        return std::nullopt;
    for (const AppletTag &applet : findApplets(html))
        if (namesClass(applet, className))
            return applet;
    return std::nullopt;
}

// A block comment's text without the "*" that starts its continuation lines.
QString withoutLeadingStars(const QString &comment)
{
    static const QRegularExpression stars(QStringLiteral("\\n[ \\t]*\\*(?!/)"));
    QString text = comment;
    return text.replace(stars, QStringLiteral("\n"));
}

} // namespace

QString javaComments(const QString &source)
{
    QString comments;
    const qsizetype size = source.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = source.at(i);
        const QChar next = i + 1 < size ? source.at(i + 1) : QChar();
        if (c == QLatin1Char('/') && next == QLatin1Char('/')) {
            const qsizetype end = source.indexOf(QLatin1Char('\n'), i);
            const qsizetype stop = end < 0 ? size : end;
            comments += source.mid(i + 2, stop - i - 2) + QLatin1Char('\n');
            i = stop;
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            const qsizetype end = source.indexOf(QLatin1String("*/"), i + 2);
            const qsizetype stop = end < 0 ? size : end;
            comments += withoutLeadingStars(source.mid(i + 2, stop - i - 2)) + QLatin1Char('\n');
            i = end < 0 ? size : end + 1;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            // A string, character or text block: nothing in it is a comment.
            const bool textBlock = source.mid(i, 3) == QLatin1String("\"\"\"");
            const QString close = textBlock ? QStringLiteral("\"\"\"") : QString(c);
            qsizetype j = i + close.size();
            while (j < size && source.mid(j, close.size()) != close
                   && (textBlock || source.at(j) != QLatin1Char('\n')))
                j += source.at(j) == QLatin1Char('\\') ? 2 : 1;
            i = j + close.size() - 1;
        }
    }
    return comments;
}

std::optional<AuthorsApplet> authorsApplet(const QString &sourcePath, const QString &className,
                                           const QString &packageRoot)
{
    const QFileInfo source(sourcePath);
    const QString name = className.isEmpty() ? source.completeBaseName() : className;
    if (name.isEmpty())
        return std::nullopt;
    if (auto applet = firstNaming(javaComments(readHandWrittenText(sourcePath)), name))
        return AuthorsApplet{*applet, QString()};

    QList<QDir> folders = {source.dir()};
    if (!packageRoot.isEmpty() && QDir(packageRoot) != source.dir())
        folders.append(QDir(packageRoot));
    for (const QDir &folder : folders) {
        QStringList pages = folder.entryList({QStringLiteral("*.html"), QStringLiteral("*.htm")},
                                             QDir::Files | QDir::Readable, QDir::Name);
        // The page named after the class first.
        std::stable_partition(pages.begin(), pages.end(), [&](const QString &page) {
            return QFileInfo(page).completeBaseName().compare(source.completeBaseName(), Qt::CaseInsensitive)
                   == 0;
        });
        for (const QString &page : pages)
            if (auto applet = firstNaming(readHandWrittenText(folder.filePath(page)), name))
                return AuthorsApplet{*applet, folder.filePath(page)};
    }
    return std::nullopt;
}
