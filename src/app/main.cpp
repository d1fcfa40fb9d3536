#include "ApplicationFolder.h"
#include "CommandLine.h"
#include "ManagedProcess.h"
#include "PathBytes.h"
#include "StartUp.h"
#include "Termination.h"
#include "Version.h"
#include "WarmCompiler.h"
#include "Zarn.h"

#include <QApplication>
#include <QFile>
#include <QPointer>

namespace {

void nameTheApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("zarn"));
    QCoreApplication::setApplicationVersion(zarnVersion());
}

// The arguments with every byte kept: a file's name need not be UTF-8.
QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(pathFromBytes(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char *argv[])
{
    // Help and the version need no display, so no GUI application is made for them.
    if (asksForAnswerOnly(argumentsOf(argc, argv))) {
        const QCoreApplication app(argc, argv);
        nameTheApplication();
        return readCommandLine(QCoreApplication::arguments()).exitCode.value_or(0);
    }

    EarlyStartUp startUp;
    QApplication app(argc, argv);
    nameTheApplication();
    // Qt has taken its own options (-platform, -style, ...) out of argv by now.
    const CommandLine commandLine = readCommandLine(argumentsOf(argc, argv));
    if (commandLine.exitCode)
        return *commandLine.exitCode;
    startUp.finish();
    auto *window = new Zarn(applicationFolder());
    // Killed or hung up on: nothing Zarn started goes on running, and unsaved text
    // is kept for the next start.
    installTerminationHandlers([window = QPointer<Zarn>(window)] {
        if (window)
            window->keepUnsavedText();
        // Its warm compiler was killed with the rest, before it could remove its socket.
        if (const QString socket = WarmCompiler::ownSocket(); !socket.isEmpty())
            QFile::remove(socket);
    });
    window->show();
    // Once the window is on screen, so that a question or a file that cannot be read
    // stands over it, not where the window is yet to be placed.
    whenExposed(window, [window, file = commandLine.file] {
        window->offerRecoveredText();
        if (!file.isEmpty())
            window->openFile(file);
    });
    const int exitCode = QApplication::exec();
    // The helpers asked to stop as their windows closed get the rest of their
    // grace; no window waits for that.
    ManagedProcess::finishStopping();
    return exitCode;
}
