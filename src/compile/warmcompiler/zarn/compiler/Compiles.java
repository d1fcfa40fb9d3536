package zarn.compiler;

import com.sun.source.util.TaskEvent;
import com.sun.source.util.TaskListener;
import com.sun.tools.javac.api.MultiTaskListener;
import com.sun.tools.javac.file.JavacFileManager;
import com.sun.tools.javac.main.Main;
import com.sun.tools.javac.util.Context;
import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.OutputStreamWriter;
import java.io.PrintWriter;
import java.nio.charset.Charset;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.Comparator;
import java.util.List;
import java.util.concurrent.CancellationException;
import java.util.concurrent.atomic.AtomicInteger;
import java.util.concurrent.locks.ReentrantLock;
import java.util.function.BooleanSupplier;
import java.util.function.Supplier;
import java.util.stream.Stream;
import javax.tools.JavaFileManager;

/**
 * The compiles, one at a time, each with a compiler of its own (a fresh javac
 * context), so that nothing an earlier one read or made can reach a later one:
 * javac as its launcher runs it, printing the same, writing the same classes.
 */
final class Compiles {
    private static final AtomicInteger RUNNING = new AtomicInteger();
    private static final String WARM_UP_SOURCE =
            "public class Warm extends java.awt.Canvas {\n"
            + "    private int[] counts = new int[3];\n"
            + "    @Override public void paint(java.awt.Graphics g) {\n"
            + "        g.drawString(\"warm \" + counts.length, 10, 20);\n"
            + "    }\n"
            + "}\n";

    private final Path javac;
    private final String folder = System.getProperty("user.dir");
    private final ReentrantLock one = new ReentrantLock(true);
    private int serial;

    Compiles(Path javac) {
        this.javac = javac;
    }

    static int running() {
        return RUNNING.get();
    }

    /** Why this request is not one to serve here, as javac's launcher would run it; null when it is. */
    String unfit(Request request) {
        if (!request.folder.equals(folder)) {
            return "another working folder: " + request.folder;
        }
        if (!request.arguments.isEmpty() && request.arguments.get(0).equals(Request.COMPLETE)
                && !request.isCompletion()) {
            return "a completion without its caret";
        }
        if (request.classPath != null) {
            return "a CLASSPATH is set"; // the launcher would take it, wildcards expanded
        }
        for (String argument : request.arguments) {
            if (argument.startsWith("-J") && !tunesTheJvmOnly(argument.substring(2))) {
                return "an option for javac's JVM, which this one was not started with: " + argument;
            }
        }
        try {
            if (!Files.isSameFile(Paths.get(request.javac), javac)) {
                return "another javac: " + request.javac;
            }
        } catch (IOException e) {
            return "no such javac: " + request.javac;
        }
        return null;
    }

    /** What a compile printed, and its exit status. */
    static final class Outcome {
        final byte[] out;
        final byte[] err;
        final int exitCode;

        Outcome(byte[] out, byte[] err, int exitCode) {
            this.out = out;
            this.err = err;
            this.exitCode = exitCode;
        }
    }

    Outcome run(List<String> arguments, BooleanSupplier cancelled) {
        one.lock();
        RUNNING.incrementAndGet();
        try {
            int number = ++serial;
            WarmCompiler.say("compiling " + number);
            Outcome outcome = compile(javacArguments(arguments), cancelled);
            // Ended for a client that went: javac's words for it would be an internal error.
            WarmCompiler.say(cancelled.getAsBoolean() ? "cancelled " + number : "done " + number + " " + outcome.exitCode);
            return outcome;
        } finally {
            RUNNING.decrementAndGet();
            one.unlock();
        }
    }

    /**
     * The check of the text of the source at path, as it stands in Zarn's pane (see
     * TextCheck), with the options a compile would use; one at a time with the
     * compiles.
     */
    Outcome check(List<String> options, String path, String text, BooleanSupplier cancelled) {
        return serve("checking", "checked", () -> TextCheck.run(options, path, text, outputCharset(), cancelled),
                cancelled);
    }

