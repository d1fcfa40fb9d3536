package zarn.applethost;

import java.io.FileDescriptor;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;

/**
 * The host's reports to Zarn: one line each, a word and its text, the text's line
 * ends and percent signs escaped as %0D, %0A and %25 so that every character of it
 * arrives. They go through the channel Zarn names in zarn.reports, which the
 * applet's System.out, System.err and the JVM's own standard output never reach;
 * without one, through standard output.
 */
final class Reports {
    private static final PrintStream OUT = open(System.getProperty("zarn.reports"));

    private Reports() {
    }

    private static PrintStream open(String channel) {
        if (channel != null) {
            try {
                return new PrintStream(new FileOutputStream(channel), true, StandardCharsets.UTF_8);
            } catch (IOException e) {
                System.err.println("The host's reports go to its standard output: " + e.getMessage());
            }
        }
        return new PrintStream(new FileOutputStream(FileDescriptor.out), true, StandardCharsets.UTF_8);
    }

    static synchronized void line(String word, String text) {
        OUT.print(text.isEmpty() ? word + "\n" : word + " " + escaped(text) + "\n");
        OUT.flush();
    }

    static String escaped(String text) {
        return text.replace("%", "%25").replace("\r", "%0D").replace("\n", "%0A");
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
