#pragma once

#include "AppPaths.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class AboutWindow;
class AppletCommands;
class BusyState;
class ClassNavigation;
struct CompileResult;
class DiagnosticsSummary;
class Document;
class DocumentCommands;
class OptionsWindow;
class EditorPane;
class FileDialog;
class FindWindow;
class CodeCompletion;
class CompletionRequests;
class LiveChecks;
class QLabel;
class QMenu;
class QTimer;
class PackageCompletion;
class RecentFiles;
class QStatusBar;
class QToolBar;
class SettingsStore;
class TextRecovery;
class UserMessages;

// Where the main window asks the user: message boxes and the shared file dialog.
// Left empty, Zarn uses Qt's; tests pass stand-ins that answer for the user.
struct Dialogs
{
    std::shared_ptr<UserMessages> messages;
    std::shared_ptr<FileDialog> files;
};

// The main window: the editing pane with its completion list, the menus, the
// toolbar and the status bar. It holds the owners of the state that the other
// windows share: the document, the settings, the shared file dialog.
class Zarn : public QMainWindow
{
    Q_OBJECT

public:
    // appFolder is the application folder, which holds "Options.dat" and temp/.
    explicit Zarn(const QString &appFolder, Dialogs dialogs = {});
    ~Zarn() override;

    // The open document: its FileName, format and modified state.
    Document &document() { return *m_document; }
    // Editor face and size indexes and the compiler path, as "Options.dat" keeps them.
    SettingsStore &settings() { return *m_settings; }

    const AppPaths &paths() const { return m_paths; }

    // Sets the face, then the size, of the editing pane's font.
    void ApplyEditorFont(const QString &face, int points);

    // Opens the file at path (relative to the current folder), as File > Open does
    // with a name chosen in its dialog; a file that is not there yet is started
    // empty under that name, to be written on the first Save.
    void openFile(const QString &path);

    // Offers the text that a Zarn which ended without saving it left behind.
    void offerRecoveredText();
    // Keeps unsaved text in this Zarn's recovery file now (Zarn is about to end).
    void keepUnsavedText();

    // View > Applet and the Publish commands, with the compile they share.
    AppletCommands &appletCommands() { return *m_applets; }
    // A command's compile runs: the window takes no other command, nor typing.
    bool isBusy() const;

    // Runs the command of toolbar button index (1 to 10); separators and any
    // other position do nothing.
    void Toolbar1_ButtonClick(int index);
    void NewB_Click();
    void OpenB_Click();
    void SaveB_Click();
    void SaveAsB_Click();
    void ExitB_Click();
    void UndoB_Click();
    void RedoB_Click();
    void CutB_Click();
    void CopyB_Click();
    void PasteB_Click();
    void DeleteB_Click();
    void FindB_Click();
    void FindNextB_Click();
    void FindPreviousB_Click();
    void ReplaceB_Click();
    void GoToLineB_Click();
    // F12 (or Ctrl+click): the source of the class named at the caret; Alt+Left and
    // Alt+Right: back and forward through the places left so.
    void GoToClassB_Click();
    void CompleteB_Click();
    void BackB_Click();
    void ForwardB_Click();
    void AppletB_Click();
    void AppletConsoleB_Click();
    void PubAppletB_Click();
    void PubAppletHtmlB_Click();
    void PubRunnableJarB_Click();
    void OptionsB_Click();
    void AboutB_Click();

protected:
    // Closing asks to save unsaved changes first; Cancel keeps the window open.
    // During a compile, the compile is cancelled first.
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool readyToCompile(bool pageToo = false);
    // The document is an HTML page (.html, .htm).
    bool isPage() const;
    void applySettings();
    // The comforts of the Workspace page, as switched on or off.
    void applyWorkspace();
    void setResizable(bool resizable);
    // The pane, toolbar and status bar at the designed places, stretched with the
    // client area when the window is resizable.
    void layOutClient(const QSize &client);
    // "Zarn V0.01", or with captionShowsFile "Hello.java* - Zarn V0.01".
    void updateCaption();
    void showRecentFiles(QMenu *menu);
    void openRecent(const QString &path);
    void createMenus();
    void createToolbar();
    // The compile summary and the caret's place in the status bar, F8 and Shift+F8.
    void createDiagnosticControls();
    void connectEditControls();
    // Shows the compile's messages.
    void compileEnded(const CompileResult &result, bool compiled);
    // A command's compile begins or ends; a close asked for meanwhile happens after.
    void setBusy(bool busy);
    void layOutClientArea(QWidget *client);
    // A new document or another file in the pane: the last compile's words go.
    void documentReplaced();
    // A file dropped on the window opens as File > Open would.
    void openDropped(const QString &path);
    FindWindow &findWindow();
    void showCaretPlace();
    // Brings this window forward with the caret on line of the file at path, which
    // is opened first (asking to save changes) when it is not the document.
    void showSourceLine(const QString &path, int line);
    // The document at path, opened unless it is open: false when it was not.
    bool openUnlessOpen(const QString &path);
    void Form_Load();

