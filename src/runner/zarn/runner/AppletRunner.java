package zarn.runner;

import java.awt.GraphicsEnvironment;
import java.io.IOException;

/**
 * The main class of a jar published by Zarn's Publish > Runnable Jar: runs the
 * applet the jar holds (see RunnerApplet) in a window of its own. On a Java without
 * the Applet API it starts the same Java again with Zarn's API patched in (see
 * PatchedLaunch). Nothing here touches java.applet: the classes that do are loaded
 * only once the API is known to be there.
 */
public final class AppletRunner {
    private AppletRunner() {
    }

    public static void main(String[] args) {
        RunnerApplet applet;
        try {
            applet = RunnerApplet.read();
        } catch (IOException | IllegalArgumentException e) {
            fail("This jar holds no applet to run: " + e.getMessage());
            return;
        }
        if (!hasAppletApi()) {
            if (PatchedLaunch.isPatched()) {
                fail("The Applet API could not be added to the Java at " + System.getProperty("java.home") + ".");
            }
            System.exit(PatchedLaunch.run(args));
        }
        if (GraphicsEnvironment.isHeadless()) {
            fail("The applet " + applet.className + " needs a display to run on.");
        }
        PatchedLaunch.endWithTheLauncher();
        RunnerWindow.open(applet);
    }

    static boolean hasAppletApi() {
        try {
            Class.forName("java.applet.Applet", false, null);
            Class.forName("javax.swing.JApplet", false, null);
            return true;
        } catch (ClassNotFoundException | LinkageError e) {
            return false;
        }
    }

    static void fail(String message) {
        System.err.println(message);
        System.exit(1);
    }
}
