package java.applet;

import java.net.URL;

/**
 * The interface between an applet and the program that runs it: its page, its
 * parameters, its context. The program sets it with {@link Applet#setStub}.
 *
 * @deprecated The Applet API is deprecated, no replacement.
 */
@Deprecated(since = "9", forRemoval = true)
@SuppressWarnings("removal") // the API uses its own types
public interface AppletStub {
    /** Whether the applet is active: from just before its start until just before its stop. */
    boolean isActive();

    /** The URL of the page the applet is embedded in. */
    URL getDocumentBase();

    /** The URL of the folder that holds the applet's class. */
    URL getCodeBase();

    /** The value of the named parameter of the applet's element, or null. */
    String getParameter(String name);

    /** The applet's context: the page and the other applets in it. */
    AppletContext getAppletContext();

    /** Called when the applet wants to be resized. */
    void appletResize(int width, int height);
}
