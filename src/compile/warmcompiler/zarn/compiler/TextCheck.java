package zarn.compiler;

import com.sun.tools.javac.api.BasicJavacTask;
import com.sun.tools.javac.util.Log;
import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.OutputStreamWriter;
import java.io.PrintWriter;
import java.net.URI;
import java.nio.charset.Charset;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.List;
import java.util.function.BooleanSupplier;
import javax.tools.JavaCompiler;
import javax.tools.SimpleJavaFileObject;
import javax.tools.StandardJavaFileManager;
import javax.tools.ToolProvider;

/**
 * A check of one source's text as it stands in Zarn's pane, not as it is on disk:
 * javac parses, attributes and analyses it with the options a compile would use
 * (its neighbours found through the source path), and prints its messages as a
 * compile prints them. It generates nothing and runs no annotation processor, so it
 * writes no file anywhere.
 */
final class TextCheck {
    private TextCheck() {
    }

    /** The check of text, the source at path; exit status 1 when javac reported an error. */
    static Compiles.Outcome run(List<String> options, String path, String text, Charset charset,
            BooleanSupplier cancelled) {
        ByteArrayOutputStream err = new ByteArrayOutputStream();
        PrintWriter errWriter = new PrintWriter(new OutputStreamWriter(err, charset), true);
        JavaCompiler compiler = ToolProvider.getSystemJavaCompiler();
        int exitCode = 0;
        try (StandardJavaFileManager files = compiler.getStandardFileManager(null, null, null)) {
            List<String> checked = new ArrayList<>(options);
            checked.add("-proc:none");
            BasicJavacTask task = (BasicJavacTask) compiler.getTask(errWriter, files, null, checked, null,
                    List.of(new PaneSource(path, text)));
            task.addTaskListener(new Compiles.Cancellation(cancelled));
            task.analyze();
            exitCode = Log.instance(task.getContext()).nerrors > 0 ? 1 : 0;
        } catch (IOException | RuntimeException e) {
            // An option javac refuses, or a check ended for a client that went.
            errWriter.println("error: " + e.getMessage());
            exitCode = 2;
        }
        errWriter.flush();
        return new Compiles.Outcome(new byte[0], err.toByteArray(), exitCode);
    }

    /** The pane's text under the source's own name, which javac's messages give. */
    static final class PaneSource extends SimpleJavaFileObject {
        private final String text;

        PaneSource(String path, String text) {
            super(uriOf(path), Kind.SOURCE);
            this.text = text;
        }

        @Override
        public CharSequence getCharContent(boolean ignoreEncodingErrors) {
            return text;
        }

        private static URI uriOf(String path) {
            return Paths.get(path).toAbsolutePath().toUri();
        }
    }
}
