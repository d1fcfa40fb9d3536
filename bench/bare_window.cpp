// The baseline of the whole-program figures: a bare Qt editor window (see
// bareEditorWindow), given a file, holding it in its edit. It runs until its
// standard input closes.
#include "BareEditorWindow.h"

#include <QFile>
#include <QSocketNotifier>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const std::unique_ptr<QMainWindow> window(bareEditorWindow());
    if (argc > 1) {
        QFile file(QString::fromLocal8Bit(argv[1]));
        if (file.open(QIODevice::ReadOnly))
            static_cast<QPlainTextEdit *>(window->centralWidget())
                ->setPlainText(QString::fromUtf8(file.readAll()));
    }
    window->show();
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
