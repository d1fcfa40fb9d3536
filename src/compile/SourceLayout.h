#pragma once

#include <QString>

// The package a Java source declares ("a.b"), read from its first statement past
// comments; empty for the unnamed package or a declaration that names none.
QString declaredPackage(const QString &sourceText);

// Where the class of a source file lives as Java programs are organised: a source
// that declares package a.b lies in a folder a/b, below the package root, and its
// class is a.b.Name, compiled to a/b/Name.class below the destination.
struct SourceLayout
{
    QString packageName; // "a.b"; empty for the unnamed package
    QString simpleName;  // "Name", after the file
    QString root;        // the folder that holds "a/"; the source's own folder without a package
    QString problem;     // why the source cannot be compiled as it lies; empty when it can

    // "a.b.Name", or "Name" without a package.
    QString className() const;
    // "a/b/Name.class", relative to a destination.
    QString classFilePath() const;
    // The class file's path below folder.
    QString classFileIn(const QString &folder) const;
};

// The layout of the source file at sourcePath, from the package it declares and
// the folders it lies in.
SourceLayout sourceLayout(const QString &sourcePath);
// The same for a source whose text (the editor's, say) is not yet on disk.
SourceLayout sourceLayoutOf(const QString &sourcePath, const QString &text);
