package zarn.runner;

import java.io.IOException;
import java.io.InputStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Comparator;
import java.util.List;
import java.util.stream.Stream;

/**
 * The run on a Java without the Applet API (JDK 26 and later): Zarn's own API,
 * which the jar carries, is taken into a private temporary folder and patched into
 * java.desktop of the same Java started again. The folder goes when either Java ends.
 */
final class PatchedLaunch {
    /** Set on the Java started again: the folder that holds the API. */
    private static final String PATCHED = "zarn.runner.patched";

    private PatchedLaunch() {
    }

    static boolean isPatched() {
        return System.getProperty(PATCHED) != null;
    }

    /** Runs the applet in a Java with Zarn's Applet API; its exit status. */
    static int run(String[] args) {
        Path folder;
        try {
            folder = Files.createTempDirectory("zarn-runner-");
        } catch (IOException e) {
            AppletRunner.fail("No temporary folder for the Applet API: " + e.getMessage());
            return 1;
        }
        try {
            Path api = folder.resolve("zarn-appletapi.jar");
            try (InputStream in = PatchedLaunch.class.getResourceAsStream("zarn-appletapi.jar")) {
                if (in == null) {
                    removeFolder(folder);
                    AppletRunner.fail("This jar lacks Zarn's Applet API, which this Java needs.");
                }
                Files.copy(in, api);
            }
            List<String> command = new ArrayList<>(List.of(
                    Paths.get(System.getProperty("java.home"), "bin", "java").toString(),
                    "--patch-module", "java.desktop=" + api,
                    "--add-exports", "java.desktop/java.applet=ALL-UNNAMED",
                    "-D" + PATCHED + "=" + folder,
                    "-cp", System.getProperty("java.class.path"),
                    AppletRunner.class.getName()));
            command.addAll(Arrays.asList(args));
            Process applet = new ProcessBuilder(command).inheritIO().start();
            // Ended from outside (Ctrl+C, a kill): the applet's Java goes too.
            Runtime.getRuntime().addShutdownHook(new Thread(() -> {
                applet.destroy();
                removeFolder(folder);
            }, "zarn-runner-end"));
            return applet.waitFor();
        } catch (IOException e) {
            removeFolder(folder); // fail ends this Java at once, without the finally
            AppletRunner.fail("The applet's Java could not be started: " + e.getMessage());
            return 1;
        } catch (InterruptedException e) {
            return 1;
        } finally {
            removeFolder(folder);
        }
    }

    /**
     * In the Java started again: when the one that started it ends without its
     * shutdown hook (killed), this one ends too, and removes the folder itself.
     */
    static void endWithTheLauncher() {
        String folder = System.getProperty(PATCHED);
        if (folder == null) {
            return;
        }
        ProcessHandle.current().parent().ifPresent(launcher -> launcher.onExit().thenRun(() -> {
            removeFolder(Paths.get(folder));
            Runtime.getRuntime().halt(1);
        }));
    }

    private static void removeFolder(Path folder) {
        try (Stream<Path> files = Files.walk(folder)) {
            files.sorted(Comparator.reverseOrder()).forEach(path -> path.toFile().delete());
        } catch (IOException e) {
            // Gone already, or the system's temporary folder cleans it up.
        }
    }
}
