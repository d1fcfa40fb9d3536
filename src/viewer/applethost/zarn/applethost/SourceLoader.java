package zarn.applethost;

import java.io.IOException;
import java.io.StringWriter;
import java.net.URL;
import java.net.URLClassLoader;
import java.nio.ByteBuffer;
import java.nio.charset.CharacterCodingException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.HashSet;
import java.util.List;
import java.util.Set;
import java.util.concurrent.ConcurrentHashMap;
import javax.tools.JavaCompiler;
import javax.tools.StandardJavaFileManager;
import javax.tools.ToolProvider;

/**
 * The applet's class loader. A class that no class folder holds, but whose source
 * lies in the applet's source folder, is compiled on demand into the first class
 * folder and loaded from there: an applet may load classes by a name it reads at
 * run time, which no compile of its own source could have foreseen. Compiling only
 * what is asked for costs nothing when nothing is, and a broken source that the
 * applet never loads cannot stop it.
 */
final class SourceLoader extends URLClassLoader {
    private final Path sources;
    private final Path output;
    private final String appletApi;
    private final Set<String> tried = new HashSet<>();
    private final Set<String> defined = ConcurrentHashMap.newKeySet();

    /**
     * sources or output may be null: then nothing is compiled. appletApi is Zarn's
     * Applet API, to compile against when the JDK lacks its own; else null.
     */
    SourceLoader(URL[] path, Path sources, Path output, String appletApi, ClassLoader parent) {
        super(path, parent);
        this.sources = sources;
        this.output = output;
        this.appletApi = appletApi;
    }

    @Override
    protected Class<?> findClass(String name) throws ClassNotFoundException {
        Class<?> found;
        try {
            found = super.findClass(name);
        } catch (ClassNotFoundException missing) {
            if (!compileFromSource(name)) {
                throw missing;
            }
            found = super.findClass(name);
        }
        defined.add(name);
        return found;
    }

    /** Whether the class of that binary name is one of the applet's own, loaded by this loader. */
    boolean defines(String name) {
        return defined.contains(name);
    }

    /** Resources are heard of, so that publishing can carry them. */
    @Override
    public URL findResource(String name) {
        URL url = super.findResource(name);
        LoadWatch.loaded(url);
        return url;
    }

    private synchronized boolean compileFromSource(String name) {
        // A nested class comes with its outer one; each name is tried once.
        if (sources == null || output == null || name.indexOf('$') >= 0 || !tried.add(name)) {
            return false;
        }
        Path source = sources.resolve(name.replace('.', '/') + ".java");
        JavaCompiler javac = ToolProvider.getSystemJavaCompiler();
        if (!Files.isRegularFile(source) || javac == null) {
            return false;
        }
        StringWriter messages = new StringWriter();
        try (StandardJavaFileManager files = javac.getStandardFileManager(null, null, null)) {
            List<String> options = new ArrayList<>(List.of("-d", output.toString(), "-sourcepath",
                    sources.toString(), "-classpath", output.toString(), "-nowarn", "-implicit:class"));
            options.addAll(List.of("-encoding", encodingOf(source)));
            if (appletApi != null) {
                options.addAll(List.of("--patch-module", "java.desktop=" + appletApi, "--add-exports",
                        "java.desktop/java.applet=ALL-UNNAMED"));
            }
            boolean compiled = javac.getTask(messages, files, null, options, null,
                    files.getJavaFileObjects(source)).call();
            if (!compiled) {
                System.err.println("The class " + name + " does not compile: " + messages.toString().trim());
            }
            return compiled;
        } catch (Exception e) {
            System.err.println("The class " + name + " cannot be compiled: " + e);
            return false;
        }
    }

    /**
     * The encoding Zarn's editor reads the source in: UTF-8 when its bytes are valid
     * UTF-8, else Latin-1, where every byte is a character.
     */
    private static String encodingOf(Path source) throws IOException {
        try {
            StandardCharsets.UTF_8.newDecoder().decode(ByteBuffer.wrap(Files.readAllBytes(source)));
            return "UTF-8";
        } catch (CharacterCodingException e) {
            return "ISO-8859-1";
        }
    }
}
