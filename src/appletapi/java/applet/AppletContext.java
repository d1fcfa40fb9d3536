package java.applet;

import java.awt.Image;
import java.io.IOException;
import java.io.InputStream;
import java.net.URL;
import java.util.Enumeration;
import java.util.Iterator;

/**
 * The applet's environment: the page that holds it and the applets beside it.
 *
 * @deprecated The Applet API is deprecated, no replacement.
 */
@Deprecated(since = "9", forRemoval = true)
@SuppressWarnings("removal") // the API uses its own types
public interface AppletContext {
    /** The audio clip at url. */
    AudioClip getAudioClip(URL url);

    /** The image at url; it is loaded when it is drawn. */
    Image getImage(URL url);

    /** The applet of the page with that name, or null. */
    Applet getApplet(String name);

    /** The applets of the page that this context can reach. */
    Enumeration<Applet> getApplets();

    /** Asks the program to show the page at url instead of the current one. */
    void showDocument(URL url);

    /** Asks the program to show the page at url in the target window or frame. */
    void showDocument(URL url, String target);

    /** Shows status in the status line of the program. */
    void showStatus(String status);

    /** Keeps stream under key in this context, or removes the key when stream is null. */
    void setStream(String key, InputStream stream) throws IOException;

    /** The stream kept under key, or null. */
    InputStream getStream(String key);

    /** The keys of the streams kept in this context. */
    Iterator<String> getStreamKeys();
}
