package zarn.compiler;

import com.sun.source.tree.CompilationUnitTree;
import com.sun.source.tree.ErroneousTree;
import com.sun.source.tree.IdentifierTree;
import com.sun.source.tree.ImportTree;
import com.sun.source.tree.MemberSelectTree;
import com.sun.source.tree.NewClassTree;
import com.sun.source.tree.Tree;
import com.sun.source.util.JavacTask;
import com.sun.source.util.SourcePositions;
import com.sun.source.util.TreePath;
import com.sun.source.util.TreePathScanner;
import com.sun.source.util.Trees;
import java.io.IOException;
import java.io.Writer;
import java.nio.charset.Charset;
import java.util.ArrayList;
import java.util.Comparator;
import java.util.List;
import java.util.TreeMap;
import java.util.function.BooleanSupplier;
import javax.lang.model.element.Element;
import javax.lang.model.element.ElementKind;
import javax.lang.model.element.ExecutableElement;
import javax.lang.model.element.Modifier;
import javax.lang.model.element.PackageElement;
import javax.lang.model.element.TypeElement;
import javax.lang.model.element.VariableElement;
import javax.lang.model.type.ArrayType;
import javax.lang.model.type.DeclaredType;
import javax.lang.model.type.TypeKind;
import javax.lang.model.type.TypeMirror;
import javax.lang.model.type.TypeVariable;
import javax.lang.model.util.Elements;
import javax.tools.JavaCompiler;
import javax.tools.StandardJavaFileManager;
import javax.tools.ToolProvider;

/**
 * What may stand at the caret of a source's text as Zarn's pane holds it, answered
 * by javac's own symbols: after "expr." the members of the expression's type, after
 * "new " the classes, elsewhere the names in scope (imports and java.lang
 * included). One line each, sorted: the text to insert (a method's with its
 * opening parenthesis), a tab, what the list shows. All of them: the pane filters
 * by what is typed. Like the check, it writes nothing.
 */
final class Completion {
    /** Stands for the name being typed where none is typed yet, so that javac builds a tree there. */
    private static final String PLACEHOLDER = "zarnCaret$";

    private enum Place {
        MEMBER, NEW, SCOPE
    }

    private final Trees trees;
    private final Elements elements;
    private final CompilationUnitTree unit;
    /** By label, in any case first: "button" and "Button" are both there. */
    private final TreeMap<String, String> found =
            new TreeMap<>(String.CASE_INSENSITIVE_ORDER.thenComparing(Comparator.naturalOrder()));

    private Completion(JavacTask task, CompilationUnitTree unit) {
        this.trees = Trees.instance(task);
        this.elements = task.getElements();
        this.unit = unit;
    }

    static Compiles.Outcome run(List<String> options, String path, String text, int caret, Charset charset,
            BooleanSupplier cancelled) {
        int at = Math.max(0, Math.min(caret, text.length()));
        int nameStart = at;
        while (nameStart > 0 && Character.isJavaIdentifierPart(text.charAt(nameStart - 1))) {
            --nameStart;
        }
        String analysed = nameStart == at ? text.substring(0, at) + PLACEHOLDER + text.substring(at) : text;
        JavaCompiler compiler = ToolProvider.getSystemJavaCompiler();
        try (StandardJavaFileManager files = compiler.getStandardFileManager(null, null, null)) {
            List<String> checked = new ArrayList<>(options);
            checked.add("-proc:none");
            // javac's messages about the unfinished text are no answer here.
            JavacTask task = (JavacTask) compiler.getTask(Writer.nullWriter(), files, diagnostic -> { }, checked, null,
                    List.of(new TextCheck.PaneSource(path, analysed)));
            task.addTaskListener(new Compiles.Cancellation(cancelled));
            CompilationUnitTree unit = task.parse().iterator().next();
            task.analyze();
            Completion completion = new Completion(task, unit);
            completion.collectAt(nameStart);
            return new Compiles.Outcome(completion.lines().getBytes(charset), new byte[0], 0);
        } catch (IOException | RuntimeException e) {
            return new Compiles.Outcome(new byte[0], ("error: " + e.getMessage() + "\n").getBytes(charset), 2);
        }
    }

