package zarn.applethost;

import java.applet.Applet;
import java.awt.BorderLayout;
import java.awt.Button;
import java.awt.EventQueue;
import java.awt.Frame;
import java.awt.Graphics2D;
import java.awt.Label;
import java.awt.Panel;
import java.awt.image.BufferedImage;
import javax.swing.JApplet;
import javax.swing.JButton;
import javax.swing.JLabel;
import javax.swing.JPanel;

/**
 * The run that makes the host's class-data archive (Zarn starts the JVM with
 * -XX:ArchiveClassesAtExit): it loads the classes an applet's start loads, AWT
 * and Swing, builds the components without showing them, and ends.
 */
@SuppressWarnings({"removal", "deprecation"})
final class ArchiveRun {
    private ArchiveRun() {
    }

    static void loadWhatAnAppletLoads() {
        // The applet's console, with nobody reading it.
        Console.install("/dev/null");
        new UncaughtExceptions(null);
        AppletHost.warmUp();
        try {
            Class.forName("sun.awt.X11.XEmbeddedFrame");
        } catch (Throwable e) {
            // Not on X11: nothing of it to load.
        }
        try {
            EventQueue.invokeAndWait(ArchiveRun::buildApplets);
        } catch (Throwable e) {
            // Without a display only what loaded so far goes in the archive.
        }
    }

    private static void buildApplets() {
        Frame frame = new Frame();
        frame.setLayout(new BorderLayout());
        Applet applet = new Applet();
        applet.add(new Button("Button"));
        applet.add(new Label("Label"));
        applet.add(new Panel());
        frame.add(applet, BorderLayout.CENTER);
        JApplet swing = new JApplet();
        JPanel panel = new JPanel();
        panel.add(new JButton("Button"));
        panel.add(new JLabel("Label"));
        swing.setContentPane(panel);
        frame.add(swing, BorderLayout.SOUTH);
        frame.addNotify();
        frame.setSize(200, 200);
        frame.validate();
        BufferedImage image = new BufferedImage(200, 200, BufferedImage.TYPE_INT_RGB);
        Graphics2D g = image.createGraphics();
        frame.paintAll(g);
        g.dispose();
        frame.dispose();
    }
}