    /** What may stand at the caret of the text (see Completion); one at a time with the compiles. */
    Outcome complete(List<String> options, String path, String text, int caret, BooleanSupplier cancelled) {
        return serve("completing", "completed",
                () -> Completion.run(options, path, text, caret, outputCharset(), cancelled), cancelled);
    }

    private Outcome serve(String doing, String done, Supplier<Outcome> work, BooleanSupplier cancelled) {
        one.lock();
        RUNNING.incrementAndGet();
        try {
            int number = ++serial;
            WarmCompiler.say(doing + " " + number);
            Outcome outcome = work.get();
            WarmCompiler.say(cancelled.getAsBoolean() ? "cancelled " + number : done + " " + number + " " + outcome.exitCode);
            return outcome;
        } finally {
            RUNNING.decrementAndGet();
            one.unlock();
        }
    }

    /** A few compiles of a small class, so that the first real one finds javac compiled itself. */
    void warmUp() throws IOException {
        Path work = Files.createTempDirectory("zarn-warm");
        try {
            Path source = work.resolve("Warm.java");
            Files.write(source, WARM_UP_SOURCE.getBytes(StandardCharsets.UTF_8));
            String[] arguments = {"-verbose", "-d", work.toString(), "-sourcepath", work.toString(), source.toString()};
            for (int i = 0; i < 3; ++i) {
                compile(arguments, () -> false);
            }
        } finally {
            try (Stream<Path> made = Files.walk(work)) {
                made.sorted(Comparator.reverseOrder()).forEach(path -> path.toFile().delete());
            }
        }
    }

    /**
     * Whether a JVM option only tunes the JVM (its memory, its class-data archive, its
     * logging), so that javac run with it says and writes the same as without it. A
     * property (-D) or anything else may change what javac does.
     */
    private static boolean tunesTheJvmOnly(String option) {
        return option.startsWith("-XX:") || option.startsWith("-Xshare") || option.startsWith("-Xlog")
                || option.startsWith("-Xms") || option.startsWith("-Xmx") || option.startsWith("-Xss");
    }

    /** The arguments without the launcher's own (-J), which went to its JVM. */
    private static String[] javacArguments(List<String> arguments) {
        return arguments.stream().filter(argument -> !argument.startsWith("-J")).toArray(String[]::new);
    }

    private static Outcome compile(String[] arguments, BooleanSupplier cancelled) {
        Charset charset = outputCharset();
        ByteArrayOutputStream out = new ByteArrayOutputStream();
        ByteArrayOutputStream err = new ByteArrayOutputStream();
        PrintWriter outWriter = new PrintWriter(new OutputStreamWriter(out, charset), true);
        PrintWriter errWriter = new PrintWriter(new OutputStreamWriter(err, charset), true);
        // As Main.compile(String[]) does it, with a listener that can end the compile.
        Context context = new Context();
        JavacFileManager.preRegister(context);
        MultiTaskListener.instance(context).add(new Cancellation(cancelled));
        int exitCode = new Main("javac", outWriter, errWriter).compile(arguments, context).exitCode;
        try {
            JavaFileManager files = context.get(JavaFileManager.class);
            if (files != null) {
                files.close();
            }
        } catch (IOException e) {
            e.printStackTrace(errWriter);
        }
        outWriter.flush();
        errWriter.flush();
        return new Outcome(out.toByteArray(), err.toByteArray(), exitCode);
    }

    /** How javac's launcher would write to its standard error, a pipe as here. */
    private static Charset outputCharset() {
        String name = System.getProperty("stderr.encoding", System.getProperty("sun.stderr.encoding"));
        try {
            return name != null ? Charset.forName(name) : Charset.defaultCharset();
        } catch (IllegalArgumentException e) {
            return Charset.defaultCharset();
        }
    }

    /** Ends a compile whose client has gone, at javac's next step. */
    static final class Cancellation implements TaskListener {
        private final BooleanSupplier cancelled;

        Cancellation(BooleanSupplier cancelled) {
            this.cancelled = cancelled;
        }

        @Override
        public void started(TaskEvent event) {
            check();
        }

        @Override
        public void finished(TaskEvent event) {
            check();
        }

        private void check() {
            if (cancelled.getAsBoolean()) {
                throw new CancellationException("the client has gone");
            }
        }
    }
}
