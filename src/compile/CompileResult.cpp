#include "CompileResult.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// The compiler's first error, as "Clock.java:3: ';' expected"; empty when none.
QString firstError(const CompileResult &result)
{
    for (const Diagnostic &diagnostic : result.diagnostics) {
        if (diagnostic.kind != Diagnostic::Kind::Error)
            continue;
        if (diagnostic.file.isEmpty())
            return diagnostic.message;
        return QStringLiteral("%1:%2: %3")
            .arg(QFileInfo(diagnostic.file).fileName())
            .arg(diagnostic.line)
            .arg(diagnostic.message);
    }
    return {};
}

QString missingClass(const CompileResult &result, const QString &classFile)
{
    if (QFileInfo::exists(classFile))
        return {};
    // What a compiler that died said ("Killed"); a warning is no reason.
    const QString said = withoutVerboseLines(result.output).trimmed().section(QLatin1Char('\n'), 0, 0);
    if (!said.isEmpty() && result.diagnostics.isEmpty())
        return said;
    return QCoreApplication::translate("CompileResult", "the compiler made no %1")
        .arg(QFileInfo(classFile).fileName());
}

} // namespace

QString compileFailure(const CompileResult &result, const QString &classFile)
{
    if (!result.ran())
        return result.problem;
    const QString error = firstError(result);
    return error.isEmpty() ? missingClass(result, classFile) : error;
}

QString silentFailure(const CompileResult &result, const QString &classFile)
{
    return firstError(result).isEmpty() ? missingClass(result, classFile) : QString();
}
