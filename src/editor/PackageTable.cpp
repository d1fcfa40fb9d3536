#include "PackageTable.h"

#include <array>
#include <initializer_list>

namespace {

struct Row
{
    const char *package;
    std::initializer_list<const char *> subPackages;
};

const std::array<Row, 10> Table = {{
    {"java",
     {"applet", "awt", "beans", "io", "lang", "math", "net", "rmi", "security", "sql", "text", "util"}},
    {"java.awt", {"color", "datatransfer", "dnd", "event", "font", "geom", "im", "image", "print"}},
    {"java.awt.im", {"spi"}},
    {"java.awt.image", {"renderable"}},
    {"java.beans", {"beancontext"}},
    {"java.rmi", {"activation", "dgc", "registry", "server"}},
    {"java.security", {"acl", "cert", "interfaces", "spec"}},
    {"java.lang", {"ref", "reflect"}},
    {"java.util", {"jar", "zip"}},
    {"javax", {"accessibility", "naming", "rmi", "sound", "swing", "transaction"}},
}};

} // namespace

std::optional<QStringList> subPackagesOf(const QString &packageName)
{
    for (const Row &row : Table) {
        if (packageName != QLatin1String(row.package))
            continue;
        QStringList names;
        for (const char *name : row.subPackages)
            names.append(QString::fromLatin1(name));
        return names;
    }
    return std::nullopt;
}
