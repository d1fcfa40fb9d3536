#include "CompileOutcome.h"

#include "CompileDriver.h"
#include "CompilerDiagnostics.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// The compiler's first error, as "Clock.java:3: ';' expected"; empty when none.
QString firstError(const QString &output)
{
    for (const Diagnostic &diagnostic : parseCompilerOutput(output)) {
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

QString missingClass(const QString &output, const QString &classFile)
{
    if (QFileInfo::exists(classFile))
        return {};
    // What a compiler that died said ("Killed"); a warning is no reason.
    const QString said = withoutVerboseLines(output).trimmed().section(QLatin1Char('\n'), 0, 0);
    if (!said.isEmpty() && parseCompilerOutput(output).isEmpty())
        return said;
    return QCoreApplication::translate("CompileOutcome", "the compiler made no %1")
        .arg(QFileInfo(classFile).fileName());
}

} // namespace

QString compileFailure(const CompileDriver &driver, const QString &classFile)
{
    if (!driver.lastProblem().isEmpty())
        return driver.lastProblem();
    const QString error = firstError(driver.lastOutput());
    return error.isEmpty() ? missingClass(driver.lastOutput(), classFile) : error;
}

QString silentFailure(const CompileDriver &driver, const QString &classFile)
{
    return firstError(driver.lastOutput()).isEmpty() ? missingClass(driver.lastOutput(), classFile)
                                                     : QString();
}
