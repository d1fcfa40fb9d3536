// Another Zarn in the same application folder, as a separate process:
//   lock_holder LOCKFILE - holds the compile lock as another Zarn's compile would:
//                          prints "locked" once it has it, and gives it up when its
//                          standard input closes;
//   lock_holder compile APPFOLDER COMPILER SOURCE - compiles as that Zarn would.
#include "CompileDriver.h"
#include "CompileFeedback.h"
#include "CompileJob.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

class SilentFeedback : public CompileFeedback
{
public:
    void started() override { }
    void finished() override { }
    void failed(const QString &) override { }
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 5 && arguments.at(1) == QLatin1String("compile")) {
        CompileDriver driver(arguments.at(2));
        SilentFeedback feedback;
        CompileJob *job = driver.CompileToFolder({describeJdk(arguments.at(3), arguments.at(2)),
                                                  QDir(arguments.at(2)).filePath(QStringLiteral("temp")),
                                                  arguments.at(4)},
                                                 feedback);
        QObject::connect(job, &CompileJob::finished, &app,
                         [](const CompileResult &result) { QCoreApplication::exit(result.ran() ? 0 : 1); });
        return QCoreApplication::exec();
    }
    QLockFile lock(arguments.value(1));
    if (!lock.lock())
        return 1;
    std::puts("locked");
    std::fflush(stdout);
    for (std::string line; std::getline(std::cin, line);) { }
    return 0;
}
