#pragma once

#include "AppletPage.h"

#include <QString>

#include <optional>

// The applet element that the author of the applet whose source is at sourcePath
// published with it: first one inside a comment of the source itself (the old
// convention of the JDK's applet tool), else one in an .html or .htm page in the
// source's folder, the page named after the class first, then the others in name
// order. Only an element whose code names the source's class counts.
std::optional<AppletTag> authorsApplet(const QString &sourcePath);

// The text of the comments of a Java source, one comment after another; the
// leading "*" of a block comment's lines is left out.
QString javaComments(const QString &source);
