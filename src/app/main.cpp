#include "ApplicationFolder.h"
#include "StartUp.h"
#include "Version.h"
#include "Zarn.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    EarlyStartUp startUp;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zarn"));
    QApplication::setApplicationVersion(zarnVersion());
    startUp.finish();
    auto *window = new Zarn(applicationFolder());
    window->show();
    return QApplication::exec();
}
