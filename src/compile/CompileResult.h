#pragma once

#include "CompilerDiagnostics.h"

#include <QList>
#include <QString>

// How one compile ended, as the window and the commands take it.
struct CompileResult
{
    enum class Outcome {
        Ran,       // the script ran to its end; the compiler itself may have failed
        Failed,    // it could not start or did not end properly (problem says why)
        Cancelled, // the user ended it
    };

    Outcome outcome = Outcome::Failed;
    QString problem;
    QString output;                // what the compiler printed (also in temp/compile.log)
    QList<Diagnostic> diagnostics; // its messages in output, read once

    bool ran() const { return outcome == Outcome::Ran; }
};

// Why the compile gave no class to run or publish at classFile: the reason it could
// not run, the compiler's first error ("Clock.java:3: ';' expected"), the first
// thing it said, or that classFile is missing. Empty when the compile ran, the
// compiler reported no error and classFile is there.
QString compileFailure(const CompileResult &result, const QString &classFile);

// Why a compile that ran and reported no error still gave no classFile (javac
// killed, a compiler that ends at once, /bin/true): the first thing the compiler
// said, or that it made no class file. Empty when classFile is there or the
// compiler reported an error, which the error summary shows.
QString silentFailure(const CompileResult &result, const QString &classFile);
