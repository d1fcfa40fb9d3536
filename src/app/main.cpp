#include "Zarn.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    auto *window = new Zarn(QCoreApplication::applicationDirPath());
    window->show();
    return QApplication::exec();
}
