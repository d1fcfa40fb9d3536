// The baseline: a bare Qt editor window (see bareEditorWindow).
#include "BareEditorWindow.h"
#include "FirstPaintProbe.h"

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const std::unique_ptr<QMainWindow> window(bareEditorWindow());
    FirstPaintProbe probe(window.get(), QByteArray(argv[1]).toLongLong());
    window->show();
    return QApplication::exec();
}
