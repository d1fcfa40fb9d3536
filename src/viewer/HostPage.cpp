#include "HostPage.h"

#include "AtomicFile.h"

namespace {

// A value inside double quotes: what could end the quotes or start markup is
// written as an entity, which every page reader decodes.
QByteArray quotedValue(const QString &value)
{
    return '"' + value.toHtmlEscaped().toUtf8() + '"';
}

QByteArray appletLine(const QString &codeValue, const AppletTag *authors)
{
    QByteArray line = QByteArrayLiteral("<applet code = ") + codeValue.toUtf8();
    if (authors && !authors->width.isEmpty())
        line += " width = " + quotedValue(authors->width);
    if (authors && !authors->height.isEmpty())
        line += " height = " + quotedValue(authors->height);
    line += ">\n";
    if (authors)
        for (const AppletParameter &parameter : authors->parameters)
            line += "<param name = " + quotedValue(parameter.name)
                    + " value = " + quotedValue(parameter.value) + ">\n";
    return line;
}

} // namespace

QByteArray hostPageText(const QString &codeValue, const AppletTag *authors)
{
    return QByteArrayLiteral("<html>\n<body>\n<div align = center>\n") + appletLine(codeValue, authors)
           + QByteArrayLiteral("</applet>\n</div>\n</body>\n</html>\n");
}

AppletTag hostPageApplet(const QString &codeValue, const AppletTag *authors)
{
    AppletTag tag;
    tag.code = codeValue;
    if (authors) {
        tag.width = authors->width;
        tag.height = authors->height;
        tag.parameters = authors->parameters;
        tag.archive = authors->archive;
        tag.attributes = authors->attributes;
    }
    return tag;
}

QString WriteHostPage(const QString &codeValue, const QString &targetPath, const AppletTag *authors)
{
    return replaceFileAtomically(targetPath, hostPageText(codeValue, authors));
}
