#include "Jdk.h"

#include "CompilerChoice.h"
#include "JdkRelease.h"
#include "LogCategories.h"

#include <QFileInfo>

namespace {

// A HotSpot JDK 13 or later, whose JVMs can write and map dynamic class-data
// archives standing on the JDK's own archive, which a jlink'd image may lack.
bool takesArchives(const QString &javac, const QString &home, const QVersionNumber &version,
                   const QProcessEnvironment &environment)
{
    if (environment.value(QStringLiteral("ZARN_PLAIN_JVM")) == QLatin1String("1")) {
        qCInfo(logJdk) << "no class-data archives for" << javac << "(ZARN_PLAIN_JVM=1)";
        return false;
    }
    if (home.isEmpty() || version < QVersionNumber(13)) {
        qCInfo(logJdk) << "no class-data archives for" << javac << "(not a HotSpot JDK 13 or later)";
        return false;
    }
    const QString variant = jdkReleaseValue(home, QStringLiteral("JVM_VARIANT"));
    const bool hotSpot = !variant.isEmpty()
                             ? variant.compare(QLatin1String("hotspot"), Qt::CaseInsensitive) == 0
                             // Older release files name no variant: HotSpot keeps its JVM in server/.
                             : (QFileInfo::exists(home + QStringLiteral("/lib/server"))
                                || QFileInfo::exists(home + QStringLiteral("/bin/server")))
                                   && !QFileInfo::exists(home + QStringLiteral("/lib/j9vm"));
    if (!hotSpot) {
        qCInfo(logJdk) << "no class-data archives for" << javac << "(not a HotSpot JDK 13 or later)";
        return false;
    }
    if (!QFileInfo::exists(home + QStringLiteral("/lib/server/classes.jsa"))
        && !QFileInfo::exists(home + QStringLiteral("/lib/server/classes_nocoops.jsa"))) {
        qCInfo(logJdk) << "no class-data archives for" << javac << "(its JDK has no archive of its own)";
        return false;
    }
    return true;
}

} // namespace

bool Jdk::operator==(const Jdk &other) const
{
    return javac == other.javac && java == other.java && home == other.home && version == other.version
           && chosenByZarn == other.chosenByZarn && hasAppletApi == other.hasAppletApi
           && archives == other.archives && problem == other.problem;
}

Jdk jdkOfCompiler(const QString &javac, const QProcessEnvironment &environment, const QString &jvmFolder)
{
    Jdk jdk;
    jdk.javac = javac;
    jdk.java = findJava(javac, environment, jvmFolder);
    jdk.home = isExecutableFile(javac) ? jdkOf(javac) : QString();
    jdk.version = jdkVersion(jdk.home);
    jdk.archives = takesArchives(javac, jdk.home, jdk.version, environment);
    return jdk;
}

Jdk describeJdk(const QString &configured, const QString &appFolder, const QProcessEnvironment &environment,
                const QString &jvmFolder)
{
    const CompilerChoice choice = chooseCompiler(configured, appFolder, environment, jvmFolder);
    if (choice.path.isEmpty()) {
        Jdk none;
        none.java = findJava(QString(), environment, jvmFolder);
        none.problem = choice.problem;
        return none;
    }
    Jdk jdk = jdkOfCompiler(choice.path, environment, jvmFolder);
    jdk.chosenByZarn = choice.chosenByZarn;
    return jdk;
}