    const AppPaths m_paths;
    std::shared_ptr<UserMessages> m_messages;
    // Shared with the Options window, which may outlive this one.
    std::shared_ptr<SettingsStore> m_settings;
    // The shared file dialog, used by the document and publishing commands.
    std::shared_ptr<FileDialog> CommonDialog1;
    Document *m_document = nullptr;
    std::unique_ptr<DocumentCommands> m_documents;
    std::unique_ptr<AppletCommands> m_applets;
    TextRecovery *m_recovery = nullptr;
    std::unique_ptr<RecentFiles> m_recent;
    std::unique_ptr<ClassNavigation> m_navigation;
    // Gone before the commands and the settings it reads.
    std::unique_ptr<LiveChecks> m_liveChecks;
    std::unique_ptr<CompletionRequests> m_completionRequests;
    PackageCompletion *m_completion = nullptr;
    CodeCompletion *m_codeCompletion = nullptr;
    BusyState *m_busy = nullptr;
    // The window was asked to close while a compile ran; it closes once it has ended.
    bool m_closeRequested = false;
    // The Options and About windows, one of each while open; they have no owner.
    QPointer<OptionsWindow> m_optionsWindow;
    QPointer<AboutWindow> m_aboutWindow;

    QToolBar *Toolbar1 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    DiagnosticsSummary *m_diagnosticsSummary = nullptr;
    // "Ln 12, Col 5" at the status bar's right end.
    QLabel *m_caretPlace = nullptr;
    QTimer *m_caretPlaceDue = nullptr;
    static constexpr int CaretPlaceDelayMs = 50;
    // Find and Replace, made when first asked for.
    FindWindow *m_findWindow = nullptr;
    EditorPane *Richtextbox1 = nullptr;

    QAction *NewB = nullptr;
    QAction *OpenB = nullptr;
    QAction *SaveB = nullptr;
    QAction *SaveAsB = nullptr;
    QAction *ExitB = nullptr;
    QMenu *RecentFilesMenu = nullptr;
    QAction *UndoB = nullptr;
    QAction *RedoB = nullptr;
    QAction *CutB = nullptr;
    QAction *CopyB = nullptr;
    QAction *PasteB = nullptr;
    QAction *DeleteB = nullptr;
    QAction *FindB = nullptr;
    QAction *FindNextB = nullptr;
    QAction *FindPreviousB = nullptr;
    QAction *ReplaceB = nullptr;
    QAction *GoToLineB = nullptr;
    QAction *GoToClassB = nullptr;
    QAction *CompleteB = nullptr;
    QAction *BackB = nullptr;
    QAction *ForwardB = nullptr;
    QAction *AppletB = nullptr;
    QAction *AppletConsoleB = nullptr;
    QAction *OptionsB = nullptr;
    QAction *NextMessageB = nullptr;
    QAction *PreviousMessageB = nullptr;
    QAction *PubAppletB = nullptr;
    QAction *PubAppletHtmlB = nullptr;
    QAction *PubRunnableJarB = nullptr;
    QAction *AboutB = nullptr;

    // The menu command behind each toolbar position; null for the separators.
    std::array<QAction *, 10> m_toolbarCommands{};
};
