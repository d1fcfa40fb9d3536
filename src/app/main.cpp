#include "StartUp.h"
#include "Zarn.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    EarlyStartUp startUp;
    QApplication app(argc, argv);
    startUp.finish();
    auto *window = new Zarn(QCoreApplication::applicationDirPath());
    window->show();
    return QApplication::exec();
}
