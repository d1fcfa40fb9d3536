#include "SourceLayout.h"

#include "HandWrittenText.h"
#include "JavaNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// Reads Java text one token at a time past white space and comments; only as much
// as the start of a source needs: names, dots and single characters.
class TokenReader
{
public:
    explicit TokenReader(const QString &text)
        : m_text(text)
    {
    }

    QString next()
    {
        skipSpaceAndComments();
        if (m_pos >= m_text.size())
            return {};
        const qsizetype start = m_pos;
        if (isJavaNamePart(m_text.at(m_pos))) {
            while (m_pos < m_text.size() && isJavaNamePart(m_text.at(m_pos)))
                ++m_pos;
        } else {
            ++m_pos;
        }
        return m_text.mid(start, m_pos - start);
    }

private:
    void skipSpaceAndComments()
    {
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos);
            if (c.isSpace() || c == QChar(0xFEFF)) {
                ++m_pos;
            } else if (m_text.mid(m_pos, 2) == QLatin1String("//")) {
                const qsizetype end = m_text.indexOf(QLatin1Char('\n'), m_pos);
                m_pos = end < 0 ? m_text.size() : end + 1;
            } else if (m_text.mid(m_pos, 2) == QLatin1String("/*")) {
                const qsizetype end = m_text.indexOf(QLatin1String("*/"), m_pos + 2);
                m_pos = end < 0 ? m_text.size() : end + 2;
            } else {
                return;
            }
        }
    }

    const QString &m_text;
    qsizetype m_pos = 0;
};

} // namespace

QString declaredPackage(const QString &sourceText)
{
    TokenReader tokens(sourceText);
    if (tokens.next() != QLatin1String("package"))
        return {};
    QStringList parts;
    for (QString word = tokens.next();; word = tokens.next()) {
        if (!isJavaName(word))
            return {};
        parts.append(word);
        const QString after = tokens.next();
        if (after == QLatin1String(";"))
            return parts.join(QLatin1Char('.'));
        if (after != QLatin1String("."))
            return {};
    }
}

QString SourceLayout::className() const
{
    return packageName.isEmpty() ? simpleName : packageName + QLatin1Char('.') + simpleName;
}

QString SourceLayout::classFilePath() const
{
    return className().replace(QLatin1Char('.'), QLatin1Char('/')) + QStringLiteral(".class");
}

QString SourceLayout::classFileIn(const QString &folder) const
{
    return QDir(folder).filePath(classFilePath());
}

SourceLayout sourceLayout(const QString &sourcePath)
{
    return sourceLayoutOf(sourcePath, readHandWrittenText(sourcePath));
}

SourceLayout sourceLayoutOf(const QString &sourcePath, const QString &text)
{
    const QFileInfo source(sourcePath);
    SourceLayout layout;
    layout.simpleName = source.completeBaseName();
    layout.packageName = declaredPackage(text);
    layout.root = source.absolutePath();
    if (layout.packageName.isEmpty())
        return layout;

    // The package's folders, innermost last, must end the source's folder.
    const QStringList parts = layout.packageName.split(QLatin1Char('.'));
    QStringList folders = layout.root.split(QLatin1Char('/'));
    const bool inPackage = folders.size() > parts.size()
                           && folders.mid(folders.size() - parts.size()) == parts;
    if (!inPackage) {
        layout.problem = QCoreApplication::translate("SourceLayout",
                                                     "%1 declares package %2 but is not in a folder %3")
                             .arg(source.fileName(), layout.packageName, parts.join(QLatin1Char('/')));
        return layout;
    }
    folders.resize(folders.size() - parts.size());
    layout.root = folders.join(QLatin1Char('/'));
    if (layout.root.isEmpty())
        layout.root = QDir::rootPath();
    return layout;
}
