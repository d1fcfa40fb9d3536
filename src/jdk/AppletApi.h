#pragma once

#include <QString>
#include <QStringList>

// Zarn's own Applet API (java.applet and javax.swing.JApplet), for JDKs that no
// longer have the platform's, as from JDK 26 on. Whether a JDK has it is what the
// JDK itself says, by a probe run once per JDK, never guessed from its version or
// its folder's name.

// The jar of Zarn's Applet API, and of the probe: beside the executable (a build
// tree), else in the installation's data folder.
QString appletApiJar();

// Whether the JDK of program (its javac or java, by full path) has the Applet API:
// the probe's answer, kept in cacheFolder (none when empty) per JDK and its image,
// so that a JDK replaced in place is asked again. A JDK that cannot be asked (no
// java beside program, no probe) counts as having it: nothing changes for it.
bool jdkHasAppletApi(const QString &program, const QString &cacheFolder);

// The options, for javac and java alike, that add Zarn's API to the java.desktop
// module of the JDK of program; none when that JDK has the API of its own.
QStringList appletApiOptions(const QString &program, const QString &cacheFolder);
