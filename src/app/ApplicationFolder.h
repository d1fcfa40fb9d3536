#pragma once

#include <QString>

// Where Zarn keeps "Options.dat" and temp/. Beside the executable when they are
// there (a build tree or a copied folder) and it may be written; otherwise a
// per-user folder, made on first start from the installed copies of the marker
// files and "Options.dat". Files already in the per-user folder are kept.
QString chooseApplicationFolder(const QString &executableFolder, const QString &installedCopies,
                                const QString &userFolder);

// The choice for this process: the installed copies lie in the data folder of the
// installation, the per-user folder is the application data location.
QString applicationFolder();
