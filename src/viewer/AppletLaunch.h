#pragma once

#include "AppletPage.h"
#include "JvmArchive.h"

struct Jdk;

#include <QSize>
#include <QStringList>
#include <QUrl>

// A width or height of the applet element: pixels, or a percentage of the area.
struct AppletLength
{
    int value = 100;
    bool percent = true; // no length given: the applet fills the area
};

AppletLength parseAppletLength(const QString &text);

// Where and what the applet host runs.
struct AppletLaunch
{
    QString className; // binary name, such as "Clock" or "pkg.Clock"
    QUrl codeBase;     // a folder URL, ending in "/"
    QList<QUrl> archives; // the element's archive, relative to the code base
    QString code;         // the element's code, as written
    QUrl documentBase; // the page
    AppletLength width;
    AppletLength height;
    QList<AppletParameter> parameters;
    QList<AppletParameter> attributes; // the element's, as AppletTag has them
    QList<QUrl> classFolders; // searched before the code base
    QUrl packageRoot;         // searched after the code base; empty for none
    QString sourceFolder;     // sources of classes loaded by name are compiled from here
    bool waitForLoad = false; // the host starts, then waits to be told to load

    // The applet's working folder: its document base's folder, where a relative
    // file name such as new File("data.txt") is opened.
    QString workingFolder() const;
};

// Where the files of an applet compiled from its source are.
struct AppletPlaces
{
    // The folder that holds the package's top folder (the source's own without a package).
    QString packageRoot;
    // The author's page; empty when the author's element is in the source.
    QString page;
    // The author's codebase attribute, relative to that page.
    QString codeBase;
};

// The class named by a code value: "Clock", "Clock.class" and "Clock.java" all
// mean Clock; "pkg.Clock" and "pkg/Clock.class" mean pkg.Clock.
QString appletClassName(const QString &code);

// Resolves the applet of the page at pagePath: the code base relative to the page's
// folder, the archives relative to the code base (searched before it).
AppletLaunch resolveApplet(const AppletTag &tag, const QString &pagePath);

// The applet of a host page written beside its freshly compiled classes: its
// classes come from the page's folder first. Its document base is the author's
// page, or else the package root; its code base is the author's codebase relative
// to that page when that folder exists, or else the package root, as for a page
// opened beside the sources. The author's archives, relative to that code base,
// come between the page's folder and the code base; the package root comes after
// the code base on its class path, and sources of classes loaded by name are
// compiled from it. The host waits to be told to load.
AppletLaunch resolveCompiledApplet(const AppletTag &tag, const QString &pagePath, const AppletPlaces &places);

// The applet's size in an area of the given size.
QSize appletSize(const AppletLaunch &launch, const QSize &area);

// The applet host's jar: beside the executable (a build tree, or a copied folder),
// else in the installation's data folder.
QString appletHostJar();

// The arguments that start the host on launch, embedded in the X11 window
// embedWindow when it is not 0; jvmOptions go to the JVM. The applet's parameters
// are not among them (a command line has a length limit): they follow on the
// host's input, as appletHostParameters gives them.
QStringList appletHostArguments(const QString &jar, const AppletLaunch &launch, const QSize &size,
                                quint64 embedWindow, const QStringList &jvmOptions = {});
// What the applet's getParameter answers, as browsers answered it: the <param>s
// first, then the element's own attributes that no <param> names (code, name,
// align, ...), width and height as the applet's size in pixels.
QList<AppletParameter> appletParameters(const AppletLaunch &launch, const QSize &size);
// The lines that give the host those parameters, of any length: "param", the name
// and the value, both percent-encoded UTF-8.
QByteArray appletHostParameters(const AppletLaunch &launch, const QSize &size);
// The two parts of appletHostArguments: the JVM and the host's program, which a
// host started ahead of its applet has; the applet's part, which such a host gets
// on its input ("launch", then each argument percent-encoded). The host is told the
// grace Zarn gives it to quit (ManagedProcess::StopGraceMs).
QStringList appletHostProgram(const QString &jar, const QStringList &jvmOptions);
QStringList appletLaunchArguments(const AppletLaunch &launch, const QSize &size, quint64 embedWindow);

// The host's class-data archive (see JvmArchive) for the JDK, kept in folder.
JvmArchive appletHostArchive(const Jdk &jdk, const QString &folder);

// Makes the host's archive when it is missing, by a run of the host on its own
// that loads what an applet's start loads and ends: an applet the user runs is
// never the one the archive waits for. One such run at a time, in the background;
// it is adopted only when it ended well.
void makeAppletHostArchive(const Jdk &jdk, const QString &folder);
// The arguments of that run.
QStringList appletHostArchiveRunArguments(const JvmArchive &archive);
