#pragma once

#include <QStringList>

#include <optional>

// The Java packages that completion knows, each with its sub-package names in the
// order the completion list shows them. Names are compared whole and
// case-sensitively; a sub-package without a row of its own completes no further.
std::optional<QStringList> subPackagesOf(const QString &packageName);
