#include "AppletLaunch.h"

#include "InstallLayout.h"
#include "Jdk.h"
#include "LogCategories.h"
#include "ManagedProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <memory>

namespace {

// A folder, given as a URL or a path relative to the page at base (its own folder
// when empty), as a URL ending in "/".
QUrl folderUrl(const QString &location, const QUrl &base)
{
    QUrl url = base.resolved(QUrl(location.isEmpty() ? QStringLiteral(".") : location));
    if (!url.path().endsWith(QLatin1Char('/')))
        url.setPath(url.path() + QLatin1Char('/'));
    return url;
}

// The jars of an archive attribute ("game.jar, lib/sound.jar"), relative to the code base.
QList<QUrl> archiveUrls(const QString &archive, const QUrl &codeBase)
{
    QList<QUrl> urls;
    for (const QString &name : archive.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!name.trimmed().isEmpty())
            urls.append(codeBase.resolved(QUrl(name.trimmed())));
    return urls;
}

int lengthInPixels(const AppletLength &length, int area)
{
    return std::max(1, length.percent ? area * length.value / 100 : length.value);
}

} // namespace

AppletLength parseAppletLength(const QString &text)
{
    QString digits = text.trimmed().toLower();
    AppletLength length;
    length.percent = digits.endsWith(QLatin1Char('%'));
    if (length.percent)
        digits.chop(1);
    else if (digits.endsWith(QLatin1String("px")))
        digits.chop(2);
    bool ok = false;
    const int value = digits.trimmed().toInt(&ok);
    if (!ok || value <= 0)
        return {};
    length.value = length.percent ? std::min(value, 100) : std::min(value, 16384);
    return length;
}

QString appletClassName(const QString &code)
{
    QString name = code.trimmed();
    for (const QLatin1String suffix : {QLatin1String(".class"), QLatin1String(".java")})
        if (name.endsWith(suffix, Qt::CaseInsensitive))
            name.chop(suffix.size());
    name.replace(QLatin1Char('/'), QLatin1Char('.'));
    name.replace(QLatin1Char('\\'), QLatin1Char('.'));
    return name;
}

AppletLaunch resolveApplet(const AppletTag &tag, const QString &pagePath)
{
    AppletLaunch launch;
    launch.documentBase = QUrl::fromLocalFile(QFileInfo(pagePath).absoluteFilePath());
    launch.codeBase = folderUrl(tag.codebase, launch.documentBase);
    launch.className = appletClassName(tag.code);
    launch.code = tag.code;
    launch.archives = archiveUrls(tag.archive, launch.codeBase);
    launch.width = parseAppletLength(tag.width);
    launch.height = parseAppletLength(tag.height);
    launch.parameters = tag.parameters;
    launch.attributes = tag.attributes;
    return launch;
}

AppletLaunch resolveCompiledApplet(const AppletTag &tag, const QString &pagePath, const AppletPlaces &places)
{
    AppletLaunch launch = resolveApplet(tag, pagePath);
    launch.classFolders = {launch.codeBase};
    const QString root = QDir(places.packageRoot).absolutePath();
    launch.packageRoot = folderUrl(QString(), QUrl::fromLocalFile(root + QLatin1Char('/')));
    launch.sourceFolder = root;
    launch.waitForLoad = true;
    if (places.page.isEmpty()) {
        launch.documentBase = launch.packageRoot;
        launch.codeBase = launch.packageRoot;
        launch.archives = archiveUrls(tag.archive, launch.codeBase);
        return launch;
    }
    launch.documentBase = QUrl::fromLocalFile(QFileInfo(places.page).absoluteFilePath());
    // A code base that is not there (a build's output folder) is the package root.
    launch.codeBase = folderUrl(places.codeBase, launch.documentBase);
    if (!launch.codeBase.isLocalFile() || !QFileInfo(launch.codeBase.toLocalFile()).isDir())
        launch.codeBase = launch.packageRoot;
    launch.archives = archiveUrls(tag.archive, launch.codeBase);
    return launch;
}

QString AppletLaunch::workingFolder() const
{
    if (!documentBase.isLocalFile())
        return {};
    const QString path = documentBase.toLocalFile();
    return path.endsWith(QLatin1Char('/')) ? path : QFileInfo(path).absolutePath();
}

QSize appletSize(const AppletLaunch &launch, const QSize &area)
{
    return {lengthInPixels(launch.width, area.width()), lengthInPixels(launch.height, area.height())};
}

QString appletHostJar()
{
    return shippedFile(QStringLiteral("zarn-applethost.jar"));
}

QStringList appletHostArguments(const QString &jar, const AppletLaunch &launch, const QSize &size,
                                quint64 embedWindow, const QStringList &jvmOptions)
{
    return appletHostProgram(jar, jvmOptions) + appletLaunchArguments(launch, size, embedWindow);
}