    private String lines() {
        StringBuilder lines = new StringBuilder();
        found.forEach((label, insert) -> lines.append(insert).append('\t').append(label).append('\n'));
        return lines.toString();
    }

    /** The innermost name (a plain one, or after a dot) that starts at nameStart, and where it stands. */
    private void collectAt(int nameStart) {
        SourcePositions positions = trees.getSourcePositions();
        TreePath[] name = {null};
        new TreePathScanner<Void, Void>() {
            @Override
            public Void visitIdentifier(IdentifierTree tree, Void unused) {
                if (startsAt(tree, tree.getName().length())) {
                    name[0] = getCurrentPath();
                }
                return super.visitIdentifier(tree, unused);
            }

            @Override
            public Void visitMemberSelect(MemberSelectTree tree, Void unused) {
                if (startsAt(tree, tree.getIdentifier().length())) {
                    name[0] = getCurrentPath();
                }
                return super.visitMemberSelect(tree, unused);
            }

            @Override
            public Void visitErroneous(ErroneousTree tree, Void unused) {
                // An unfinished statement ("g." and no semicolon) holds what javac made of it.
                return scan(tree.getErrorTrees(), unused);
            }

            private boolean startsAt(Tree tree, int length) {
                long end = positions.getEndPosition(unit, tree);
                return end >= 0 && end - length == nameStart;
            }
        }.scan(unit, null);
        if (name[0] == null) {
            return;
        }
        Tree leaf = name[0].getLeaf();
        Tree parent = name[0].getParentPath().getLeaf();
        if (leaf instanceof MemberSelectTree) {
            collectMembers(name[0], (MemberSelectTree) leaf);
        } else if (parent instanceof NewClassTree && ((NewClassTree) parent).getIdentifier() == leaf) {
            collectInScope(name[0], Place.NEW);
        } else {
            collectInScope(name[0], Place.SCOPE);
        }
    }

    private void collectMembers(TreePath at, MemberSelectTree select) {
        TreePath expression = new TreePath(at, select.getExpression());
        Element named = trees.getElement(expression);
        com.sun.source.tree.Scope scope = trees.getScope(at);
        if (named instanceof PackageElement) {
            for (Element type : named.getEnclosedElements()) {
                addIfAccessible(scope, type, null, Place.MEMBER);
            }
            return;
        }
        TypeMirror type = trees.getTypeMirror(expression);
        while (type instanceof TypeVariable) {
            type = ((TypeVariable) type).getUpperBound();
        }
        boolean typeName = named != null && (named.getKind().isClass() || named.getKind().isInterface());
        if (type instanceof ArrayType) {
            found.put("length", "length");
            type = elements.getTypeElement("java.lang.Object").asType();
        }
        if (!(type instanceof DeclaredType)) {
            return;
        }
        DeclaredType declared = (DeclaredType) type;
        for (Element member : elements.getAllMembers((TypeElement) declared.asElement())) {
            boolean isStatic = member.getModifiers().contains(Modifier.STATIC);
            boolean memberType = member.getKind().isClass() || member.getKind().isInterface();
            if (typeName ? isStatic || memberType : !memberType) {
                addIfAccessible(scope, member, declared, Place.MEMBER);
            }
        }
    }

    private void collectInScope(TreePath at, Place place) {
        com.sun.source.tree.Scope scope = trees.getScope(at);
        for (com.sun.source.tree.Scope level = scope; level != null; level = level.getEnclosingScope()) {
            for (Element element : level.getLocalElements()) {
                addIfAccessible(scope, element, null, place);
            }
            TypeElement type = level.getEnclosingClass();
            if (type != null) {
                for (Element member : elements.getAllMembers(type)) {
                    addIfAccessible(scope, member, (DeclaredType) type.asType(), place);
                }
            }
        }
        for (ImportTree imported : unit.getImports()) {
            collectImported(scope, imported, place);
        }
        for (String packageName : new String[] {"java.lang", packageOf(unit)}) {
            PackageElement known = elements.getPackageElement(packageName);
            if (known != null) {
                for (Element type : known.getEnclosedElements()) {
                    addIfAccessible(scope, type, null, place);
                }
            }
        }
    }

