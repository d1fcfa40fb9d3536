package zarn.applethost;

import java.io.PrintWriter;
import java.io.StringWriter;

/**
 * An exception the applet does not catch, on any thread (the event thread's too,
 * so a throw in paint counts): its trace goes to the applet's console as Java
 * prints it, and Zarn hears where it happened ("exception NAME WHERE"), WHERE being
 * the method of the applet's own classes it came through first, such as paint, or
 * else the thread.
 */
final class UncaughtExceptions implements Thread.UncaughtExceptionHandler {
    private final SourceLoader appletClasses;

    UncaughtExceptions(SourceLoader appletClasses) {
        this.appletClasses = appletClasses;
    }

    @Override
    public void uncaughtException(Thread thread, Throwable failure) {
        if (failure instanceof ThreadDeath) {
            return;
        }
        // In one piece, as Java's own handler prints it: "Exception in thread", the trace.
        StringWriter trace = new StringWriter();
        failure.printStackTrace(new PrintWriter(trace));
        System.err.print("Exception in thread \"" + thread.getName() + "\" " + trace);
        String name = failure.getClass().getSimpleName();
        Reports.line("exception", (name.isEmpty() ? failure.getClass().getName() : name) + " " + where(thread, failure));
    }

    private String where(Thread thread, Throwable failure) {
        StackTraceElement[] frames = failure.getStackTrace();
        for (int i = frames.length - 1; i >= 0; --i) {
            if (appletClasses.defines(frames[i].getClassName())) {
                return frames[i].getMethodName();
            }
        }
        return "thread " + thread.getName();
    }
}
