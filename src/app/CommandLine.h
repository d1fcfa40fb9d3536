#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What Zarn's command line asks for: a file to open, or an answer that ends the
// program (help, the version, a usage error).
struct CommandLine
{
    QString file;                // empty when none was given
    std::optional<int> exitCode; // set when the program has answered and must end
};

// True when the arguments ask for help or the version, which are answered without
// a display.
bool asksForAnswerOnly(const QStringList &arguments);

// Reads the arguments that Qt has left; prints help and the version to standard
// output, a usage error to standard error (exit code 2).
CommandLine readCommandLine(const QStringList &arguments);
