package zarn.applethost;

import java.io.IOException;
import java.net.MalformedURLException;
import java.net.URISyntaxException;
import java.net.URL;
import java.net.URLConnection;
import java.net.URLStreamHandler;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.Set;
import java.util.concurrent.ConcurrentHashMap;

/**
 * Tells Zarn which local files the applet loads through its code base, its
 * document base or its class loader ("loads PATH", once each), so that publishing
 * can carry them. URLs the applet makes relative to its code or document base
 * keep this handler and are heard of when they are opened.
 */
final class LoadWatch extends URLStreamHandler {
    private static final LoadWatch WATCH = new LoadWatch();
    private final Set<Path> told = ConcurrentHashMap.newKeySet();

    private LoadWatch() {
    }

    /** url as one whose openings are heard of; other than file URLs are left as they are. */
    static URL watched(URL url) {
        if (url == null || !url.getProtocol().equals("file")) {
            return url;
        }
        try {
            return new URL(url.getProtocol(), url.getHost(), url.getPort(), url.getFile(), WATCH);
        } catch (MalformedURLException e) {
            return url;
        }
    }

    /** Reports a file the applet loads, once. */
    static void loaded(URL url) {
        Path path = localPath(url);
        if (path != null && Files.isRegularFile(path) && !path.toString().endsWith(".class")
                && WATCH.told.add(path)) {
            Reports.line("loads", path.toString());
        }
    }

    /** The file a URL names; null for other URLs, and for what names no file. */
    private static Path localPath(URL url) {
        if (url == null || !url.getProtocol().equals("file")) {
            return null;
        }
        try {
            return Paths.get(url.toURI());
        } catch (URISyntaxException | IllegalArgumentException e) {
            try {
                return Paths.get(url.getPath()); // a relative URL's unescaped spaces
            } catch (InvalidPathException unusable) {
                return null;
            }
        }
    }

    @Override
    protected URLConnection openConnection(URL url) throws IOException {
        URL plain = new URL(url.toExternalForm());
        loaded(plain);
        return plain.openConnection();
    }
}
