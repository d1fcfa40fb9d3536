package zarn.applethost;

import java.applet.Applet;
import java.awt.BorderLayout;
import java.awt.EventQueue;
import java.awt.Font;
import java.awt.Frame;
import java.awt.Graphics2D;
import java.awt.Toolkit;
import java.awt.event.ComponentAdapter;
import java.awt.event.ComponentEvent;
import java.awt.event.WindowAdapter;
import java.awt.event.WindowEvent;
import java.awt.image.BufferedImage;
import java.io.BufferedReader;
import java.io.IOException;
import java.io.InputStreamReader;
import java.lang.reflect.InvocationTargetException;
import java.net.URLDecoder;
import java.nio.charset.StandardCharsets;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;

/**
 * Zarn's applet host: runs one applet, either inside a window of the Zarn viewer
 * (an X11 window id given with --embed) or in a top-level window of its own.
 * Zarn talks to it through standard input (load, size W H, quit; end of input
 * quits too) and reads its reports (started, painted, loads, status, exception,
 * error) on a channel of their own (see Reports). The applet's own output goes to
 * its console (see Console).
 */
@SuppressWarnings("removal")
public final class AppletHost {
    private final HostLaunch launch;
    /** The applet's own thread, where its life cycle runs. */
    private final ExecutorService life = Executors.newSingleThreadExecutor(task -> new Thread(task, "zarn-applet"));
    private volatile Frame frame;
    private volatile Applet applet;
    private volatile UncaughtExceptions uncaught;
    /** Set and read on the applet's thread. */
    private boolean initialised;
    private boolean started;
    private volatile boolean quitting;

    private AppletHost(HostLaunch launch) {
        this.launch = launch;
    }

    public static void main(String[] args) {
        if (args.length == 1 && args[0].equals("--warm-up")) {
            ArchiveRun.loadWhatAnAppletLoads();
            System.exit(0);
        }
        HostLaunch launch;
        try {
            launch = HostLaunch.parse(args);
        } catch (IllegalArgumentException e) {
            Reports.error(e.getMessage());
            System.exit(2);
            return;
        }
        new AppletHost(launch).run();
    }

    private void run() {
        Console.install(launch.console);
        BufferedReader zarn = new BufferedReader(new InputStreamReader(System.in, StandardCharsets.UTF_8));
        if (launch.pending) {
            // Started ahead of its applet: warmed up, it tells Zarn it waits.
            life.execute(() -> {
                warmUp();
                Reports.line("waiting", "");
            });
        } else if (launch.waitForLoad) {
            // On the applet's thread, which so starts while Zarn still compiles.
            life.execute(AppletHost::warmUp);
        }
        if (launch.pending && !readLaunch(zarn) || !readParameters(zarn)
                || launch.waitForLoad && !waitForLoad(zarn)) {
            quit();
        }
        life.execute(this::bringToLife);
        listenToZarn(zarn);
    }

    /**
     * The applet's life as browsers ran it: created, init and start on the applet's
     * own thread (so that init may wait on the event thread, as Swing applets do),
     * its window work on the event thread. Inner classes, not lambdas: a lambda is
     * made at its first call, which would cost every applet's start.
     */
    private void bringToLife() {
        try {
            applet = createApplet();
            EventQueue.invokeAndWait(new Runnable() {
                @Override
                public void run() {
                    place();
                }
            });
            try {
                applet.init();
                initialised = true;
                EventQueue.invokeAndWait(new Runnable() {
                    @Override
                    public void run() {
                        show();
                        laidOutAfterInit();
                    }
                });
                applet.start();
                started = true;
            } catch (RuntimeException | Error e) {
                throw new AppletFailure(e);
            }
            Reports.line("started", "");
        } catch (InvocationTargetException e) {
            fail(e.getCause());
        } catch (Throwable e) {
            fail(e);
        }
    }

