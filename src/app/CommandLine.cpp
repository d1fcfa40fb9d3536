#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("CommandLine", text);
}

const QCommandLineOption &helpOption()
{
    static const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                         tr("Shows this help and ends."));
    return help;
}

const QCommandLineOption &versionOption()
{
    static const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                            tr("Shows the version and ends."));
    return version;
}

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

bool asksForAnswerOnly(const QStringList &arguments)
{
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        for (const QCommandLineOption *option : {&helpOption(), &versionOption()})
            for (const QString &name : option->names())
                if (argument == (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name)
                    return true;
    }
    return false;
}

CommandLine readCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(tr("Zarn, a small editor for Java applets."));
    parser.addOption(helpOption());
    parser.addOption(versionOption());
    parser.addPositionalArgument(QStringLiteral("file"), tr("The Java or text file to open, or to start when it is not there yet."),
                                 QStringLiteral("[file]"));
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(helpOption())) {
        print(stdout, parser.helpText());
        return {{}, 0};
    }
    if (parser.isSet(versionOption())) {
        print(stdout, QCoreApplication::applicationName() + QLatin1Char(' ')
                          + QCoreApplication::applicationVersion() + QLatin1Char('\n'));
        return {{}, 0};
    }
    const QStringList files = parser.positionalArguments();
    if (!parsed || files.size() > 1) {
        const QString error = parsed ? tr("Give one file at most.") : parser.errorText();
        print(stderr, error + QStringLiteral("\n\n") + parser.helpText());
        return {{}, 2};
    }
    return {files.value(0), std::nullopt};
}
