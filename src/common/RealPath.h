#pragma once

#include <QString>

// Whether the file at path lies inside folder once the links of both are resolved:
// a link (or a link's folder) leading out of the folder leads out. A path that does
// not exist lies nowhere.
bool liesInside(const QString &path, const QString &folder);

// The folder with its links resolved, ending in "/"; empty when it does not exist.
QString realFolder(const QString &folder);
// As liesInside, against a folder given by realFolder.
bool liesInsideReal(const QString &path, const QString &realFolder);
