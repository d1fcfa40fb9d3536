// Holds a QLockFile as another Zarn's compile would: prints "locked" once it has
// the lock, and gives it up when its standard input closes.
#include <QCoreApplication>
#include <QLockFile>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QLockFile lock(QString::fromLocal8Bit(argv[1]));
    if (!lock.lock())
        return 1;
    std::puts("locked");
    std::fflush(stdout);
    for (std::string line; std::getline(std::cin, line);) { }
    return 0;
}
