#pragma once

#include <QString>

// The installation's data folder (share/zarn beside bin/), found from the
// executable's folder: the applet host and the copies a new application folder is
// made from lie there.
QString installedDataFolder();
