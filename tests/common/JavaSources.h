#pragma once

#include <QByteArray>
#include <QStandardPaths>
#include <QString>

// The JDK compiler the tests run, as the build found it.
inline QString javacPath()
{
    return QStandardPaths::findExecutable(QStringLiteral("javac"));
}

// A small applet that compiles to Hello.class.
inline QByteArray helloApplet()
{
    return "import java.applet.Applet;\n"
           "import java.awt.Graphics;\n"
           "public class Hello extends Applet {\n"
           "    public void paint(Graphics g) { g.drawString(\"Hello\", 20, 20); }\n"
           "}\n";
}

// A class that any file name may hold (it is not public).
inline QByteArray anyNameClass()
{
    return "class Hello { }\n";
}
