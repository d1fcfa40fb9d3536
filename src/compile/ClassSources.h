#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Finding the source of a class that a Java text names, as javac would: the text
// itself, its folder (its package), its imports below the package root, the root
// itself. Only sources are looked for; a class of the JDK or of an archive has none
// here.
struct ClassSource
{
    QString path; // the source file; the document's own when the text declares it
    int line = 1; // the line of its declaration, from 1
};

// The line (from 1) where text declares the class, interface, enum or record
// simpleName; nothing when it does not.
std::optional<int> declarationLine(const QString &text, const QString &simpleName);

// The name at column (from 0) of line, with the qualifiers written before it:
// "java.awt.Color" on Color, "java.awt" on awt; empty off a name.
QString dottedNameAt(const QString &line, int column);

// The source of the class name (simple, or qualified as "a.b.Name") as the text of
// the document at documentPath names it; documentPath may be empty for a document
// without a file, which then finds only what the text declares.
std::optional<ClassSource> findClassSource(const QString &name, const QString &documentPath,
                                           const QString &text);

// Whether the class the text declares at its top (simpleName) is an applet as far
// as the sources tell: it extends Applet or JApplet, or a class whose source does,
// followed through the sources findClassSource finds. A superclass without a source
// here (an archive's) may be an applet: true. A class that extends nothing, or a
// class of the JDK other than those two, is not.
bool mayBeApplet(const QString &simpleName, const QString &documentPath, const QString &text);
// The same for the source file at path, as it is on disk.
bool fileMayBeApplet(const QString &path, const QString &simpleName);
