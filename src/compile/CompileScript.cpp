#include "CompileScript.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("CompileScript", text);
}

bool isAbsolute(ScriptDialect dialect, const QString &path)
{
    if (dialect == ScriptDialect::Posix)
        return path.startsWith(QLatin1Char('/'));
    return path.startsWith(QLatin1Char('\\')) || path.startsWith(QLatin1Char('/'))
           || (path.size() > 1 && path.at(1) == QLatin1Char(':'));
}

// A relative path starting with "-" would read as an option of the compiler.
QString notAnOption(ScriptDialect dialect, const QString &path)
{
    if (path.startsWith(QLatin1Char('-')) && !isAbsolute(dialect, path))
        return (dialect == ScriptDialect::Posix ? QStringLiteral("./") : QStringLiteral(".\\")) + path;
    return path;
}

// The folder holding the source, where javac looks for the classes it names: the
// part before the last separator, "." for a bare name. A root folder is written
// "/." or "C:\\.", since a backslash before cmd's closing quote would escape it.
QString sourceFolderOf(ScriptDialect dialect, const QString &source)
{
    const qsizetype slash = dialect == ScriptDialect::Posix ? source.lastIndexOf(QLatin1Char('/'))
                                                            : std::max(source.lastIndexOf(QLatin1Char('\\')),
                                                                       source.lastIndexOf(QLatin1Char('/')));
    if (slash < 0)
        return QStringLiteral(".");
    const QString folder = source.left(slash);
    if (folder.isEmpty() || folder.endsWith(QLatin1Char(':')))
        return source.left(slash + 1) + QLatin1Char('.');
    return folder;
}

struct Lines
{
    const char *markNotDone;
    const char *markDone;
    const char *lineEnd;
};

Lines linesOf(ScriptDialect dialect)
{
    if (dialect == ScriptDialect::Posix)
        return {"cp temp/NotDone.txt temp/temp.txt", "cp temp/Done.txt temp/temp.txt", "\n"};
    return {"copy temp\\NotDone.txt temp\\temp.txt", "copy temp\\Done.txt temp\\temp.txt", "\r\n"};
}

} // namespace

QString quoteForShell(ScriptDialect dialect, const QString &argument)
{
    if (dialect == ScriptDialect::Posix) {
        QString quoted = argument;
        quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
        return QLatin1Char('\'') + quoted + QLatin1Char('\'');
    }
    // Inside double quotes cmd takes & | < > ^ literally; % would still expand and
    // must be doubled in a batch file. A double quote or a line break cannot be
    // passed at all, nor can other control characters.
    for (const QChar c : argument)
        if (c == QLatin1Char('"') || c.unicode() < 0x20)
            return {};
    QString quoted = argument;
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

CompileScript compileScript(ScriptDialect dialect, const QString &compiler, const QString &destination,
                            const QString &source, const QStringList &compilerOptions)
{
    CompileScript script;
    const QStringList pieces = QStringList{compiler} + compilerOptions
                               + QStringList{notAnOption(dialect, destination),
                                             notAnOption(dialect, sourceFolderOf(dialect, source)),
                                             notAnOption(dialect, source)};
    QStringList quoted;
    for (const QString &piece : pieces) {
        quoted.append(quoteForShell(dialect, piece));
        if (quoted.constLast().isEmpty()) {
            script.problem = tr("the name \"%1\" cannot be passed safely to the command shell").arg(piece);
            return script;
        }
    }
    // The compiler with its options, then the destination, the source folder and the source.
    const QString destinationAndSource = QStringLiteral(" -verbose -d ") + quoted.at(quoted.size() - 3)
                                         + QStringLiteral(" -sourcepath ") + quoted.at(quoted.size() - 2)
                                         + QLatin1Char(' ') + quoted.constLast();

    const Lines lines = linesOf(dialect);
    const QString text = QString::fromLatin1(lines.markNotDone) + QString::fromLatin1(lines.lineEnd)
                         + QStringList(quoted.mid(0, quoted.size() - 3)).join(QLatin1Char(' '))
                         + destinationAndSource + QLatin1Char(' ') + QString::fromLatin1(lines.lineEnd)
                         + QString::fromLatin1(lines.markDone);
    if (dialect == ScriptDialect::Posix) {
        script.bytes = text.toUtf8();
        return script;
    }
    // cmd reads the batch file in the system code page: every name must fit it.
    script.bytes = text.toLocal8Bit();
    if (QString::fromLocal8Bit(script.bytes) != text) {
        script.bytes.clear();
        script.problem = tr("a name holds characters that the command shell's code page cannot hold");
    }
    return script;
}
