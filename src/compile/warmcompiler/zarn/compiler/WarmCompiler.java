package zarn.compiler;

import java.io.IOException;
import java.io.PrintStream;
import java.net.StandardProtocolFamily;
import java.net.UnixDomainSocketAddress;
import java.nio.channels.ServerSocketChannel;
import java.nio.channels.SocketChannel;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;

/**
 * javac kept warm: one JVM of the JDK whose javac Zarn uses, compiling for the
 * compile script's client (zarn-javac) through a Unix socket in a folder only the
 * user may enter, one compile at a time, each in a compiler of its own. It tells
 * Zarn on its output what it does ("ready", "compiling N", "done N", "refused
 * WHY"), and ends when Zarn closes its input, or after fifteen idle minutes.
 *
 * Usage: WarmCompiler SOCKET JAVAC
 */
public final class WarmCompiler {
    static final long IDLE_MS = 15 * 60 * 1000L;

    private static final PrintStream zarn = System.out;
    private static volatile long lastUse = System.currentTimeMillis();

    private WarmCompiler() {
    }

    public static void main(String[] args) throws IOException {
        if (args.length != 2) {
            System.err.println("Usage: WarmCompiler SOCKET JAVAC");
            System.exit(2);
        }
        // As javac's launcher has it: then javac's class path without -cp is ".", not this jar.
        System.setProperty("application.home", System.getProperty("java.home"));
        Path socket = Paths.get(args[0]);
        Compiles compiles = new Compiles(Paths.get(args[1]));
        Files.deleteIfExists(socket); // a Zarn of this number that died left it
        ServerSocketChannel server = ServerSocketChannel.open(StandardProtocolFamily.UNIX);
        server.bind(UnixDomainSocketAddress.of(socket));
        Runtime.getRuntime().addShutdownHook(new Thread(() -> {
            try {
                Files.deleteIfExists(socket);
            } catch (IOException e) {
                // Gone with the folder, or never to be reused.
            }
        }));
        endWhenZarnGoes();
        endWhenIdle();
        compiles.warmUp();
        say("ready");
        while (true) {
            SocketChannel client = server.accept();
            lastUse = System.currentTimeMillis();
            Thread serving = new Thread(() -> new Session(client, compiles).serve(), "session");
            serving.setDaemon(true);
            serving.start();
        }
    }

    /** One line on Zarn's side of the pipe. */
    static synchronized void say(String line) {
        zarn.println(line);
        zarn.flush();
    }

    static void used() {
        lastUse = System.currentTimeMillis();
    }

    /** Zarn holds the other end of the input: when it closes, Zarn is gone. */
    private static void endWhenZarnGoes() {
        Thread watch = new Thread(() -> {
            try {
                while (System.in.read() >= 0) {
                    // Zarn sends nothing; only the end counts.
                }
            } catch (IOException e) {
                // As the end.
            }
            System.exit(0);
        }, "zarn");
        watch.setDaemon(true);
        watch.start();
    }

    private static void endWhenIdle() {
        Thread idle = new Thread(() -> {
            while (true) {
                long left = lastUse + IDLE_MS - System.currentTimeMillis();
                if (left <= 0 && Compiles.running() == 0) {
                    say("idle");
                    System.exit(0);
                }
                try {
                    Thread.sleep(Math.max(1000, left));
                } catch (InterruptedException e) {
                    return;
                }
            }
        }, "idle");
        idle.setDaemon(true);
        idle.start();
    }
}
