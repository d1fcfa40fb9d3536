package zarn.applethost;

import java.io.BufferedOutputStream;
import java.io.ByteArrayOutputStream;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.OutputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;

/**
 * The applet's System.out and System.err. With a console channel from Zarn, each
 * line goes there as one record: 'o' or 'e' for the stream, the line's text, a
 * line end. Without one, both go to the host's standard error, never to standard
 * output, where Zarn reads the host's reports.
 */
final class Console {
    /** A longer line goes out in pieces, so that a line without an end cannot grow without bound. */
    private static final int LONGEST_PIECE = 64 * 1024;

    private Console() {
    }

    static void install(String channel) {
        if (channel == null) {
            System.setOut(System.err);
            return;
        }
        OutputStream sink;
        try {
            sink = new BufferedOutputStream(new FileOutputStream(channel), 2 * LONGEST_PIECE);
        } catch (IOException e) {
            System.setOut(System.err);
            System.err.println("The applet's output goes to the host's error stream: " + e.getMessage());
            return;
        }
        System.setOut(new Lines.Printer(new Lines('o', sink)));
        System.setErr(new Lines.Printer(new Lines('e', sink)));
    }

    /** Sends what is still waiting for its line end: the host is about to end. */
    static void finish() {
        for (PrintStream stream : new PrintStream[] {System.out, System.err}) {
            stream.flush();
            if (stream instanceof Lines.Printer) {
                ((Lines.Printer) stream).lines.finish();
            }
        }
    }

    /** One stream's bytes, cut into lines; the sink is shared, so records never interleave. */
    private static final class Lines extends OutputStream {
        /** The applet's System.out or System.err over it. */
        static final class Printer extends PrintStream {
            final Lines lines;

            Printer(Lines lines) {
                super(lines, true, StandardCharsets.UTF_8);
                this.lines = lines;
            }
        }

        private final int kind;
        private final OutputStream sink;
        private final ByteArrayOutputStream line = new ByteArrayOutputStream();

        Lines(char kind, OutputStream sink) {
            this.kind = kind;
            this.sink = sink;
        }

        @Override
        public synchronized void write(int b) throws IOException {
            take(b);
            sendWritten();
        }

        @Override
        public synchronized void write(byte[] bytes, int offset, int length) throws IOException {
            for (int i = offset; i < offset + length; ++i) {
                take(bytes[i]);
            }
            sendWritten();
        }

        /**
         * A PrintStream that flushes at once flushes after every print, so a flush
         * is no line end: the text waits for its line end, or for the host's end.
         */
        @Override
        public synchronized void flush() throws IOException {
            sendWritten();
        }

        synchronized void finish() {
            try {
                if (line.size() > 0) {
                    send();
                }
                sendWritten();
            } catch (IOException e) {
                // Zarn is gone: nobody to tell.
            }
        }

        private void take(int b) throws IOException {
            if (b == '\n') {
                send();
                return;
            }
            line.write(b);
            if (line.size() >= LONGEST_PIECE) {
                send();
            }
        }

        private void send() throws IOException {
            byte[] text = line.toByteArray();
            int length = text.length > 0 && text[text.length - 1] == '\r' ? text.length - 1 : text.length;
            line.reset();
            synchronized (sink) {
                sink.write(kind);
                sink.write(text, 0, length);
                sink.write('\n');
            }
        }

        private void sendWritten() throws IOException {
            synchronized (sink) {
                sink.flush();
            }
        }
    }
}
