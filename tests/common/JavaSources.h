#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// The JDK compiler the tests run, as the build found it.
inline QString javacPath()
{
    return QStandardPaths::findExecutable(QStringLiteral("javac"));
}

// An empty file at path that may be run, standing in for a JDK program such as
// javac or java where only its place matters; its path.
inline QString writeFakeProgram(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile program(path);
    program.open(QIODevice::WriteOnly);
    program.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    return path;
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

// An applet named className that fills its area with one colour; a mouse press
// turns it (30, 200, 40), a key (30, 40, 200).
inline QByteArray colourApplet(const QString &className, int red, int green, int blue)
{
    return QStringLiteral(
               "import java.applet.Applet;\n"
               "import java.awt.*;\n"
               "import java.awt.event.*;\n"
               "public class %1 extends Applet {\n"
               "    private Color colour = new Color(%2, %3, %4);\n"
               "    public void init() {\n"
               "        addMouseListener(new MouseAdapter() {\n"
               "            public void mousePressed(MouseEvent e) { show(new Color(30, 200, 40)); }\n"
               "        });\n"
               "        addKeyListener(new KeyAdapter() {\n"
               "            public void keyPressed(KeyEvent e) { show(new Color(30, 40, 200)); }\n"
               "        });\n"
               "    }\n"
               "    private void show(Color c) { colour = c; repaint(); }\n"
               "    public void paint(Graphics g) {\n"
               "        g.setColor(colour);\n"
               "        g.fillRect(0, 0, getWidth(), getHeight());\n"
               "    }\n"
               "}\n")
        .arg(className)
        .arg(red)
        .arg(green)
        .arg(blue)
        .toUtf8();
}

// An applet in package pkg that paints green when its parameter "Shade" is "deep"
// (asked for as "shade") and the resource models/shape.txt beside its code base
// reads "cube"; red otherwise.
inline QByteArray pageAwareApplet()
{
    return "package pkg;\n"
           "import java.applet.Applet;\n"
           "import java.awt.*;\n"
           "import java.io.*;\n"
           "public class Aware extends Applet {\n"
           "    private boolean ok;\n"
           "    public void init() {\n"
           "        try (InputStream in = getClass().getResourceAsStream(\"/models/shape.txt\")) {\n"
           "            String shape = new BufferedReader(new InputStreamReader(in)).readLine();\n"
           "            ok = \"deep\".equals(getParameter(\"shade\")) && \"cube\".equals(shape)\n"
           "                && getCodeBase().toString().endsWith(\"/classes/\");\n"
           "        } catch (Exception e) { ok = false; }\n"
           "    }\n"
           "    public void paint(Graphics g) {\n"
           "        g.setColor(ok ? new Color(0, 160, 0) : new Color(220, 0, 0));\n"
           "        g.fillRect(0, 0, getWidth(), getHeight());\n"
           "    }\n"
           "}\n";
}

// An applet whose init() throws.
inline QByteArray throwingApplet()
{
    return "import java.applet.Applet;\n"
           "public class Thrower extends Applet {\n"
           "    public void init() { throw new IllegalStateException(\"broken on purpose\"); }\n"
           "}\n";
}

// A class that any file name may hold (it is not public).
inline QByteArray anyNameClass()
{
    return "class Hello { }\n";
}
