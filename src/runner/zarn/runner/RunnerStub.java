package zarn.runner;

import java.applet.Applet;
import java.applet.AppletContext;
import java.applet.AppletStub;
import java.applet.AudioClip;
import java.awt.Desktop;
import java.awt.Image;
import java.awt.Toolkit;
import java.io.InputStream;
import java.net.URL;
import java.util.Collections;
import java.util.Enumeration;
import java.util.HashMap;
import java.util.Iterator;
import java.util.Map;
import java.util.function.Consumer;

/** The applet's view of its page (the jar) and of the window that shows it. */
@SuppressWarnings("removal")
final class RunnerStub implements AppletStub, AppletContext {
    private final RunnerApplet description;
    private final Applet applet;
    private final Consumer<String> status;
    private final Runnable resized;
    private final Map<String, InputStream> streams = new HashMap<>();

    /** status shows a text on the window's status line; resized fits the window to the applet. */
    RunnerStub(RunnerApplet description, Applet applet, Consumer<String> status, Runnable resized) {
        this.description = description;
        this.applet = applet;
        this.status = status;
        this.resized = resized;
    }

    @Override
    public boolean isActive() {
        return applet.isShowing();
    }

    @Override
    public URL getDocumentBase() {
        return description.documentBase();
    }

    @Override
    public URL getCodeBase() {
        return description.codeBase();
    }

    @Override
    public String getParameter(String name) {
        return description.parameter(name);
    }

    @Override
    public AppletContext getAppletContext() {
        return this;
    }

    @Override
    public void appletResize(int width, int height) {
        applet.setSize(width, height);
        applet.setPreferredSize(applet.getSize());
        resized.run();
    }

    @Override
    public AudioClip getAudioClip(URL url) {
        return Applet.newAudioClip(url);
    }

    @Override
    public Image getImage(URL url) {
        return Toolkit.getDefaultToolkit().getImage(url);
    }

    @Override
    public Applet getApplet(String name) {
        String own = getParameter("name");
        return own != null && own.equalsIgnoreCase(name) ? applet : null;
    }

    @Override
    public Enumeration<Applet> getApplets() {
        return Collections.enumeration(Collections.singletonList(applet));
    }

    @Override
    public void showDocument(URL url) {
        showDocument(url, "_self");
    }

    /** A web page opens in the desktop's browser, where there is one; the jar's own documents have none to open in. */
    @Override
    public void showDocument(URL url, String target) {
        String protocol = url == null ? "" : url.getProtocol();
        if (!protocol.equals("http") && !protocol.equals("https")) {
            return;
        }
        try {
            if (Desktop.isDesktopSupported() && Desktop.getDesktop().isSupported(Desktop.Action.BROWSE)) {
                Desktop.getDesktop().browse(url.toURI());
            }
        } catch (Exception e) {
            System.err.println("The page " + url + " could not be opened: " + e.getMessage());
        }
    }

    @Override
    public void showStatus(String text) {
        status.accept(text == null ? "" : text);
    }

    @Override
    public void setStream(String key, InputStream stream) {
        if (stream == null) {
            streams.remove(key);
        } else {
            streams.put(key, stream);
        }
    }

    @Override
    public InputStream getStream(String key) {
        return streams.get(key);
    }

    @Override
    public Iterator<String> getStreamKeys() {
        return streams.keySet().iterator();
    }
}
