#pragma once

#include <QString>

#include <optional>

// A frame of a Java stack trace that names a source file and line, such as
// "\tat pkg.Clock.paint(Clock.java:12)" or "\tat app//Clock.run(Clock.java:3)".
struct StackFrame
{
    QString className; // binary name, such as "pkg.Clock$Hand"
    QString fileName;  // "Clock.java"
    int line = 0;
    // Where "Clock.java:12" stands in the text of the trace's line.
    qsizetype placeStart = 0;
    qsizetype placeLength = 0;

    // The source file under root that the frame's class was compiled from; empty
    // for a class name no compiler gives.
    QString sourceUnder(const QString &root) const;
};

std::optional<StackFrame> parseStackFrame(const QString &text);