QStringList appletHostProgram(const QString &jar, const QStringList &jvmOptions)
{
    // XEmbeddedFrame, which puts the applet inside Zarn's window, is internal to the JDK.
    return jvmOptions
           + QStringList{QStringLiteral("--add-exports"),
                         QStringLiteral("java.desktop/sun.awt.X11=ALL-UNNAMED"),
                         QStringLiteral("-cp"),
                         jar,
                         QStringLiteral("zarn.applethost.AppletHost"),
                         QStringLiteral("--grace"),
                         QString::number(ManagedProcess::StopGraceMs)};
}

QStringList appletLaunchArguments(const AppletLaunch &launch, const QSize &size, quint64 embedWindow)
{
    QStringList arguments = {
        QStringLiteral("--class"),    launch.className,
        QStringLiteral("--codebase"), launch.codeBase.toString(QUrl::FullyEncoded),
        QStringLiteral("--document"), launch.documentBase.toString(QUrl::FullyEncoded),
        QStringLiteral("--width"),    QString::number(size.width()),
        QStringLiteral("--height"),   QString::number(size.height()),
    };
    for (const QUrl &folder : launch.classFolders)
        arguments << QStringLiteral("--classes") << folder.toString(QUrl::FullyEncoded);
    if (!launch.packageRoot.isEmpty() && launch.packageRoot != launch.codeBase)
        arguments << QStringLiteral("--root") << launch.packageRoot.toString(QUrl::FullyEncoded);
    if (!launch.sourceFolder.isEmpty())
        arguments << QStringLiteral("--sources") << launch.sourceFolder;
    if (launch.waitForLoad)
        arguments << QStringLiteral("--wait");
    for (const QUrl &archive : launch.archives)
        arguments << QStringLiteral("--archive") << archive.toString(QUrl::FullyEncoded);
    arguments << QStringLiteral("--params") << QString::number(appletParameters(launch, size).size());
    if (embedWindow != 0)
        arguments << QStringLiteral("--embed") << QString::number(embedWindow);
    return arguments;
}

QList<AppletParameter> appletParameters(const AppletLaunch &launch, const QSize &size)
{
    QList<AppletParameter> answers = launch.parameters;
    QSet<QString> named;
    for (const AppletParameter &parameter : launch.parameters)
        named.insert(parameter.name.toLower());
    const auto add = [&answers, &named](const QString &name, const QString &value) {
        if (!named.contains(name)) {
            named.insert(name);
            answers.append({name, value});
        }
    };
    add(QStringLiteral("width"), QString::number(size.width()));
    add(QStringLiteral("height"), QString::number(size.height()));
    for (const AppletParameter &attribute : launch.attributes)
        add(attribute.name.toLower(), attribute.value);
    if (!launch.code.isEmpty())
        add(QStringLiteral("code"), launch.code);
    return answers;
}

QByteArray appletHostParameters(const AppletLaunch &launch, const QSize &size)
{
    QByteArray lines;
    for (const AppletParameter &parameter : appletParameters(launch, size))
        lines += "param " + parameter.name.toUtf8().toPercentEncoding() + ' '
                 + parameter.value.toUtf8().toPercentEncoding() + '\n';
    return lines;
}

JvmArchive appletHostArchive(const Jdk &jdk, const QString &folder)
{
    return JvmArchive(jdk, folder, QStringLiteral("applethost"));
}

void makeAppletHostArchive(const Jdk &jdk, const QString &folder)
{
    static bool making = false;
    const JvmArchive archive = appletHostArchive(jdk, folder);
    // A JVM with Zarn's Applet API patched in cannot write an archive.
    if (making || !archive.applies() || archive.isWhole() || !jdk.hasAppletApi)
        return;
    making = true;
    // Its own: it ends by itself, and outlives the viewer that asked for it.
    auto *run = new ManagedProcess(QStringLiteral("the run that makes the applet host's archive"),
                                   QCoreApplication::instance());
    QObject::connect(run, &ManagedProcess::ended, run, [run, archive](const ManagedProcess::Exit &exit) {
        if (exit.startError.isEmpty() && !exit.crashed && exit.code == 0)
            archive.adopt();
        making = false;
        run->deleteLater();
    });
    ManagedProcess::Setup setup;
    setup.output = ManagedProcess::Output::Discarded;
    run->start(jdk.java, appletHostArchiveRunArguments(archive), setup);
}

QStringList appletHostArchiveRunArguments(const JvmArchive &archive)
{
    return archive.options()
           + QStringList{QStringLiteral("--add-exports"),
                         QStringLiteral("java.desktop/sun.awt.X11=ALL-UNNAMED"),
                         QStringLiteral("-cp"),
                         appletHostJar(),
                         QStringLiteral("zarn.applethost.AppletHost"),
                         QStringLiteral("--warm-up")};
}
