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
// (asked for as "shade") and the resource "models/shape.txt " (ending in a space)
// beside its code base reads "cube"; red otherwise. It also reads the resource
// "models/line\nbreak".
inline QByteArray pageAwareApplet()
{
    return "package pkg;\n"
           "import java.applet.Applet;\n"
           "import java.awt.*;\n"
           "import java.io.*;\n"
           "public class Aware extends Applet {\n"
           "    private boolean ok;\n"
           "    public void init() {\n"
           "        try (InputStream in = getClass().getResourceAsStream(\"/models/shape.txt \");\n"
           "             InputStream other = getClass().getResourceAsStream(\"/models/line\\nbreak\")) {\n"
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

// An applet that calls every public method of the Applet API's five types
// (Applet, AppletStub, AppletContext, AudioClip, JApplet) and implements the
// interfaces, so that it compiles only against an API with their signatures; and
// one warning of its own, on the line that says so.
inline QByteArray appletApiInFull()
{
    return "import java.applet.*;\nimport java.awt.*;\nimport java.io.*;\nimport java.net.URL;\n"
           "import java.util.*;\nimport javax.swing.*;\n"
           "public class Everything extends JApplet {\n"
           "    static void applet(Applet a, AppletStub stub, URL u) {\n"
           "        a.setStub(stub);\n"
           "        boolean b = a.isActive() && a.isValidateRoot();\n"
           "        URL d = a.getDocumentBase(), c = a.getCodeBase();\n"
           "        String p = a.getParameter(\"x\"), info = a.getAppletInfo();\n"
           "        String[][] parameters = a.getParameterInfo();\n"
           "        AppletContext context = a.getAppletContext();\n"
           "        a.resize(10, 10);\n"
           "        a.resize(new Dimension(10, 10));\n"
           "        a.showStatus(\"s\");\n"
           "        Image i = a.getImage(u), j = a.getImage(u, \"x.png\");\n"
           "        AudioClip clip = Applet.newAudioClip(u), k = a.getAudioClip(u), l = a.getAudioClip(u, "
           "\"x\");\n"
           "        Locale locale = a.getLocale();\n"
           "        a.play(u);\n"
           "        a.play(u, \"x.au\");\n"
           "        a.init();\n        a.start();\n        a.stop();\n        a.destroy();\n"
           "        javax.accessibility.AccessibleContext accessible = a.getAccessibleContext();\n"
           "        clip.play();\n        clip.loop();\n        clip.stop();\n"
           "    }\n"
           "    static AppletStub stub(AppletContext context) {\n"
           "        return new AppletStub() {\n"
           "            @Override public boolean isActive() { return true; }\n"
           "            @Override public URL getDocumentBase() { return null; }\n"
           "            @Override public URL getCodeBase() { return null; }\n"
           "            @Override public String getParameter(String name) { return null; }\n"
           "            @Override public AppletContext getAppletContext() { return context; }\n"
           "            @Override public void appletResize(int width, int height) { }\n"
           "        };\n"
           "    }\n"
           "    static AppletContext context() {\n"
           "        return new AppletContext() {\n"
           "            @Override public AudioClip getAudioClip(URL url) { return null; }\n"
           "            @Override public Image getImage(URL url) { return null; }\n"
           "            @Override public Applet getApplet(String name) { return null; }\n"
           "            @Override public Enumeration<Applet> getApplets() { return null; }\n"
           "            @Override public void showDocument(URL url) { }\n"
           "            @Override public void showDocument(URL url, String target) { }\n"
           "            @Override public void showStatus(String status) { }\n"
           "            @Override public void setStream(String key, InputStream stream) throws IOException { "
           "}\n"
           "            @Override public InputStream getStream(String key) { return null; }\n"
           "            @Override public Iterator<String> getStreamKeys() { return null; }\n"
           "        };\n"
           "    }\n"
           "    void swing() {\n"
           "        JRootPane root = getRootPane();\n"
           "        setRootPane(createRootPane());\n"
           "        setTransferHandler(getTransferHandler());\n"
           "        update(getGraphics());\n"
           "        setJMenuBar(getJMenuBar());\n"
           "        setRootPaneCheckingEnabled(!isRootPaneCheckingEnabled());\n"
           "        addImpl(new JLabel(), null, -1);\n"
           "        remove(new JLabel());\n"
           "        setLayout(new BorderLayout());\n"
           "        setContentPane(getContentPane());\n"
           "        setLayeredPane(getLayeredPane());\n"
           "        setGlassPane(getGlassPane());\n"
           "        repaint(1, 0, 0, 1, 1);\n"
           "        String state = paramString();\n"
           "        javax.accessibility.AccessibleContext accessible = getAccessibleContext();\n"
           "    }\n"
           "    void warn() {\n"
           "        Object manager = System.getSecurityManager(); // the author's own warning\n"
           "    }\n"
           "}\n";
}
