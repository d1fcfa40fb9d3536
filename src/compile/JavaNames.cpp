#include "JavaNames.h"

#include <QSet>

#include <algorithm>

namespace {

bool isKeyword(const QString &word)
{
    static const QSet<QString> keywords = [] {
        QSet<QString> words;
        for (const char *keyword :
             {"abstract", "assert", "boolean",    "break",     "byte",       "case",      "catch",
              "char",     "class",  "const",      "continue",  "default",    "do",        "double",
              "else",     "enum",   "extends",    "final",     "finally",    "float",     "for",
              "goto",     "if",     "implements", "import",    "instanceof", "int",       "interface",
              "long",     "native", "new",        "package",   "private",    "protected", "public",
              "return",   "short",  "static",     "strictfp",  "super",      "switch",    "synchronized",
              "this",     "throw",  "throws",     "transient", "try",        "void",      "volatile",
              "while",    "true",   "false",      "null",      "_"})
            words.insert(QString::fromLatin1(keyword));
        return words;
    }();
    return keywords.contains(word);
}

} // namespace

bool isJavaNamePart(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

bool isJavaName(const QString &word)
{
    return !word.isEmpty() && !word.at(0).isDigit() && std::all_of(word.begin(), word.end(), isJavaNamePart)
           && !isKeyword(word);
}

bool isJavaSourceName(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".java")) && isJavaName(fileName.chopped(5));
}
