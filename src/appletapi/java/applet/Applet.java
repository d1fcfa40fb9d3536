package java.applet;

import java.awt.Dimension;
import java.awt.GraphicsEnvironment;
import java.awt.HeadlessException;
import java.awt.IllegalComponentStateException;
import java.awt.Image;
import java.awt.Panel;
import java.net.MalformedURLException;
import java.net.URL;
import java.util.Locale;
import javax.accessibility.AccessibleContext;
import javax.accessibility.AccessibleRole;
import javax.accessibility.AccessibleState;
import javax.accessibility.AccessibleStateSet;

/**
 * A small program embedded in a page and run by another program (a browser, an
 * applet viewer), which calls its life cycle: init once, start and stop as the
 * page is shown and left, destroy once at the end. Its page, parameters and
 * context come through the stub the running program sets.
 *
 * @deprecated The Applet API is deprecated, no replacement.
 */
@Deprecated(since = "9", forRemoval = true)
@SuppressWarnings("removal") // the API uses its own types
public class Applet extends Panel {
    private static final long serialVersionUID = -5836846270535785031L;

    private transient AppletStub stub;

    /**
     * Creates an applet. Most of its methods work only once the running program has
     * set its stub, after construction.
     *
     * @throws HeadlessException when there is no display to show it on
     */
    public Applet() throws HeadlessException {
        if (GraphicsEnvironment.isHeadless()) {
            throw new HeadlessException();
        }
    }

    /** Sets this applet's stub; the running program does this. */
    public final void setStub(AppletStub stub) {
        this.stub = stub;
    }

    /** Whether the applet is active: from just before its start until just before its stop. */
    public boolean isActive() {
        return stub != null && stub.isActive();
    }

    /** The URL of the page the applet is embedded in. */
    public URL getDocumentBase() {
        return stub.getDocumentBase();
    }

    /** The URL of the folder that holds the applet's class. */
    public URL getCodeBase() {
        return stub.getCodeBase();
    }

    /** The value of the named parameter of the applet's element, or null. */
    public String getParameter(String name) {
        return stub.getParameter(name);
    }

    /** The applet's context: the page and the other applets in it. */
    public AppletContext getAppletContext() {
        return stub.getAppletContext();
    }

    /** Asks to be resized to width by height. */
    @Override
    @SuppressWarnings("deprecation")
    public void resize(int width, int height) {
        Dimension size = size();
        if (size.width != width || size.height != height) {
            super.resize(width, height);
            if (stub != null) {
                stub.appletResize(width, height);
            }
        }
    }

    /** Asks to be resized to size. */
    @Override
    @SuppressWarnings("deprecation")
    public void resize(Dimension size) {
        resize(size.width, size.height);
    }

    /** Applets are validate roots: their layout does not reach the page around them. */
    @Override
    public boolean isValidateRoot() {
        return true;
    }

    /** Shows msg in the status line of the running program. */
    public void showStatus(String msg) {
        getAppletContext().showStatus(msg);
    }

    /** The image at url, loaded when it is drawn. */
    public Image getImage(URL url) {
        return getAppletContext().getImage(url);
    }

    /** The image at name relative to url; null when they make no URL. */
    public Image getImage(URL url, String name) {
        try {
            return getImage(new URL(url, name));
        } catch (MalformedURLException e) {
            return null;
        }
    }

    /** An audio clip for the sound at url, usable without an applet. */
    public static final AudioClip newAudioClip(URL url) {
        return new SampledAudioClip(url);
    }

    /** The audio clip at url. */
    public AudioClip getAudioClip(URL url) {
        return getAppletContext().getAudioClip(url);
    }

    /** The audio clip at name relative to url; null when they make no URL. */
    public AudioClip getAudioClip(URL url, String name) {
        try {
            return getAudioClip(new URL(url, name));
        } catch (MalformedURLException e) {
            return null;
        }
    }

    /** What the applet says of itself (author, version); none here. */
    public String getAppletInfo() {
        return null;
    }

    /** The applet's locale; the default locale when it has set none. */
    @Override
    public Locale getLocale() {
        try {
            return super.getLocale();
        } catch (IllegalComponentStateException e) {
            return Locale.getDefault();
        }
    }

    /** The parameters the applet understands: name, type, description each; none here. */
    public String[][] getParameterInfo() {
        return null;
    }

    /** Plays the sound at url once; nothing when there is none. */
    public void play(URL url) {
        AudioClip clip = getAudioClip(url);
        if (clip != null) {
            clip.play();
        }
    }

    /** Plays the sound at name relative to url once; nothing when there is none. */
    public void play(URL url, String name) {
        AudioClip clip = getAudioClip(url, name);
        if (clip != null) {
            clip.play();
        }
    }

    /** Called once after the applet has been loaded; here nothing. */
    public void init() {
    }

    /** Called after init and each time the applet is shown again; here nothing. */
    public void start() {
    }

    /** Called when the applet's page is left, and before destroy; here nothing. */
    public void stop() {
    }

    /** Called once when the applet is about to be thrown away; here nothing. */
    public void destroy() {
    }

    /** The applet's accessible context, made when first asked for. */
    @Override
    public AccessibleContext getAccessibleContext() {
        if (accessibleContext == null) {
            accessibleContext = new AccessibleApplet();
        }
        return accessibleContext;
    }

    /** An applet as assistive technology sees it: a frame, active. */
    protected class AccessibleApplet extends AccessibleAWTPanel {
        private static final long serialVersionUID = 8127374778187708896L;

        /** Constructs the accessible applet. */
        protected AccessibleApplet() {
        }

        @Override
        public AccessibleRole getAccessibleRole() {
            return AccessibleRole.FRAME;
        }

        @Override
        public AccessibleStateSet getAccessibleStateSet() {
            AccessibleStateSet states = super.getAccessibleStateSet();
            states.add(AccessibleState.ACTIVE);
            return states;
        }
    }
}
