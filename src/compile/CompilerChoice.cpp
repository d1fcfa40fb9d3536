#include "CompilerChoice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString noCompilerAt(const QString &configured)
{
    return QCoreApplication::translate("CompilerChoice",
                                       "no Java compiler at '%1'. Choose one in View > Options.")
        .arg(QDir::toNativeSeparators(configured));
}

bool isBareName(const QString &path)
{
    return !path.contains(QLatin1Char('/')) && !path.contains(QDir::separator());
}

} // namespace

CompilerChoice chooseCompiler(const QString &configured, const QString &appFolder,
                              const QProcessEnvironment &environment, const QString &jvmFolder)
{
    if (!configured.isEmpty()) {
        const QString named = isBareName(configured)
                                  ? findOnPath(configured, environment)
                                  : QDir::cleanPath(QDir(appFolder).absoluteFilePath(configured));
        if (isExecutableFile(named))
            return {named, {}};
        if (QFileInfo(named).isFile())
            return {{}, noCompilerAt(configured)};
    }
    const QString found = findJdkProgram(QStringLiteral("javac"), environment, jvmFolder);
    if (found.isEmpty())
        return {{}, noCompilerAt(configured)};
    return {found, {}};
}
