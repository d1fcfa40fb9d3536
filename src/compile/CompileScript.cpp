#include "CompileScript.h"

#include "AppPaths.h"

namespace {

// A relative path starting with "-" would read as an option of the compiler.
QString notAnOption(const QString &path)
{
    if (path.startsWith(QLatin1Char('-')))
        return QStringLiteral("./") + path;
    return path;
}

// The folder holding the source, where javac looks for the classes it names: the
// part before the last "/", "." for a bare name, "/." for the root folder.
QString sourceFolderOf(const QString &source)
{
    const qsizetype slash = source.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QStringLiteral(".");
    if (slash == 0)
        return QStringLiteral("/.");
    return source.left(slash);
}

} // namespace

QString quoteForShell(const QString &argument)
{
    QString quoted = argument;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QByteArray compileScript(const QString &compiler, const QString &destination, const QString &source,
                         const QStringList &compilerOptions, const QString &sourcePath,
                         const QStringList &launcher, const QStringList &sourceOptions)
{
    QStringList command;
    for (const QString &word : launcher)
        command.append(quoteForShell(word));
    command.append(quoteForShell(compiler));
    for (const QString &option : compilerOptions)
        command.append(quoteForShell(option));
    command << QStringLiteral("-verbose -d") << quoteForShell(notAnOption(destination))
            << QStringLiteral("-sourcepath")
            << quoteForShell(notAnOption(sourcePath.isEmpty() ? sourceFolderOf(source) : sourcePath));
    for (const QString &option : sourceOptions)
        command.append(quoteForShell(option));
    command << quoteForShell(notAnOption(source));
    // "command -p": the markers are copied whatever the user's PATH holds.
    const QString marker = AppPaths::markerName();
    return QStringLiteral("command -p cp %1 %2\n%3 \ncommand -p cp %4 %2")
        .arg(AppPaths::notDoneMarkerName(), marker, command.join(QLatin1Char(' ')),
             AppPaths::doneMarkerName())
        .toUtf8();
}
