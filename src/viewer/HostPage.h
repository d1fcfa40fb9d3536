#pragma once

#include "AppletPage.h"

#include <QByteArray>
#include <QString>

// The page through which the applet viewer (or a browser) runs an applet: eight
// lines, each ending in LF, naming the class by the code value, unquoted. With
// the author's own element (see authorsApplet), the applet line also carries its
// width and height, and its parameters stand between the applet tags.
QByteArray hostPageText(const QString &codeValue, const AppletTag *authors = nullptr);

// The applet element the viewer runs for that page: the page's, with the author's
// archive and other attributes, which the page leaves out.
AppletTag hostPageApplet(const QString &codeValue, const AppletTag *authors = nullptr);

// Writes the host page to targetPath, replacing any file there. Empty text on
// success, otherwise the reason.
QString WriteHostPage(const QString &codeValue, const QString &targetPath,
                      const AppletTag *authors = nullptr);
