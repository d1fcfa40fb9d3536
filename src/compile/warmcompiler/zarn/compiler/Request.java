package zarn.compiler;

import java.io.DataInputStream;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.List;

/**
 * What the client asks: its working folder, its CLASSPATH (null when unset), the
 * javac it would run, and javac's arguments. On the wire: the number of strings,
 * then each as its length and its UTF-8 bytes; the CLASSPATH as "-" when unset,
 * else "=" and its value. A check of a pane's text (see TextCheck) has the word
 * "--zarn-check" first among the arguments, then javac's options, then the
 * source's path and its text. A completion (see Completion) has "--zarn-complete"
 * first, then javac's options, the source's path, its text and the caret's offset
 * in it.
 */
final class Request {
    private static final int MOST_STRINGS = 100_000;
    private static final int LONGEST_STRING = 1 << 20;
    /** More than any command line holds: a larger request is refused before it is read. */
    private static final long MOST_BYTES = 64L << 20;

    /** A request too large to be served: the client runs plain javac. */
    static final class TooLarge extends IOException {
        private static final long serialVersionUID = 1L;

        TooLarge(String what) {
            super(what);
        }
    }

    static final String CHECK = "--zarn-check";
    static final String COMPLETE = "--zarn-complete";

    final String folder;
    final String classPath;
    final String javac;
    final List<String> arguments;

    private Request(String folder, String classPath, String javac, List<String> arguments) {
        this.folder = folder;
        this.classPath = classPath;
        this.javac = javac;
        this.arguments = arguments;
    }

    boolean isCheck() {
        return arguments.size() >= 3 && arguments.get(0).equals(CHECK);
    }

    boolean isCompletion() {
        return arguments.size() >= 4 && arguments.get(0).equals(COMPLETE) && caret() >= 0;
    }

    /** The options for javac of a check or a completion. */
    List<String> checkOptions() {
        return arguments.subList(1, arguments.size() - textArguments());
    }

    String checkedPath() {
        return arguments.get(arguments.size() - textArguments());
    }

    String checkedText() {
        return arguments.get(arguments.size() - textArguments() + 1);
    }

    /** A completion's caret, an offset in the text; -1 when it is no number. */
    int caret() {
        try {
            return Integer.parseInt(arguments.get(arguments.size() - 1));
        } catch (NumberFormatException e) {
            return -1;
        }
    }

    private int textArguments() {
        return arguments.get(0).equals(COMPLETE) ? 3 : 2;
    }

    /** Throws IOException for anything but a whole, sensible request. */
    static Request read(DataInputStream in) throws IOException {
        int count = in.readInt();
        if (count < 3) {
            throw new IOException("not a request");
        }
        if (count > MOST_STRINGS) {
            throw new TooLarge("the request has more than " + MOST_STRINGS + " strings");
        }
        List<String> strings = new ArrayList<>(count);
        long total = 0;
        for (int i = 0; i < count; ++i) {
            int length = in.readInt();
            if (length < 0) {
                throw new IOException("not a request");
            }
            total += length;
            if (length > LONGEST_STRING || total > MOST_BYTES) {
                throw new TooLarge("the request is longer than " + (MOST_BYTES >> 20) + " MiB or has a string over "
                        + (LONGEST_STRING >> 20) + " MiB");
            }
            byte[] bytes = new byte[length];
            in.readFully(bytes);
            strings.add(new String(bytes, StandardCharsets.UTF_8));
        }
        String classPath = strings.get(1);
        if (!classPath.startsWith("-") && !classPath.startsWith("=")) {
            throw new IOException("not a request");
        }
        return new Request(strings.get(0), classPath.startsWith("=") ? classPath.substring(1) : null,
                strings.get(2), strings.subList(3, count));
    }
}
