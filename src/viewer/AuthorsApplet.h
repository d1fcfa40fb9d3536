#pragma once

#include "AppletPage.h"

#include <QString>

#include <optional>

// The applet element an author published with an applet, and where it stands.
struct AuthorsApplet
{
    AppletTag tag;
    QString page; // the page's path; empty when the element is in the source's comment
};

// The applet element that the author of the applet whose source is at sourcePath
// published with it: first one inside a comment of the source itself (the old
// convention of the JDK's applet tool), else one in an .html or .htm page in the
// source's folder, then in the package root (the folder holding the package's top
// folder); in each, the page named after the class first, then the others in name
// order. Only an element whose code names the class counts: className, its binary
// name ("a.b.Clock"), or else the source's file name without ".java".
std::optional<AuthorsApplet> authorsApplet(const QString &sourcePath, const QString &className = {},
                                           const QString &packageRoot = {});

// The text of the comments of a Java source, one comment after another; the
// leading "*" of a block comment's lines is left out.
QString javaComments(const QString &source);
