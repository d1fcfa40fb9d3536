#pragma once

#include <QString>

// The installation's data folder (share/zarn beside bin/), found from the
// executable's folder: the applet host and the copies a new application folder is
// made from lie there.
QString installedDataFolder();

// A file Zarn ships (its jars): beside the executable (a build tree, or a copied
// folder), else in the installation's data folder.
QString shippedFile(const QString &name);

// A helper program Zarn ships (the warm compiler's client): beside the executable,
// else in the installation's libexec/zarn.
QString shippedProgram(const QString &name);
