package zarn.compiler;

import java.io.BufferedInputStream;
import java.io.DataInputStream;
import java.io.IOException;
import java.nio.ByteBuffer;
import java.nio.channels.Channels;
import java.nio.channels.SocketChannel;
import java.nio.file.Files;
import java.nio.file.Paths;
import java.nio.file.attribute.UserPrincipal;
import java.util.concurrent.Executors;
import java.util.concurrent.ScheduledExecutorService;
import java.util.concurrent.ScheduledFuture;
import java.util.concurrent.TimeUnit;
import jdk.net.ExtendedSocketOptions;
import jdk.net.UnixDomainPrincipal;

/**
 * One client's compile. While it waits and compiles, a heartbeat ('h') every
 * quarter second tells the client the compiler lives; at the end come what javac
 * printed ('o' and 'e', each with its length) and its exit status ('x'). A
 * refusal ('r') sends the client to plain javac. A client that goes away cancels
 * its compile.
 */
final class Session {
    static final long HEARTBEAT_MS = 250;
    /** A client sends its whole request at once: one that has not within this is dropped. */
    static final long REQUEST_DEADLINE_MS = 5000;
    private static final ScheduledExecutorService DEADLINES = Executors.newSingleThreadScheduledExecutor(task -> {
        Thread thread = new Thread(task, "deadlines");
        thread.setDaemon(true);
        return thread;
    });

    private final SocketChannel channel;
    private final Compiles compiles;
    private volatile boolean gone;
    private volatile boolean finished;

    Session(SocketChannel channel, Compiles compiles) {
        this.channel = channel;
        this.compiles = compiles;
    }

    void serve() {
        try (SocketChannel client = channel) {
            String refusal = peerRefusal();
            Request request = null;
            if (refusal == null) {
                // Closed when the request is late: the read ends, and so does this thread.
                ScheduledFuture<?> deadline = DEADLINES.schedule(this::drop, REQUEST_DEADLINE_MS, TimeUnit.MILLISECONDS);
                boolean late;
                try {
                    request = Request.read(new DataInputStream(new BufferedInputStream(Channels.newInputStream(client))));
                    refusal = compiles.unfit(request);
                } catch (Request.TooLarge e) {
                    refusal = e.getMessage();
                } finally {
                    late = !deadline.cancel(false);
                }
                if (late) {
                    return; // the connection is closed: the client has gone to plain javac
                }
            }
            if (refusal != null) {
                WarmCompiler.say("refused " + refusal);
                send(new byte[] {'r'});
                return;
            }
            Thread heartbeat = startHeartbeat();
            Compiles.Outcome outcome;
            try {
                final Request asked = request;
                if (asked.isCompletion()) {
                    outcome = compiles.complete(asked.checkOptions(), asked.checkedPath(), asked.checkedText(),
                            asked.caret(), () -> gone);
                } else if (asked.isCheck()) {
                    outcome = compiles.check(asked.checkOptions(), asked.checkedPath(), asked.checkedText(), () -> gone);
                } else {
                    outcome = compiles.run(asked.arguments, () -> gone);
                }
            } finally {
                finished = true;
                heartbeat.interrupt();
            }
            if (!gone) {
                send(frame('o', outcome.out));
                send(frame('e', outcome.err));
                send(ByteBuffer.allocate(5).put((byte) 'x').putInt(outcome.exitCode).array());
            }
        } catch (IOException e) {
            // The client went, or sent no sensible request: it falls back to plain javac.
        } catch (RuntimeException | Error e) {
            // Whatever went wrong, the compiler goes on serving; the client falls back.
            WarmCompiler.say("failed " + e);
        } finally {
            WarmCompiler.used();
        }
    }

    private void drop() {
        try {
            channel.close();
        } catch (IOException e) {
            // Closed already.
        }
    }

    /** Why this peer is not served; null for a process of the user the compiler runs as. */
    private String peerRefusal() throws IOException {
        UnixDomainPrincipal peer = channel.getOption(ExtendedSocketOptions.SO_PEERCRED);
        UserPrincipal self = Files.getOwner(Paths.get("/proc/self"));
        return peer.user().equals(self) ? null : "the user " + peer.user().getName() + " is not " + self.getName();
    }

    private Thread startHeartbeat() {
        Thread heartbeat = new Thread(() -> {
            try {
                while (!finished) {
                    send(new byte[] {'h'});
                    Thread.sleep(HEARTBEAT_MS);
                }
            } catch (IOException e) {
                gone = true;
            } catch (InterruptedException e) {
                // The compile has ended.
            }
        }, "heartbeat");
        heartbeat.setDaemon(true);
        heartbeat.start();
        return heartbeat;
    }

    private static byte[] frame(char kind, byte[] bytes) {
        return ByteBuffer.allocate(5 + bytes.length).put((byte) kind).putInt(bytes.length).put(bytes).array();
    }

    private synchronized void send(byte[] bytes) throws IOException {
        ByteBuffer buffer = ByteBuffer.wrap(bytes);
        while (buffer.hasRemaining()) {
            channel.write(buffer);
        }
    }
}
