#pragma once

#include "CompileDriver.h"
#include "SourceLayout.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>

class AppletConsole;
class AppletFiles;
class AppletOutput;
class AppletWindow;
struct AppletTag;
class Document;
class FileDialog;
class QStatusBar;
class QWidget;
class UserMessages;
struct Settings;

// View > Applet, Publish > Applet and Publish > Applet With Html: the document on
// disk compiled, shown running in the viewer, or published with its class. They
// read the document's FileName and the compiler path and change neither.
class AppletCommands : public QObject
{
    Q_OBJECT

public:
    // window is the main window, owner of the status bar and of the dialogs' place.
    AppletCommands(QWidget &window, QStatusBar &statusBar, const Document &document, const Settings &settings,
                   FileDialog &dialog, UserMessages &messages, const QString &appFolder);
    ~AppletCommands() override;

    void View();
    void Publish();
    void PublishWithHtml();
    // View > Applet Console: the console of the last applet run, brought forward.
    void ShowConsole();

    enum class CompileFeedbackStyle { StatusBar, ProgressWindow };
    // Compiles the file on disk at FileName with the compiler at CompilerLocation
    // into destination (a packaged class into its package's folders there). False
    // when the source is not in the folders its package names, the compile could
    // not run or end properly, or made no class file without the compiler reporting
    // an error; the status bar then says why.
    bool CompileToFolder(const QString &destination, CompileFeedbackStyle style);

    const CompileDriver &compileDriver() const { return m_compiler; }
    bool isCompiling() const { return m_compiler.isCompiling(); }

Q_SIGNALS:
    // After every compile: compiled is false when it could not run or did not end
    // properly. The compiler's output is in compileDriver().
    void compileEnded(bool compiled);
    // A link in the applet console: line (from 1) of the source file at path.
    void sourceLineAsked(const QString &path, int line);

private:
    QString tempFolder() const;
    AppletWindow &appletWindow();
    // Opens the console on the current run, brought forward when asked for.
    void openConsole(bool forward);
    // Shows the shared dialog in save mode; the confirmed path, or nothing on cancel.
    // The path confirmed in the shared dialog; suggestion, when given, is offered
    // instead of the name confirmed last.
    std::optional<QString> askSavePath(const QString &filter, const QString &title,
                                       const QString &suggestion = QString());
    // False, after saying why, when it cannot be written.
    bool writePage(const QString &codeValue, const QString &path, const AppletTag *authors);
    // Where the document's class lives; nothing, with the status bar saying why,
    // when its folders do not match its package.
    std::optional<SourceLayout> checkedLayout();
    // "Compiling with PATH (JDK N)" the first time Zarn compiles with a JDK it chose
    // itself, the settings naming none that exists; else empty.
    QString compilerAnnouncement();
    // CompileToFolder for the document laid out as layout.
    bool compile(const SourceLayout &layout, const QString &destination, CompileFeedbackStyle style);
    // Copies the files the applet loaded in its last View beside the published class,
    // and says in the status bar what was published.
    void publishLoadedFiles(const QString &classFile, const QString &pagePath, const QString &destination);

    QWidget &m_window;
    QStatusBar &m_statusBar;
    const Document &m_document;
    const Settings &m_settings;
    FileDialog &m_dialog;
    UserMessages &m_messages;
    const QString m_appFolder;
    CompileDriver m_compiler;
    // The applet viewer, while it is open; it may outlive the main window.
    QPointer<AppletWindow> m_appletWindow;
    // What the applet loaded in its last View.
    std::unique_ptr<AppletFiles> m_appletFiles;
    // The compiler Zarn last said it chose.
    QString m_announcedCompiler;
    // The applet console, while it is open, and what the last applet run wrote.
    QPointer<AppletConsole> m_console;
    std::shared_ptr<AppletOutput> m_output;
    // Applet runs are counted; the first exception of a run opens the console.
    int m_run = 0;
    int m_runOfFirstException = 0;
};