    /** What every applet's start needs, done while Zarn still compiles it. */
    static void warmUp() {
        try {
            Toolkit.getDefaultToolkit().sync();
            Graphics2D text = new BufferedImage(8, 8, BufferedImage.TYPE_INT_RGB).createGraphics();
            text.setFont(new Font(Font.DIALOG, Font.PLAIN, 12));
            text.drawString("Zarn", 0, 8);
            text.dispose();
            EventQueue.invokeAndWait(() -> new Applet().getFont());
        } catch (Throwable e) {
            // The real start reports whatever goes wrong.
        }
    }

    /**
     * The applet's part of a pending launch: "launch" and the arguments, each
     * percent-encoded; false when Zarn says quit or goes away first.
     */
    private boolean readLaunch(BufferedReader zarn) {
        try {
            String line = zarn.readLine();
            if (line == null || !line.startsWith("launch ")) {
                return false;
            }
            String[] words = line.substring("launch ".length()).split(" ");
            for (int i = 0; i < words.length; ++i) {
                words[i] = URLDecoder.decode(words[i], StandardCharsets.UTF_8);
            }
            launch.complete(words);
            return true;
        } catch (IOException | IllegalArgumentException e) {
            Reports.error("The applet's launch could not be read: " + e.getMessage());
            return false;
        }
    }

    /** The parameters that come first on Zarn's input; false when they do not come whole. */
    private boolean readParameters(BufferedReader zarn) {
        try {
            return launch.readParameters(zarn);
        } catch (IOException | IllegalArgumentException e) {
            Reports.error("The applet's parameters could not be read: " + e.getMessage());
            return false;
        }
    }

    /** True when Zarn says load; false when it says quit or goes away first. */
    private static boolean waitForLoad(BufferedReader zarn) {
        try {
            for (String line = zarn.readLine(); line != null; line = zarn.readLine()) {
                String word = line.trim();
                if (word.equals("load")) {
                    return true;
                }
                if (word.equals("quit")) {
                    return false;
                }
            }
        } catch (Exception e) {
            // As end of input.
        }
        return false;
    }

    private Applet createApplet() {
        // The loader stays open while the applet runs: it loads the applet's
        // other classes and resources from its archives and the code base.
        launch.dropMissingArchives();
        SourceLoader loader = new SourceLoader(launch.classPath(), launch.sources, launch.compiledClasses(),
                launch.appletApi, AppletHost.class.getClassLoader());
        uncaught = new UncaughtExceptions(loader);
        Thread.setDefaultUncaughtExceptionHandler(uncaught);
        final Class<?> appletClass;
        try {
            appletClass = Class.forName(launch.className, false, loader);
        } catch (ClassNotFoundException | NoClassDefFoundError e) {
            throw new HostFailure("The class " + launch.className + " was not found in " + launch.classFolders() + ".");
        }
        if (!Applet.class.isAssignableFrom(appletClass)) {
            throw new HostFailure("The class " + launch.className + " is not an applet.");
        }
        try {
            return (Applet) appletClass.getDeclaredConstructor().newInstance();
        } catch (InvocationTargetException e) {
            throw new AppletFailure(e.getCause());
        } catch (ReflectiveOperationException e) {
            throw new HostFailure("The applet " + launch.className + " cannot be created: " + e);
        }
    }

    /** Puts the applet, not yet shown, into its window (on the event thread). */
    private void place() {
        frame = createFrame();
        applet.setStub(new HostStub(launch, applet, frame));
        applet.setVisible(false);
        applet.setSize(launch.width, launch.height);
        frame.setLayout(new BorderLayout());
        frame.add(applet, BorderLayout.CENTER);
        PaintWatch.reportFirstPaint(applet);
        layOutAgainWhenSized();
    }

    /** Shows the applet once init has built it (on the event thread). */
    private void show() {
        applet.setVisible(true);
        frame.setVisible(true);
        frame.validate();
    }

    /**
     * Browsers laid an applet out once its init had run, so it always heard of its
     * size then: an applet that makes its back buffer in componentResized, with the
     * listener added in init, has the buffer before its first paint (on the event
     * thread, before start).
     */
    private void laidOutAfterInit() {
        applet.dispatchEvent(new ComponentEvent(applet, ComponentEvent.COMPONENT_RESIZED));
    }

