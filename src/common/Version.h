#pragma once

#include <QString>

// Zarn's version as the build gives it: "0.0.1".
QString zarnVersion();

// The version as the main window's caption shows it: "V0.01" for 0.0.1, the minor
// and patch numbers run together.
QString zarnCaptionVersion();
