// Runs every benchmark and prints one table: figure, Zarn, baseline, ratio, target.
#include "BenchTable.h"
#include "Suites.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // The suites that run in this process need no display; those that start
    // programs give them an X server of their own.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchTable table;
    benchStartup(table);
    benchDocuments(table);
    benchTyping(table);
    benchCompile(table);
    table.print(stdout);
    return table.allHold() ? 0 : 1;
}
