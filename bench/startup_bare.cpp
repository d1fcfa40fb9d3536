// The baseline: a bare Qt program that shows one empty widget.
#include "FirstPaintProbe.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    FirstPaintProbe probe(&window, QByteArray(argv[1]).toLongLong());
    window.show();
    return QApplication::exec();
}
