#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct Jdk;

// Zarn's own Applet API (java.applet and javax.swing.JApplet), for JDKs that no
// longer have the platform's, as from JDK 26 on. Whether a JDK has it is what the
// JDK itself says, by a probe run once per JDK (see JdkFinder), never guessed from
// its version or its folder's name.

// The jar of Zarn's Applet API, and of the probe: beside the executable (a build
// tree), else in the installation's data folder.
QString appletApiJar();

// What the JDK at home said of the Applet API, kept in memory and in cacheFolder
// (none when empty) per JDK and its image, so that a JDK replaced in place is asked
// again: nothing when it must be asked. A JDK that cannot be asked (no java, no
// probe) counts as having it: nothing changes for it.
std::optional<bool> knownAppletApi(const QString &home, const QString &cacheFolder);
// Keeps the probe's answer for the JDK at home.
void keepAppletApiAnswer(const QString &home, const QString &cacheFolder, bool has);
// The probe's arguments for the JDK's java: it exits with 1 when the API is missing.
QStringList appletApiProbeArguments();

// The options, for javac and java alike, that add Zarn's API to the java.desktop
// module of jdk; none when it has the API of its own.
QStringList appletApiOptions(const Jdk &jdk);
