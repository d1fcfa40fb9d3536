// The baseline of the whole-program figures: a bare Qt program that shows one
// empty widget or, given a file, a plain text edit holding it. It runs until
// its standard input closes.
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QSocketNotifier>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    if (argc > 1) {
        auto *edit = new QPlainTextEdit;
        QFile file(QString::fromLocal8Bit(argv[1]));
        if (file.open(QIODevice::ReadOnly))
            edit->setPlainText(QString::fromUtf8(file.readAll()));
        window.reset(edit);
        window->resize(496, 423);
    } else {
        window = std::make_unique<QWidget>();
    }
    window->show();
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
