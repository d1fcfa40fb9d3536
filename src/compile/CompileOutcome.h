#pragma once

#include <QString>

class CompileDriver;

// Why the last compile of driver gave no class to run or publish: the reason it
// could not run, the compiler's first error ("Clock.java:3: ';' expected"), the
// first thing it said, or that classFile is missing. Empty when the compile ran,
// the compiler reported no error and classFile is there.
QString compileFailure(const CompileDriver &driver, bool ran, const QString &classFile);
