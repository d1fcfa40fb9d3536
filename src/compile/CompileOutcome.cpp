#include "CompileOutcome.h"

#include "CompileDriver.h"
#include "CompilerDiagnostics.h"

#include <QCoreApplication>
#include <QFileInfo>

QString compileFailure(const CompileDriver &driver, bool ran, const QString &classFile)
{
    if (!ran)
        return driver.lastProblem();
    const QString output = driver.lastOutput();
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
    if (QFileInfo::exists(classFile))
        return {};
    const QString said = withoutVerboseLines(output).trimmed().section(QLatin1Char('\n'), 0, 0);
    if (!said.isEmpty())
        return said;
    return QCoreApplication::translate("CompileOutcome", "the compiler made no %1")
        .arg(QFileInfo(classFile).fileName());
}
