#pragma once

#include <QString>

class CompileDriver;

// Why the last compile of driver gave no class to run or publish: the reason it
// could not run, the compiler's first error ("Clock.java:3: ';' expected"), the
// first thing it said, or that classFile is missing. Empty when the compile ran,
// the compiler reported no error and classFile is there.
QString compileFailure(const CompileDriver &driver, const QString &classFile);

// Why a compile that ran and reported no error still gave no classFile (javac
// killed, a compiler that ends at once, /bin/true): the first thing the compiler
// said, or that it made no class file. Empty when classFile is there or the
// compiler reported an error, which the error summary shows.
QString silentFailure(const CompileDriver &driver, const QString &classFile);
