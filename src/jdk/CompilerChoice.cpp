#include "CompilerChoice.h"

#include "LogCategories.h"

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
    return !path.contains(QLatin1Char('/'));
}

} // namespace

CompilerChoice chooseCompiler(const QString &configured, const QString &appFolder,
                              const QProcessEnvironment &environment, const QString &jvmFolder)
{
    if (!configured.isEmpty()) {
        QString named = isBareName(configured)
                            ? findOnPath(configured, environment)
                            : QDir::cleanPath(QDir(appFolder).absoluteFilePath(configured));
        if (QFileInfo(named).isDir())
            named = QDir(named).filePath(QStringLiteral("bin/javac"));
        if (isExecutableFile(named))
            return {named, {}};
        if (QFileInfo(named).isFile()) {
            qCInfo(logJdk) << "the configured compiler" << named << "may not be run";
            return {{}, noCompilerAt(configured)};
        }
        qCInfo(logJdk) << "the configured compiler" << configured << "names nothing that exists";
    } else {
        qCInfo(logJdk) << "the settings name no compiler";
    }
    const QString found = findJdkProgram(QStringLiteral("javac"), environment, jvmFolder);
    if (found.isEmpty())
        return {{}, noCompilerAt(configured)};
    qCInfo(logJdk) << "compiling with" << found << "instead; the settings stay as they are";
    return {found, {}, true};
}