    private Frame createFrame() {
        if (launch.embedWindow != 0) {
            try {
                Class<?> embedded = Class.forName("sun.awt.X11.XEmbeddedFrame");
                Frame inside = (Frame) embedded.getConstructor(long.class, boolean.class)
                        .newInstance(launch.embedWindow, false);
                inside.setBounds(0, 0, launch.width, launch.height);
                return inside;
            } catch (ReflectiveOperationException | RuntimeException | LinkageError e) {
                System.err.println("The applet runs in a window of its own: " + e);
            }
        }
        Frame own = new Frame("View Applet");
        own.addWindowListener(new WindowAdapter() {
            @Override
            public void windowClosing(WindowEvent e) {
                // Not on the event thread: the applet's stop may need it.
                new Thread(AppletHost.this::quit, "zarn-quit").start();
            }
        });
        own.addNotify();
        own.setSize(launch.width + own.getInsets().left + own.getInsets().right,
                launch.height + own.getInsets().top + own.getInsets().bottom);
        return own;
    }

    /**
     * An embedded frame gets its real size from the window it is put in, which may
     * come after the applet's first layout (leaving its components at 1 x 1): lay
     * the applet out again whenever the frame is shown or sized.
     */
    private void layOutAgainWhenSized() {
        frame.addComponentListener(new ComponentAdapter() {
            @Override
            public void componentResized(ComponentEvent e) {
                layOutAgain();
            }

            @Override
            public void componentShown(ComponentEvent e) {
                layOutAgain();
            }
        });
    }

    private void layOutAgain() {
        if (frame == null || applet == null) {
            return;
        }
        frame.invalidate();
        applet.invalidate();
        frame.validate();
        applet.repaint();
    }

    /** Reads Zarn's commands until it says quit or its end of the pipe closes. */
    private void listenToZarn(BufferedReader zarn) {
        try (BufferedReader in = zarn) {
            for (String line = in.readLine(); line != null; line = in.readLine()) {
                String[] words = line.trim().split("\\s+");
                if (words[0].equals("quit")) {
                    break;
                }
                if (words[0].equals("size") && words.length == 3) {
                    resize(Integer.parseInt(words[1]), Integer.parseInt(words[2]));
                }
            }
        } catch (Exception e) {
            // An unreadable pipe means Zarn is gone: quit as on end of input.
        }
        quit();
    }

    private void resize(int width, int height) {
        EventQueue.invokeLater(() -> {
            if (frame != null) {
                frame.setSize(width, height);
                layOutAgain();
            }
        });
    }

    private void fail(Throwable failure) {
        if (failure instanceof HostFailure) {
            Reports.error(failure.getMessage());
        } else if (failure instanceof AppletFailure) {
            uncaught.uncaughtException(Thread.currentThread(), failure.getCause());
            Reports.error(Reports.firstLine(failure.getCause()));
        } else if (failure instanceof java.awt.HeadlessException) {
            Reports.error("The applet needs a display to run on.");
        } else {
            Reports.error(Reports.firstLine(failure));
        }
        Console.finish();
        System.exit(1);
    }

    private void quit() {
        if (quitting) {
            return;
        }
        quitting = true;
        // An applet that blocks the event thread (a loop in paint) must not keep
        // the host alive: after the grace Zarn gives, it halts whatever the applet does.
        long grace = launch.graceMillis;
        Thread halt = new Thread(() -> {
            try {
                Thread.sleep(grace);
            } catch (InterruptedException e) {
                // Halting at once.
            }
            Runtime.getRuntime().halt(0);
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
            EventQueue.invokeAndWait(() -> {
                if (frame != null) {
                    frame.dispose();
                }
            });
        } catch (Throwable e) {
            // Quitting anyway.
        }
        Toolkit.getDefaultToolkit().sync();
        Console.finish();
        System.exit(0);
    }

    /** A failure of the host's own, reported as it stands. */
    static final class HostFailure extends RuntimeException {
        private static final long serialVersionUID = 1L;

        HostFailure(String message) {
            super(message);
        }
    }

    /** Something the applet itself threw. */
    static final class AppletFailure extends RuntimeException {
        private static final long serialVersionUID = 1L;

        AppletFailure(Throwable cause) {
            super(cause);
        }
    }
}
