// Runs every benchmark and prints one table: figure, Zarn, baseline, ratio, target.
#include "BenchTable.h"
#include "Suites.h"
#include "XvfbDisplay.h"

#include <QApplication>

#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    // Everything runs on a private X server, as on a user's X11 desktop; the
    // programs the suites start inherit it.
    XvfbDisplay xvfb;
    if (xvfb.display().isEmpty())
        qFatal("Xvfb could not be started");
    qputenv("DISPLAY", xvfb.display());
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    // Suites by name, in the order they run; naming some on the command line runs only those.
    const std::vector<std::pair<QString, void (*)(BenchTable &)>> suites = {
        {QStringLiteral("startup"), benchStartup},      {QStringLiteral("documents"), benchDocuments},
        {QStringLiteral("publish"), benchPublish},      {QStringLiteral("typing"), benchTyping},
        {QStringLiteral("compile"), benchCompile},      {QStringLiteral("viewer"), benchViewer},
        {QStringLiteral("program"), benchWholeProgram},
    };
    const QStringList chosen = QCoreApplication::arguments().mid(1);
    BenchTable table;
    for (const auto &[name, run] : suites)
        if (chosen.isEmpty() || chosen.contains(name))
            run(table);
    table.print(stdout);
    return table.allHold() ? 0 : 1;
}
