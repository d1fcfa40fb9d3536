package zarn.runner;

import java.io.BufferedReader;
import java.io.IOException;
import java.io.InputStream;
import java.io.InputStreamReader;
import java.net.MalformedURLException;
import java.net.URISyntaxException;
import java.net.URL;
import java.net.URLDecoder;
import java.nio.charset.StandardCharsets;
import java.security.CodeSource;
import java.util.LinkedHashMap;
import java.util.Locale;
import java.util.Map;

/**
 * The applet a jar runs, as Zarn wrote it into META-INF/zarn-applet.txt: lines of
 * a word and its values, each value percent-encoded UTF-8 ("class a.b.Game",
 * "width 300", "height 200", "document Game.html", "param NAME VALUE"). The applet's
 * classes and the files it loads lie at the jar's root, its code base.
 */
final class RunnerApplet {
    static final String DESCRIPTION = "/META-INF/zarn-applet.txt";

    String className;
    int width = 300;
    int height = 200;
    private String document = "";
    /** Names in lower case: applets look them up without regard to case. */
    final Map<String, String> parameters = new LinkedHashMap<>();
    private URL codeBase;

    static RunnerApplet read() throws IOException {
        RunnerApplet applet = new RunnerApplet();
        try (InputStream in = RunnerApplet.class.getResourceAsStream(DESCRIPTION)) {
            if (in == null) {
                throw new IOException("it has no " + DESCRIPTION.substring(1));
            }
            BufferedReader lines = new BufferedReader(new InputStreamReader(in, StandardCharsets.UTF_8));
            for (String line = lines.readLine(); line != null; line = lines.readLine()) {
                applet.take(line);
            }
        }
        if (applet.className == null || applet.className.isEmpty()) {
            throw new IOException(DESCRIPTION.substring(1) + " names no class");
        }
        applet.codeBase = jarRoot();
        return applet;
    }

    private void take(String line) {
        String[] words = line.split(" ", -1);
        switch (words[0]) {
            case "class":
                className = value(words, 1);
                break;
            case "width":
                width = size(value(words, 1));
                break;
            case "height":
                height = size(value(words, 1));
                break;
            case "document":
                document = value(words, 1);
                break;
            case "param":
                parameters.put(value(words, 1).toLowerCase(Locale.ROOT), value(words, 2));
                break;
            default:
                // A line of a later Zarn's: left for that Zarn's runner.
                break;
        }
    }

    URL codeBase() {
        return codeBase;
    }

    URL documentBase() {
        try {
            return new URL(codeBase, document);
        } catch (MalformedURLException e) {
            return codeBase;
        }
    }

    String parameter(String name) {
        return name == null ? null : parameters.get(name.toLowerCase(Locale.ROOT));
    }

    /** The jar's root as a folder URL ("jar:file:/x/Game.jar!/"), or the class folder the runner lies in. */
    private static URL jarRoot() throws IOException {
        CodeSource source = RunnerApplet.class.getProtectionDomain().getCodeSource();
        if (source == null || source.getLocation() == null) {
            throw new IOException("the jar's place is unknown");
        }
        URL location = source.getLocation();
        try {
            if (location.getProtocol().equals("file") && location.toURI().getPath().endsWith("/")) {
                return location;
            }
        } catch (URISyntaxException e) {
            throw new IOException("the jar's place " + location + " is not a file name");
        }
        return new URL("jar:" + location.toExternalForm() + "!/");
    }

    private static String value(String[] words, int index) {
        if (index >= words.length) {
            throw new IllegalArgumentException("a line lacks its value: " + String.join(" ", words));
        }
        return URLDecoder.decode(words[index], StandardCharsets.UTF_8);
    }

    private static int size(String text) {
        try {
            return Math.max(1, Integer.parseInt(text));
        } catch (NumberFormatException e) {
            throw new IllegalArgumentException("not a size: " + text);
        }
    }
}
