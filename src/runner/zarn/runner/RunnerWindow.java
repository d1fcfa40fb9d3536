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
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.ThreadFactory;
import java.util.function.Consumer;

/**
 * The applet's window: titled with its class, the applet at its size, a status line
 * below (showStatus, and what went wrong). The life cycle runs as in a browser, on
 * the applet's own thread: init before the window shows, start after; stop and
 * destroy when it closes, and an applet that does not end in time is halted. Inner
 * classes, not lambdas, on the way to the first paint: a lambda is made at its first
 * call, which would cost every start.
 */
@SuppressWarnings("removal")
final class RunnerWindow {
    /** How long stop and destroy may take once the window closes. */
    private static final long GRACE_MILLIS = 3000;

    private final RunnerApplet description;
    private final ExecutorService life = Executors.newSingleThreadExecutor(new ThreadFactory() {
        @Override
        public Thread newThread(Runnable task) {
            return new Thread(task, "zarn-applet");
        }
    });
    private volatile Frame frame;
    private volatile Label status;
    private volatile Applet applet;
    /** Set and read on the applet's thread. */
    private boolean initialised;
    private boolean started;
    private volatile boolean failed;
    private volatile boolean closing;

    private RunnerWindow(RunnerApplet description) {
        this.description = description;
    }

    static void open(RunnerApplet description) {
        final RunnerWindow window = new RunnerWindow(description);
        window.life.execute(new Runnable() {
            @Override
            public void run() {
                window.bringToLife();
            }
        });
    }

    private void bringToLife() {
        try {
            applet = createApplet();
            EventQueue.invokeAndWait(new Runnable() {
                @Override
                public void run() {
                    place();
                }
            });
            applet.init();
            initialised = true;
            EventQueue.invokeAndWait(new Runnable() {
                @Override
                public void run() {
                    show();
                }
            });
            applet.start();
            started = true;
        } catch (InvocationTargetException e) {
            fail(e.getCause());
        } catch (Throwable e) {
            fail(e);
        }
    }

    private Applet createApplet() throws Throwable {
        // The applet's classes lie at the jar's root, beside the runner's: its own
        // loader has the jar open already.
        Class<?> appletClass;
        try {
            appletClass = Class.forName(description.className, false, RunnerWindow.class.getClassLoader());
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
            return (Applet) appletClass.getDeclaredConstructor().newInstance();
        } catch (InvocationTargetException e) {
            throw e.getCause();
        }
    }

    /** The window, with the applet in it, not yet shown (on the event thread). */
    private void place() {
        createFrame();
        Dimension size = new Dimension(description.width, description.height);
        applet.setVisible(false);
        applet.setSize(size);
        applet.setPreferredSize(size);
        applet.setStub(new RunnerStub(description, applet, new StatusLine(), new Runnable() {
            @Override
            public void run() {
                fitToApplet();
            }
        }));
        frame.add(applet, BorderLayout.CENTER);
    }

    private void createFrame() {
        frame = new Frame(description.className);
        status = new Label(" ");
        frame.setLayout(new BorderLayout());
        frame.add(status, BorderLayout.SOUTH);
        frame.addWindowListener(new WindowAdapter() {
            @Override
            public void windowClosing(WindowEvent e) {
                // Not on the event thread: the applet's stop may need it.
                new Thread(new Runnable() {
                    @Override
                    public void run() {
                        close();
                    }
                }, "zarn-close").start();
            }
        });
    }

    /** Shows the window at the size init left the applet (on the event thread). */
    private void show() {
        applet.setVisible(true);
        frame.pack(); // placed where the window manager places new windows
        frame.setVisible(true);
        // Browsers laid an applet out after its init: it hears of its size before its first paint.
        applet.dispatchEvent(new ComponentEvent(applet, ComponentEvent.COMPONENT_RESIZED));
    }

    /** After the applet's resize; one hidden until its init has run is fitted when shown. */
    private void fitToApplet() {
        EventQueue.invokeLater(new Runnable() {
            @Override
            public void run() {
                if (applet.isVisible()) {
                    frame.pack();
                }
            }
        });
    }

    /** What went wrong: on the status line, of a window shown without the applet if need be, and on standard error. */
    private void fail(Throwable failure) {
        failed = true;
        final String text;
        if (failure instanceof RunnerFailure) {
            text = failure.getMessage();
            System.err.println(text);
        } else {
            failure.printStackTrace();
            text = description.className + " failed: " + failure;
        }
        EventQueue.invokeLater(new Runnable() {
            @Override
            public void run() {
                if (frame == null) {
                    createFrame();
                    Panel area = new Panel();
                    area.setPreferredSize(new Dimension(description.width, description.height));
                    frame.add(area, BorderLayout.CENTER);
                }
                status.setText(text);
                if (!frame.isVisible()) {
                    frame.pack();
                    frame.setVisible(true);
                }
            }
        });
    }

    private void close() {
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
            }).get();
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

    /** The window's status line, which showStatus sets. */
    private final class StatusLine implements Consumer<String> {
        @Override
        public void accept(final String text) {
            EventQueue.invokeLater(new Runnable() {
                @Override
                public void run() {
                    status.setText(text.isEmpty() ? " " : text);
                }
            });
        }
    }

    /** A failure of the runner's own, told as it stands. */
    private static final class RunnerFailure extends Exception {
        private static final long serialVersionUID = 1L;

        RunnerFailure(String message) {
            super(message);
        }
    }
}
