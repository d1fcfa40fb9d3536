#pragma once

#include <QList>
#include <QString>

#include <optional>

struct AppletParameter
{
    QString name;
    QString value;
};

// The applet element of a page, with its attribute values as the page gives them
// (entities decoded).
struct AppletTag
{
    QString code;
    QString codebase;
    QString archive;
    QString width;
    QString height;
    QList<AppletParameter> parameters;
    // Every attribute of the element, names in lower case, in name order: applets
    // read them through getParameter as browsers answered it.
    QList<AppletParameter> attributes;
};

// The first <applet> of an HTML page, read tolerantly: tag and attribute names in
// any case, values quoted or not, across line breaks, <param name value> children
// up to </applet>. Comments, script and style text, and escaped text that only
// looks like a tag (&lt;applet&gt;) are not elements.
std::optional<AppletTag> findApplet(const QString &html);
// Every <applet> of the page, in order.
QList<AppletTag> findApplets(const QString &html);
