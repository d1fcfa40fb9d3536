// Zarn's start-up as main() does it, with the application folder given by the driver.
#include "FirstPaintProbe.h"
#include "StartUp.h"
#include "Zarn.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    EarlyStartUp startUp;
    QApplication app(argc, argv);
    startUp.finish();
    auto *window = new Zarn(QString::fromLocal8Bit(argv[2]));
    FirstPaintProbe probe(window, QByteArray(argv[1]).toLongLong());
    window->show();
    return QApplication::exec();
}
