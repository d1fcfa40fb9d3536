#pragma once

#include <QList>
#include <QString>

// One message of the compiler about a place in a source file.
struct Diagnostic
{
    enum class Kind { Error, Warning, Note };

    QString file;   // empty for notes about the whole compile
    int line = 0;   // 1-based; 0 when there is no place
    int column = 0; // 1-based; 0 when the compiler gave none
    Kind kind = Kind::Error;
    QString message;
};

// The diagnostics in javac's output: "FILE:LINE: KIND: MESSAGE", then the source
// line and a caret line giving the column, then indented details. "error: ..." and
// "warning: ..." lines without a place concern the whole compile; "Note: ..." lines
// are notes. The -verbose lines ("[parsing started ...]") and the closing counts
// ("2 errors") are none.
QList<Diagnostic> parseCompilerOutput(const QString &output);

// javac's notice that the platform's Applet API is deprecated for removal
// ("[removal] Applet in java.applet has been deprecated and marked for removal"):
// every applet gets it, and its author can do nothing about it.
bool isAppletApiRemovalNotice(const Diagnostic &diagnostic);

// A diagnostic's message with javac's detail lines in one line, for the status bar:
// "cannot find symbol: class Square (location: class Shapes)".
QString oneLineMessage(const QString &message);

// The output without javac's -verbose lines, as a user wants to read it.
QString withoutVerboseLines(const QString &output);
