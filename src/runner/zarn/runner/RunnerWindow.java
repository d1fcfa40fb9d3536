package zarn.runner;

import java.applet.Applet;
import java.awt.BorderLayout;
import java.awt.Dimension;
import java.awt.EventQueue;
import java.awt.Frame;
import java.awt.Label;
import java.awt.Panel;
import java.awt.Toolkit;
import java.awt.event.ComponentEvent;
import java.awt.event.WindowAdapter;
import java.awt.event.WindowEvent;
import java.lang.reflect.InvocationTargetException;
import java.net.URL;
import java.net.URLClassLoader;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;

/**
 * The applet's window: titled with its class, the applet at its size, a status line
 * below (showStatus, and what went wrong). The life cycle runs as in a browser, on
 * the applet's own thread: init and start once the window shows, stop and destroy
 * when it closes; an applet that does not end in time is halted.
 */
@SuppressWarnings("removal") final class RunnerWindow
{
    /** How long stop and destroy may take once the window closes. */
    private static final long GRACE_MILLIS = 3000;

    private final RunnerApplet description;
    private final ExecutorService life = Executors.newSingleThreadExecutor(
        task -> new Thread(task, "zarn-applet"));
    private Frame frame;
    private Label status;
    private volatile Applet applet;
    /** Set and read on the applet's thread. */
    private boolean initialised;
    private boolean started;
    private volatile boolean failed;
    private volatile boolean closing;

    private RunnerWindow(RunnerApplet description) { this.description = description; }

    static void open(RunnerApplet description)
    {
        RunnerWindow window = new RunnerWindow(description);
        window.life.execute(window::bringToLife);
    }

    private void bringToLife()
    {
        try {
            EventQueue.invokeAndWait(this::createFrame);
            applet = createApplet();
            EventQueue.invokeAndWait(this::place);
            applet.init();
            initialised = true;
            EventQueue.invokeAndWait(() -> {
                applet.setVisible(true);
                frame.pack(); // at the size init may have given
                // Browsers laid an applet out after its init: it hears of its size before its first paint.
                applet.dispatchEvent(new ComponentEvent(applet, ComponentEvent.COMPONENT_RESIZED));
            });
            applet.start();
            started = true;
        } catch (InvocationTargetException e) {
            fail(e.getCause());
        } catch (Throwable e) {
            fail(e);
        }
    }

    private void createFrame()
    {
        frame = new Frame(description.className);
        status = new Label(" ");
        frame.setLayout(new BorderLayout());
        frame.add(status, BorderLayout.SOUTH);
        frame.addWindowListener(new WindowAdapter() {
            @Override public void windowClosing(WindowEvent e)
            {
                // Not on the event thread: the applet's stop may need it.
                new Thread(RunnerWindow.this::close, "zarn-close").start();
            }
        });
        Dimension size = new Dimension(description.width, description.height);
        Panel area = new Panel();
        area.setPreferredSize(size);
        frame.add(area, BorderLayout.CENTER);
        frame.pack();
        frame.setLocationRelativeTo(null);
        showStatus("Loading " + description.className + "...");
        frame.setVisible(true);
    }

    private Applet createApplet() throws Throwable
    {
        // Classes and files come from the code base, the jar's root: the runner's
        // own loader reads the jar already, and resources are looked up there.
        ClassLoader loader = new URLClassLoader(new URL[] {description.codeBase()},
                                                RunnerWindow.class.getClassLoader());
        Class<?> appletClass;
        try {
            appletClass = Class.forName(description.className, false, loader);
        } catch (ClassNotFoundException e) {
            throw new RunnerFailure("The class " + description.className + " is not in this jar.");
        } catch (UnsupportedClassVersionError e) {
            throw new RunnerFailure("The applet " + description.className + " needs a newer Java than "
                                    + System.getProperty("java.version") + ": " + e.getMessage());
        }
        if (!Applet.class.isAssignableFrom(appletClass)) {
            throw new RunnerFailure("The class " + description.className + " is not an applet.");
        }
        try {
            return (Applet)appletClass.getDeclaredConstructor().newInstance();
        } catch (InvocationTargetException e) {
            throw e.getCause();
        }
    }

    /** Puts the applet, not yet shown, in the window's place for it (on the event thread). */
    private void place()
    {
        applet.setVisible(false);
        applet.setSize(description.width, description.height);
        applet.setPreferredSize(new Dimension(description.width, description.height));
        applet.setStub(new RunnerStub(description, applet, this::showStatus, this::fitToApplet));
        BorderLayout layout = (BorderLayout)frame.getLayout();
        frame.remove(layout.getLayoutComponent(BorderLayout.CENTER));
        frame.add(applet, BorderLayout.CENTER);
        showStatus(" ");
    }

    /** After the applet's resize; one hidden until its init has run is fitted when shown. */
    private void fitToApplet()
    {
        EventQueue.invokeLater(() -> {
            if (applet.isVisible()) {
                frame.pack();
            }
        });
    }

    private void showStatus(String text)
    {
        EventQueue.invokeLater(() -> status.setText(text.isEmpty() ? " " : text));
    }

    /** What went wrong: on the status line, and in full on the standard error. */
    private void fail(Throwable failure)
    {
        failed = true;
        if (failure instanceof RunnerFailure) {
            System.err.println(failure.getMessage());
            showStatus(failure.getMessage());
            return;
        }
        failure.printStackTrace();
        String text = failure.toString();
        showStatus(description.className + " failed: " + text);
    }

    private void close()
    {
        if (closing) {
            return;
        }
        closing = true;
        Thread halt = new Thread(() -> {
            try {
                Thread.sleep(GRACE_MILLIS);
            } catch (InterruptedException e) {
                // Halting at once.
            }
            Runtime.getRuntime().halt(failed ? 1 : 0);
        }, "zarn-halt");
        halt.setDaemon(true);
        halt.start();
        try {
            // Behind init and start, on the applet's thread: each step once, in order.
            life.submit(() -> {
                    if (started) {
                        applet.stop();
                    }
                    if (initialised) {
                        applet.destroy();
                    }
                })
                .get();
        } catch (Throwable e) {
            failed = true;
            e.printStackTrace();
        }
        try {
            EventQueue.invokeAndWait(frame::dispose);
        } catch (Throwable e) {
            // Ending anyway.
        }
        Toolkit.getDefaultToolkit().sync();
        System.exit(failed ? 1 : 0);
    }

    /** A failure of the runner's own, told as it stands. */
    private static final class RunnerFailure extends Exception
    {
        private static final long serialVersionUID = 1L;

        RunnerFailure(String message) { super(message); }
    }
}
