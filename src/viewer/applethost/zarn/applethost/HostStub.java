package zarn.applethost;

import java.applet.Applet;
import java.applet.AppletContext;
import java.applet.AppletStub;
import java.applet.AudioClip;
import java.awt.Frame;
import java.awt.Image;
import java.awt.Toolkit;
import java.io.InputStream;
import java.net.URL;
import java.util.Collections;
import java.util.Enumeration;
import java.util.HashMap;
import java.util.Iterator;
import java.util.Locale;
import java.util.Map;

/** The applet's view of its page and of the viewer that shows it. */
@SuppressWarnings("removal")
final class HostStub implements AppletStub, AppletContext {
    private final HostLaunch launch;
    private final Applet applet;
    private final Frame frame;
    private final Map<String, InputStream> streams = new HashMap<>();

    HostStub(HostLaunch launch, Applet applet, Frame frame) {
        this.launch = launch;
        this.applet = applet;
        this.frame = frame;
    }

    @Override
    public boolean isActive() {
        return applet.isShowing();
    }

    @Override
    public URL getDocumentBase() {
        return LoadWatch.watched(launch.documentBase);
    }

    @Override
    public URL getCodeBase() {
        return LoadWatch.watched(launch.codeBase);
    }

    @Override
    public String getParameter(String name) {
        return name == null ? null : launch.parameters.get(name.toLowerCase(Locale.ROOT));
    }

    @Override
    public AppletContext getAppletContext() {
        return this;
    }

    @Override
    public void appletResize(int width, int height) {
        applet.setSize(width, height);
        frame.validate();
    }

    @Override
    public AudioClip getAudioClip(URL url) {
        LoadWatch.loaded(url);
        return Applet.newAudioClip(url);
    }

    @Override
    public Image getImage(URL url) {
        LoadWatch.loaded(url);
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

    @Override
    public void showDocument(URL url, String target) {
        Reports.line("document", url + " " + target);
    }

    @Override
    public void showStatus(String status) {
        Reports.line("status", status == null ? "" : status);
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