    private void collectImported(com.sun.source.tree.Scope scope, ImportTree imported, Place place) {
        if (imported.isStatic() || !(imported.getQualifiedIdentifier() instanceof MemberSelectTree)) {
            return;
        }
        MemberSelectTree name = (MemberSelectTree) imported.getQualifiedIdentifier();
        boolean onDemand = name.getIdentifier().contentEquals("*");
        Element element = trees.getElement(TreePath.getPath(unit, onDemand ? name.getExpression() : name));
        if (element == null) {
            return;
        }
        if (!onDemand) {
            addIfAccessible(scope, element, null, place);
            return;
        }
        for (Element type : element.getEnclosedElements()) {
            addIfAccessible(scope, type, null, place);
        }
    }

    private static String packageOf(CompilationUnitTree unit) {
        return unit.getPackageName() == null ? "" : unit.getPackageName().toString();
    }

    private void addIfAccessible(com.sun.source.tree.Scope scope, Element element, DeclaredType in, Place place) {
        ElementKind kind = element.getKind();
        boolean type = kind.isClass() || kind.isInterface();
        boolean wanted = place == Place.NEW ? kind == ElementKind.CLASS || kind == ElementKind.INTERFACE
                : type || kind.isField() || kind == ElementKind.METHOD || kind == ElementKind.LOCAL_VARIABLE
                        || kind == ElementKind.PARAMETER || kind == ElementKind.EXCEPTION_PARAMETER
                        || kind == ElementKind.RESOURCE_VARIABLE;
        String name = element.getSimpleName().toString();
        if (!wanted || name.isEmpty() || name.contains(PLACEHOLDER) || !accessible(scope, element, in)) {
            return;
        }
        if (kind == ElementKind.METHOD) {
            found.putIfAbsent(signature((ExecutableElement) element), name + "(");
        } else {
            found.putIfAbsent(name, name);
        }
    }

    private boolean accessible(com.sun.source.tree.Scope scope, Element element, DeclaredType in) {
        if (element instanceof TypeElement) {
            return trees.isAccessible(scope, (TypeElement) element);
        }
        if (in != null && (element instanceof ExecutableElement || element instanceof VariableElement)) {
            return trees.isAccessible(scope, element, in);
        }
        return true; // a local, a parameter
    }

    /** drawLine(int, int, int, int), as the list shows a method. */
    private static String signature(ExecutableElement method) {
        StringBuilder text = new StringBuilder(method.getSimpleName()).append('(');
        List<? extends VariableElement> parameters = method.getParameters();
        for (int i = 0; i < parameters.size(); ++i) {
            String type = simpleName(parameters.get(i).asType());
            if (method.isVarArgs() && i == parameters.size() - 1 && type.endsWith("[]")) {
                type = type.substring(0, type.length() - 2) + "...";
            }
            text.append(i > 0 ? ", " : "").append(type);
        }
        return text.append(')').toString();
    }

    private static String simpleName(TypeMirror type) {
        if (type.getKind() == TypeKind.ARRAY) {
            return simpleName(((ArrayType) type).getComponentType()) + "[]";
        }
        if (type.getKind() != TypeKind.DECLARED) {
            return type.toString();
        }
        DeclaredType declared = (DeclaredType) type;
        StringBuilder text = new StringBuilder(declared.asElement().getSimpleName());
        List<? extends TypeMirror> arguments = declared.getTypeArguments();
        for (int i = 0; i < arguments.size(); ++i) {
            text.append(i == 0 ? "<" : ", ").append(simpleName(arguments.get(i)));
        }
        return text.append(arguments.isEmpty() ? "" : ">").toString();
    }
}
