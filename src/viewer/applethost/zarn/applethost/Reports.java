package zarn.applethost;

import java.io.FileDescriptor;
import java.io.FileOutputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;

/** The host's reports to Zarn: one line each, a word and its text. */
final class Reports {
    /** Standard output as the JVM opened it: the applet's System.out goes elsewhere. */
    private static final PrintStream OUT =
            new PrintStream(new FileOutputStream(FileDescriptor.out), true, StandardCharsets.UTF_8);

    private Reports() {
    }

    static synchronized void line(String word, String text) {
        OUT.println(text.isEmpty() ? word : word + " " + text.replace('\r', ' ').replace('\n', ' '));
    }

    static void error(String text) {
        line("error", text);
    }

    /** The first line of what a throwable says, as a user would read it. */
    static String firstLine(Throwable failure) {
        return firstLine(failure.toString());
    }

    static String firstLine(String text) {
        int end = text.indexOf('\n');
        return (end < 0 ? text : text.substring(0, end)).trim();
    }
}
