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
 * else "=" and its value.
 */
final class Request {
    private static final int MOST_STRINGS = 100_000;
    private static final int LONGEST_STRING = 1 << 20;

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

    /** Throws IOException for anything but a whole, sensible request. */
    static Request read(DataInputStream in) throws IOException {
        int count = in.readInt();
        if (count < 3 || count > MOST_STRINGS) {
            throw new IOException("not a request");
        }
        List<String> strings = new ArrayList<>(count);
        for (int i = 0; i < count; ++i) {
            int length = in.readInt();
            if (length < 0 || length > LONGEST_STRING) {
                throw new IOException("not a request");
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
