#include "ClassSources.h"

#include "SourceLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {

// Larger sources are not read while looking: a class's source is seldom this long.
constexpr qint64 MaxSourceBytes = 4 * 1024 * 1024;

QString readSource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxSourceBytes)
        return {};
    // Names are what is looked for: Latin-1 and UTF-8 alike keep ASCII as it is.
    return QString::fromUtf8(file.readAll());
}

QString sourceIn(const QString &folder, const QString &dottedName)
{
    const QString path = QDir(folder).filePath(QString(dottedName).replace(u'.', u'/')
                                               + QStringLiteral(".java"));
    return QFileInfo(path).isFile() ? path : QString();
}

// The imports of a text: "a.b.Name" for a single type, "a.b" for "a.b.*".
struct Imports
{
    QStringList types;
    QStringList packages;
};

Imports importsOf(const QString &text)
{
    static const QRegularExpression import(
        QStringLiteral(R"(^\s*import\s+(?!static\b)([\w$.]+?)(\.\*)?\s*;)"),
        QRegularExpression::MultilineOption);
    Imports found;
    for (auto match = import.globalMatch(text); match.hasNext();) {
        const QRegularExpressionMatch one = match.next();
        (one.capturedLength(2) ? found.packages : found.types).append(one.captured(1));
    }
    return found;
}

bool inJdkPackage(const QString &name)
{
    return name.startsWith(QLatin1String("java.")) || name.startsWith(QLatin1String("javax."));
}

// Whether simpleName, without a source here, can only be a class of the JDK: it is
// imported from the JDK by name, or every package imported whole is the JDK's (and
// java.lang comes without an import).
bool fromTheJdk(const QString &text, const QString &simpleName)
{
    const Imports imports = importsOf(text);
    for (const QString &type : imports.types)
        if (type.section(u'.', -1) == simpleName)
            return inJdkPackage(type);
    return std::all_of(imports.packages.cbegin(), imports.packages.cend(), inJdkPackage);
}

QString superclassOf(const QString &text, const QString &simpleName)
{
    const QRegularExpression extends(QStringLiteral(R"(\b(?:class)\s+%1\b[^{]*?\bextends\s+([\w$.]+))")
                                         .arg(QRegularExpression::escape(simpleName)));
    return extends.match(text).captured(1);
}

} // namespace

QString dottedNameAt(const QString &line, int column)
{
    const auto nameCharacter = [&line](qsizetype at) {
        const QChar c = line.at(at);
        return c.isLetterOrNumber() || c == u'_' || c == u'$';
    };
    qsizetype start = std::clamp<qsizetype>(column, 0, line.size());
    qsizetype end = start;
    while (end < line.size() && nameCharacter(end))
        ++end;
    while (start > 0
           && (nameCharacter(start - 1)
               || (line.at(start - 1) == u'.' && start > 1 && nameCharacter(start - 2))))
        --start;
    const QString name = line.mid(start, end - start);
    return name.isEmpty() || name.front().isDigit() ? QString() : name;
}

std::optional<int> declarationLine(const QString &text, const QString &simpleName)
{
    const QRegularExpression declaration(QStringLiteral(R"(\b(?:class|interface|enum|record)\s+%1\b)")
                                             .arg(QRegularExpression::escape(simpleName)));
    const QRegularExpressionMatch match = declaration.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return int(text.left(match.capturedStart()).count(u'\n')) + 1;
}

std::optional<ClassSource> findClassSource(const QString &name, const QString &documentPath,
                                           const QString &text)
{
    const QString simpleName = name.section(u'.', -1);
    if (simpleName.isEmpty())
        return std::nullopt;
    if (!name.contains(u'.'))
        if (const std::optional<int> line = declarationLine(text, simpleName))
            return ClassSource{documentPath, *line};
    if (documentPath.isEmpty())
        return std::nullopt;
    const QString folder = QFileInfo(documentPath).absolutePath();
    const QString root = sourceLayoutOf(documentPath, text).root;
    const Imports imports = importsOf(text);
    QStringList candidates;
    if (name.contains(u'.')) {
        candidates << sourceIn(root, name);
    } else {
        candidates << sourceIn(folder, simpleName);
        for (const QString &type : imports.types)
            if (type.section(u'.', -1) == simpleName)
                candidates << sourceIn(root, type);
        for (const QString &package : imports.packages)
            candidates << sourceIn(root, package + u'.' + simpleName);
        candidates << sourceIn(root, simpleName);
    }
    candidates.removeAll(QString());
    if (candidates.isEmpty())
        return std::nullopt;
    const QString path = candidates.constFirst();
    return ClassSource{path, declarationLine(readSource(path), simpleName).value_or(1)};
}

bool mayBeApplet(const QString &simpleName, const QString &documentPath, const QString &text)
{
    QString name = simpleName;
    QString path = documentPath;
    QString source = text;
    QSet<QString> seen;
    while (!seen.contains(path + u'#' + name)) {
        seen.insert(path + u'#' + name);
        const QString superclass = superclassOf(source, name);
        if (superclass.isEmpty())
            return false;
        const QString superName = superclass.section(u'.', -1);
        if (superName == QLatin1String("Applet") || superName == QLatin1String("JApplet"))
            return true;
        if (inJdkPackage(superclass))
            return false;
        const std::optional<ClassSource> found = findClassSource(superclass, path, source);
        if (!found)
            return !fromTheJdk(source, superName);
        if (found->path != path)
            source = readSource(found->path);
        path = found->path;
        name = superName;
    }
    return false; // a cycle: not a class javac compiles
}

bool fileMayBeApplet(const QString &path, const QString &simpleName)
{
    return mayBeApplet(simpleName, path, readSource(path));
}
