#pragma once

#include "AppPaths.h"
#include "AuthorsApplet.h"
#include "CompileDriver.h"
#include "CompileResult.h"
#include "JdkFinder.h"
#include "LoadedFilesCopy.h"
#include "SourceLayout.h"
#include "TextFileCodec.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class AppletConsole;
class AppletFiles;
class AppletOutput;
class AppletWindow;
class CompileFeedback;
class CompileJob;
class Document;
class FileDialog;
class RunnableJar;
class QStatusBar;
class QWidget;
class SettingsStore;
class UserMessages;

// View > Applet, Publish > Applet and Publish > Applet With Html: the document on
// disk compiled, shown running in the viewer, or published with its class. They
// read the document's FileName and the compiler path and change neither. Each runs
// as a chain of steps on the event loop: the JDK found, the compile's job, then
// what follows it; meanwhile the command is busy (see busyChanged) and no other
// starts.
class AppletCommands : public QObject
{
    Q_OBJECT

public:
    // window is the main window, owner of the status bar and of the dialogs' place.
    AppletCommands(QWidget &window, QStatusBar &statusBar, const Document &document,
                   const SettingsStore &settings, FileDialog &dialog, UserMessages &messages,
                   const AppPaths &paths);
    ~AppletCommands() override;

    void View();
    // View > Applet on an HTML page: its first applet, compiled from its source when
    // that lies beside the page or under its code base, else run as published.
    void ViewPage();
    void Publish();
    void PublishWithHtml();
    // Publish > Runnable Jar: one jar that runs the applet with "java -jar" on any
    // JDK from 17 on, its classes and the files it loads inside (see RunnableJar).
    void PublishRunnableJar();
    // View > Applet Console: the console of the last applet run, brought forward.
    void ShowConsole();

    enum class CompileFeedbackStyle { StatusBar, ProgressWindow };
    // Compiles the file on disk at FileName with the compiler at CompilerLocation
    // into destination (a packaged class into its package's folders there);
    // compileEnded says how it went.
    void CompileToFolder(const QString &destination, CompileFeedbackStyle style);

    // A command runs, from its first step to its last (its dialogs included).
    bool isRunning() const { return m_running; }
    // Ends the compile the running command waits for; the command ends as after a
    // compile that failed.
    void cancel();

    CompileDriver &compileDriver() { return m_compiler; }

    // What a check or a completion of the document's text (see TextCheck,
    // CompletionQuery) needs: the warm compiler's socket and javac, javac's options
    // as the document's compile would give them, and the document's path. Nothing
    // while a command runs, before the warm compiler is ready (see warmUpTextHelp),
    // or for a document that is no Java source where its folders match its package.
    struct TextCheckRequest
    {
        QString socket;
        QString javac;
        QStringList options;
        QString path;
    };
    std::optional<TextCheckRequest> textCheckRequest(const QString &text) const;
    // Starts the warm compiler of the configured JDK for the checks and completions
    // of a Java source, unless it runs: textHelpReady follows once it is ready, or
    // textHelpUnavailable when it cannot run (or the document is no Java source).
    void warmUpTextHelp();

Q_SIGNALS:
    // From the command's start until its compile has ended: the window takes no
    // other command meanwhile, and Esc cancels.
    void busyChanged(bool busy);
    // After every compile: compiled is false when it could not run or end properly,
    // or made no class file without the compiler reporting an error (the status bar
    // then says why).
    void compileEnded(const CompileResult &result, bool compiled);
    // A link in the applet console: line (from 1) of the source file at path.
    void sourceLineAsked(const QString &path, int line);
    void textHelpReady();
    void textHelpUnavailable();

private:
    using Then = std::function<void(const CompileResult &)>;

