package zarn.applethost;

import java.io.BufferedReader;
import java.io.IOException;
import java.net.MalformedURLException;
import java.net.URISyntaxException;
import java.net.URL;
import java.net.URLDecoder;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Locale;
import java.util.Map;

/** What Zarn asks the host to run, from the command line (and, for a host started ahead, its input). */
final class HostLaunch {
    URL codeBase;
    URL documentBase;
    final List<URL> archives = new ArrayList<>();
    /** Class folders searched before the code base. */
    final List<URL> classes = new ArrayList<>();
    /** The folder that holds the applet's package's top folder, searched after the code base; may be null. */
    URL root;
    /** Where sources of classes that no folder holds are compiled from; may be null. */
    Path sources;
    /** Where the applet's output goes (see Console); null: the host's standard error. */
    String console;
    /** Zarn's Applet API, patched into java.desktop because the JDK lacks it; null when it has it. */
    String appletApi;
    /** Start only when Zarn says "load": the JVM starts while the applet compiles. */
    boolean waitForLoad;
    /** Started ahead, before the applet is known: its part comes on the input ("launch ..."). */
    boolean pending;
    String className;
    int width = 300;
    int height = 200;
    long embedWindow;
    /**
     * How long the applet's stop and destroy may take once Zarn asks the host to
     * quit; Zarn gives the host that long before it ends it, and says how long.
     */
    long graceMillis = 1500;
    /** Parameter names in lower case: applets look them up without regard to case. */
    final Map<String, String> parameters = new LinkedHashMap<>();
    /** How many "param NAME VALUE" lines come first on the input, percent-encoded. */
    int parameterLines;

    /**
     * The launch the command line gives; with --pending, only what the process
     * needs, the applet's part to come with complete().
     */
    static HostLaunch parse(String[] args) {
        HostLaunch launch = new HostLaunch();
        launch.read(args);
        if (!launch.pending) {
            launch.check();
        }
        return launch;
    }

    /** The applet's part of a pending launch, as Zarn sends it once the applet is chosen. */
    void complete(String[] args) {
        pending = false;
        read(args);
        check();
    }

    private void read(String[] args) {
        HostLaunch launch = this;
        for (int i = 0; i < args.length; ++i) {
            String option = args[i];
            switch (option) {
                case "--codebase":
                    launch.codeBase = url(value(args, ++i, option));
                    break;
                case "--document":
                    launch.documentBase = url(value(args, ++i, option));
                    break;
                case "--classes":
                    launch.classes.add(url(value(args, ++i, option)));
                    break;
                case "--root":
                    launch.root = url(value(args, ++i, option));
                    break;
                case "--sources":
                    launch.sources = Paths.get(value(args, ++i, option));
                    break;
                case "--console":
                    launch.console = value(args, ++i, option);
                    break;
                case "--applet-api":
                    launch.appletApi = value(args, ++i, option);
                    break;
                case "--wait":
                    launch.waitForLoad = true;
                    break;
                case "--pending":
                    launch.pending = true;
                    break;
                case "--archive":
                    launch.archives.add(url(value(args, ++i, option)));
                    break;
                case "--class":
                    launch.className = value(args, ++i, option);
                    break;
                case "--width":
                    launch.width = number(value(args, ++i, option));
                    break;
                case "--height":
                    launch.height = number(value(args, ++i, option));
                    break;
                case "--embed":
                    launch.embedWindow = Long.parseLong(value(args, ++i, option));
                    break;
                case "--grace":
                    launch.graceMillis = Math.max(0, Long.parseLong(value(args, ++i, option)));
                    break;
                case "--params":
                    launch.parameterLines = Integer.parseInt(value(args, ++i, option));
                    break;
                default:
                    throw new IllegalArgumentException("Unknown option " + option);
            }
        }
    }

    private void check() {
        if (className == null || codeBase == null) {
            throw new IllegalArgumentException("The host needs --class and --codebase.");
        }
        if (documentBase == null) {
            documentBase = codeBase;
        }
    }

    /**
     * Reads the parameters' lines from Zarn's input: a parameter of any length,
     * which a command line could not carry. False when the input ends first.
     */
    boolean readParameters(BufferedReader zarn) throws IOException {
        for (int i = 0; i < parameterLines; ++i) {
            String line = zarn.readLine();
            if (line == null) {
                return false;
            }
            String[] words = line.split(" ", -1);
            if (words.length != 3 || !words[0].equals("param")) {
                throw new IllegalArgumentException("Not a parameter: " + line);
            }
            String name = URLDecoder.decode(words[1], StandardCharsets.UTF_8);
            parameters.put(name.toLowerCase(Locale.ROOT), URLDecoder.decode(words[2], StandardCharsets.UTF_8));
        }
        return true;
    }

    /** Where the applet's classes are looked for: the class folders, the archives, the code base, the package root. */
    URL[] classPath() {
        List<URL> path = new ArrayList<>(classes);
        path.addAll(archives);
        path.add(codeBase);
        if (root != null) {
            path.add(root);
        }
        return path.toArray(new URL[0]);
    }

    /**
     * Leaves out the archives that are not there (a page published with its sources
     * only), and says so once on the applet's console: the code base serves instead.
     */
    void dropMissingArchives() {
        archives.removeIf(archive -> {
            if (!archive.getProtocol().equals("file")) {
                return false;
            }
            String name = archive.toString();
            try {
                Path jar = Paths.get(archive.toURI());
                if (Files.isRegularFile(jar)) {
                    return false;
                }
                name = jar.toString();
            } catch (URISyntaxException | IllegalArgumentException e) {
                // Not a file name: not there.
            }
            System.err.println("The archive " + name + " is not there: its classes come from the code base.");
            return true;
        });
    }

    /** Where classes are looked for, as a user reads it. */
    String classFolders() {
        List<String> folders = new ArrayList<>();
        for (URL url : classPath()) {
            folders.add(url.toString());
        }
        return String.join(" or ", folders);
    }

    /** The first class folder, where classes compiled on demand go; null when there is none. */
    Path compiledClasses() {
        if (classes.isEmpty() || !classes.get(0).getProtocol().equals("file")) {
            return null;
        }
        try {
            return Paths.get(classes.get(0).toURI());
        } catch (URISyntaxException | IllegalArgumentException e) {
            return null;
        }
    }

    private static String value(String[] args, int index, String option) {
        if (index >= args.length) {
            throw new IllegalArgumentException(option + " needs a value.");
        }
        return args[index];
    }

    private static int number(String text) {
        try {
            return Math.max(1, Integer.parseInt(text));
        } catch (NumberFormatException e) {
            throw new IllegalArgumentException("Not a size: " + text);
        }
    }

    private static URL url(String text) {
        try {
            return new URL(text);
        } catch (MalformedURLException e) {
            throw new IllegalArgumentException("Not a URL: " + text);
        }
    }
}