    // What View runs: the document, or for a helper of a package (not an applet, as
    // far as its sources tell) the applet last viewed from the package, with the
    // status bar's note that says so. applet: the source may be an applet.
    struct Viewed
    {
        QString source;
        SourceLayout layout;
        QString note;
        bool applet;
        // The element to run it with; else the author's that authorsApplet finds.
        std::optional<AuthorsApplet> authors = std::nullopt;
    };
    Viewed viewed(const SourceLayout &layout) const;
    // The steps of View for what viewed() chose.
    void viewSource(const Viewed &view);
    // A published applet's page run as it is, nothing compiled.
    void viewPublished(const QString &page, const QString &note);
    AppletWindow &appletWindow();
    // The Workspace page's comforts on the viewer: resizable, its caption, its size.
    void fitViewer(const QString &className);
    // The main window's status bar on the screen, which no window opened covers.
    QRect statusBarPlace() const;
    // Opens the console on the current run, brought forward when asked for.
    void openConsole(bool forward);
    // The path confirmed in the shared dialog; suggestion, when given, is offered
    // instead of the name confirmed last. Nothing on cancel.
    std::optional<QString> askSavePath(const QString &filter, const QString &title,
                                       const QString &suggestion = QString());
    // A publishing dialog's path, asked again while it names the source being
    // published or one of classFiles just published: what (the page, the jar) must
    // never take their place. Nothing on cancel.
    std::optional<QString> askPublishPath(const QString &filter, const QString &title, QString suggestion,
                                          const QStringList &classFiles, const QString &what);
    void warnOfPage(const QString &path, const QString &problem);
    // javac's name of the encoding the editor read a source in.
    static QString javacEncoding(TextEncoding encoding);
    // The code value a page names the class by: a packaged class in full, others
    // as the command always did (unpackaged).
    static QString codeValue(const SourceLayout &layout, const QString &unpackaged);
    // Where the document's class lives; nothing, with the status bar saying why,
    // when its folders do not match its package.
    std::optional<SourceLayout> checkedLayout();
    // "Compiling with PATH (JDK N)" the first time Zarn compiles with a JDK it chose
    // itself, the settings naming none that exists; else empty.
    QString compilerAnnouncement(const Jdk &jdk);

    // The steps every command shares: begin (busy), the JDK found, the compile of
    // the document laid out as layout into destination, then, once the busy state
    // has ended, then with its result; end.
    void begin();
    void findJdk(std::function<void(const Jdk &)> found);
    void compile(const Jdk &jdk, const QString &source, const SourceLayout &layout,
                 const QString &destination, CompileFeedbackStyle style, std::function<void()> beforeScript,
                 Then then);
    void end();

    // True when the applet loads.
    bool viewCompiled(const SourceLayout &layout, const CompileResult &result, const QString &pageProblem);
    void publishPage(const SourceLayout &layout, const QString &classPath, const CompileResult &result);
    // What a copy of the loaded files did; nothing copied when they are not known yet.
    struct LoadedCopy
    {
        std::optional<CopiedFiles> copied;
        bool cancelled = false;
    };
    // Copies the files the applet loaded in its last View into destination (the
    // published class's code base), off the window's thread, with a progress window.
    void copyLoadedFiles(const QString &destination, std::function<void(const LoadedCopy &)> then);
    // Says in the status bar what was published.
    void filesPublished(const QString &classFile, const QString &page, const LoadedCopy &copy);
    static QString filesText(const CopiedFiles &copied);
    void warnOfFilesNotPublished(const CopiedFiles &copied);
    // The steps of Publish > Runnable Jar after the compile into the jar's root.
    void packRunnableJar(const SourceLayout &layout, const QString &target, const QString &tool,
                         const CompileResult &result);
    // The jar tool has ended: the jar is in place unless problem says why not.
    void jarPacked(const QString &target, const LoadedCopy &copied, const QString &problem);
    void jarCancelled(const QString &target);
    void jarNotPublished(const QString &target, const QString &problem);

    QWidget &m_window;
    QStatusBar &m_statusBar;
    const Document &m_document;
    const SettingsStore &m_settings;
    FileDialog &m_dialog;
    UserMessages &m_messages;
    const AppPaths m_paths;
    CompileDriver m_compiler;
    JdkFinder m_jdks;
    JdkFinder m_textHelpJdks; // apart from the commands', whose finds it would replace
    bool m_running = false;
    bool m_busy = false;
    QPointer<CompileJob> m_job;
    std::unique_ptr<LoadedFilesCopy> m_copy; // while the loaded files are published
    std::unique_ptr<RunnableJar> m_jar;      // while a runnable jar is made
    // The folder the last Publish wrote to, where a runnable jar is offered.
    QString m_publishedTo;
    std::unique_ptr<CompileFeedback> m_feedback;
    // The applet viewer, while it is open; it may outlive the main window.
    QPointer<AppletWindow> m_appletWindow;
    // What the applet loaded in its last View.
    std::unique_ptr<AppletFiles> m_appletFiles;
    // The applet last viewed from each package root, for F9 on a helper.
    QHash<QString, QString> m_lastApplets;
    // The JDK of the last compile or warm-up, whose warm compiler checks the text.
    std::optional<Jdk> m_lastJdk;
    // The compiler Zarn last said it chose.
    QString m_announcedCompiler;
    // The applet console, while it is open, and what the last applet run wrote.
    QPointer<AppletConsole> m_console;
    std::shared_ptr<AppletOutput> m_output;
    // Applet runs are counted; the first exception of a run opens the console.
    int m_run = 0;
    int m_runOfFirstException = 0;
};
