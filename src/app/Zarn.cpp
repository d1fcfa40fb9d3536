#include "Zarn.h"

#include "AboutWindow.h"
#include "AppletCommands.h"
#include "BringForward.h"
#include "BusyState.h"
#include "ClassNavigation.h"
#include "CodeCompletion.h"
#include "CompileResult.h"
#include "CompletionRequests.h"
#include "DiagnosticsSummary.h"
#include "Document.h"
#include "DocumentCommands.h"
#include "EditCommands.h"
#include "EditorPane.h"
#include "FindWindow.h"
#include "FontTables.h"
#include "JavaNames.h"
#include "LiveChecks.h"
#include "OptionsWindow.h"
#include "PackageCompletion.h"
#include "PathBytes.h"
#include "QtFileDialog.h"
#include "QtUserMessages.h"
#include "RecentFiles.h"
#include "SettingsStore.h"
#include "SystemInfo.h"
#include "TextFile.h"
#include "TextRecovery.h"
#include "ToolbarPictures.h"
#include "Twips.h"
#include "Version.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QResizeEvent>
#include <QStatusBar>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>

namespace {

constexpr int ToolbarButtons = 10;

// One toolbar position: its picture (0 for a separator) and its tooltip.
struct ToolbarButton
{
    int image;
    const char *text;
};

const std::array<ToolbarButton, ToolbarButtons> ToolbarLayout = {{
    {3, "New"},
    {4, "Open"},
    {1, "Save"},
    {1, "Save As"},
    {0, nullptr},
    {2, "Cut"},
    {5, "Copy"},
    {7, "Paste"},
    {0, nullptr},
    {6, "Options"},
}};

// The client area as designed; layOutClient places the widgets in it.
const QSize DesignedClient = twipsSize(7440, 6345);

} // namespace

Zarn::Zarn(const QString &appFolder, Dialogs dialogs)
    : m_paths(appFolder)
    , m_messages(dialogs.messages ? std::move(dialogs.messages) : std::make_shared<QtUserMessages>())
    , CommonDialog1(dialogs.files ? std::move(dialogs.files) : std::make_shared<QtFileDialog>())
{
    setObjectName(QStringLiteral("Zarn"));
    setWindowTitle(QStringLiteral("Zarn ") + zarnCaptionVersion());
    setAttribute(Qt::WA_DeleteOnClose);

    auto *client = new QWidget(this);
    client->setFixedSize(DesignedClient);
    client->installEventFilter(this);
    setCentralWidget(client);
    createMenus();
    layOutClientArea(client);
    createToolbar();
    createDiagnosticControls();
    connectEditControls();
    // The completion list lies over the pane at a fixed place; hidden until a
    // known package name is followed by a dot.
    m_completion = new PackageCompletion(*Richtextbox1, *client, twipsRect(3120, 2280, 1695, 840), this);
    m_completion->setObjectName(QStringLiteral("PackageCompletion"));
    // Ctrl+Space's list of what javac knows may stand at the caret, beside the package list.
    m_codeCompletion = new CodeCompletion(*Richtextbox1, *m_completion, *client, this);
    m_codeCompletion->setObjectName(QStringLiteral("CodeCompletion"));
    m_document = new Document(*Richtextbox1->document(), this);
    m_documents = std::make_unique<DocumentCommands>(*Richtextbox1, *m_document, *CommonDialog1, *m_messages,
                                                     m_paths);
    Form_Load();
    m_applets = std::make_unique<AppletCommands>(*this, *StatusBar1, *m_document, *m_settings, *CommonDialog1,
                                                 *m_messages, m_paths);
    connect(m_applets.get(), &AppletCommands::compileEnded, this, &Zarn::compileEnded);
    connect(m_applets.get(), &AppletCommands::sourceLineAsked, this, &Zarn::showSourceLine);
    // The warm compiler's messages about the text as typed, marked as a compile's.
    m_liveChecks = std::make_unique<LiveChecks>(*Richtextbox1->document(), *m_applets, *m_settings,
                                                m_paths.root());
    connect(m_liveChecks.get(), &LiveChecks::checked, this, [this](const CompileResult &result) {
        m_diagnosticsSummary->showCompile(result, m_document->FileName());
    });
    m_completionRequests = std::make_unique<CompletionRequests>(*m_codeCompletion, *Richtextbox1->document(),
                                                                *m_applets, *StatusBar1, m_paths.root());
    m_busy = new BusyState(this);
    connect(m_applets.get(), &AppletCommands::busyChanged, this, &Zarn::setBusy);
    connect(m_busy, &BusyState::cancelAsked, m_applets.get(), &AppletCommands::cancel);
    m_recovery = new TextRecovery(*m_document, m_paths.root(), this);
    m_recent = std::make_unique<RecentFiles>(m_paths.workspace());
    m_navigation = std::make_unique<ClassNavigation>(
        *Richtextbox1, *m_document, *StatusBar1,
        [this](const QString &path) { return openUnlessOpen(path); });
    connect(m_document, &Document::fileNameChanged, this, &Zarn::updateCaption);
    connect(Richtextbox1->document(), &QTextDocument::modificationChanged, this, &Zarn::updateCaption);
    applyWorkspace();
    connect(m_settings.get(), &SettingsStore::workspaceChanged, this, &Zarn::applyWorkspace);
    if (m_settings->workspace().resizable)
        restoreGeometry(readWindowGeometry(m_paths.workspace()));

    Richtextbox1->setFocus();
}

Zarn::~Zarn() = default;

void Zarn::createMenus()
{
    auto addMenu = [this](const char *name, const QString &caption) {
        QMenu *menu = menuBar()->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    auto addItem = [this](QMenu *menu, const char *name, const QString &caption,
                          const QKeySequence &shortcut = {}) {
        QAction *item = menu->addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
        item->setShortcut(shortcut);
        // Shortcuts act anywhere in the window, also while the completion list has the focus.
        item->setShortcutContext(Qt::WindowShortcut);
        addAction(item);
        return item;
    };

    QMenu *file = addMenu("File", tr("&File"));
    NewB = addItem(file, "NewB", tr("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    OpenB = addItem(file, "OpenB", tr("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    SaveB = addItem(file, "SaveB", tr("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAsB = addItem(file, "SaveAsB", tr("&Save As"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    RecentFilesMenu = file->addMenu(tr("&Recent Files"));
    RecentFilesMenu->setObjectName(QStringLiteral("RecentFilesMenu"));
    RecentFilesMenu->menuAction()->setObjectName(QStringLiteral("RecentFilesB"));
    connect(RecentFilesMenu, &QMenu::aboutToShow, this, [this] { showRecentFiles(RecentFilesMenu); });
    ExitB = addItem(file, "ExitB", tr("&Exit"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu *edit = addMenu("Edit", tr("&Edit"));
    UndoB = addItem(edit, "UndoB", tr("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    RedoB = addItem(edit, "RedoB", tr("&Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    CutB = addItem(edit, "CutB", tr("&Cut"), QKeySequence(Qt::CTRL | Qt::Key_X));
    CopyB = addItem(edit, "CopyB", tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    PasteB = addItem(edit, "PasteB", tr("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    DeleteB = addItem(edit, "DeleteB", tr("&Delete"));
    FindB = addItem(edit, "FindB", tr("&Find..."), QKeySequence(Qt::CTRL | Qt::Key_F));
    FindNextB = addItem(edit, "FindNextB", tr("Find &Next"), QKeySequence(Qt::Key_F3));
    FindPreviousB = addItem(edit, "FindPreviousB", tr("Find Pre&vious"),
                            QKeySequence(Qt::SHIFT | Qt::Key_F3));
    ReplaceB = addItem(edit, "ReplaceB", tr("&Replace..."), QKeySequence(Qt::CTRL | Qt::Key_H));
    GoToLineB = addItem(edit, "GoToLineB", tr("&Go to Line..."), QKeySequence(Qt::CTRL | Qt::Key_G));
    GoToClassB = addItem(edit, "GoToClassB", tr("Go to C&lass"), QKeySequence(Qt::Key_F12));
    CompleteB = addItem(edit, "CompleteB", tr("Co&mplete Name"), QKeySequence(Qt::CTRL | Qt::Key_Space));
    BackB = addItem(edit, "BackB", tr("&Back"), QKeySequence(Qt::ALT | Qt::Key_Left));
    ForwardB = addItem(edit, "ForwardB", tr("F&orward"), QKeySequence(Qt::ALT | Qt::Key_Right));

    QMenu *view = addMenu("View", tr("&View"));
    AppletB = addItem(view, "AppletB", tr("&Applet"), QKeySequence(Qt::Key_F9));
    AppletConsoleB = addItem(view, "AppletConsoleB", tr("Applet &Console"),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_J));
    OptionsB = addItem(view, "OptionsB", tr("&Options"));
    // The compiler's messages on the text, one after another.
    NextMessageB = addItem(view, "NextMessageB", tr("&Next Message"), QKeySequence(Qt::Key_F8));
    PreviousMessageB = addItem(view, "PreviousMessageB", tr("&Previous Message"),
                               QKeySequence(Qt::SHIFT | Qt::Key_F8));

    QMenu *publish = addMenu("Publish", tr("&Publish"));
    PubAppletB = addItem(publish, "PubAppletB", tr("&Applet"), QKeySequence(Qt::Key_F5));
    PubAppletHtmlB = addItem(publish, "PubAppletHtmlB", tr("&Applet With Html"));
    PubRunnableJarB = addItem(publish, "PubRunnableJarB", tr("&Runnable Jar"));

    QMenu *help = addMenu("Help", tr("&Help"));
    AboutB = addItem(help, "AboutB", tr("&About"));

    connect(NewB, &QAction::triggered, this, &Zarn::NewB_Click);
    connect(OpenB, &QAction::triggered, this, &Zarn::OpenB_Click);
    connect(SaveB, &QAction::triggered, this, &Zarn::SaveB_Click);
    connect(SaveAsB, &QAction::triggered, this, &Zarn::SaveAsB_Click);
    connect(ExitB, &QAction::triggered, this, &Zarn::ExitB_Click);
    connect(UndoB, &QAction::triggered, this, &Zarn::UndoB_Click);
    connect(RedoB, &QAction::triggered, this, &Zarn::RedoB_Click);
    connect(CutB, &QAction::triggered, this, &Zarn::CutB_Click);
    connect(CopyB, &QAction::triggered, this, &Zarn::CopyB_Click);
    connect(PasteB, &QAction::triggered, this, &Zarn::PasteB_Click);
    connect(DeleteB, &QAction::triggered, this, &Zarn::DeleteB_Click);
    connect(FindB, &QAction::triggered, this, &Zarn::FindB_Click);
    connect(FindNextB, &QAction::triggered, this, &Zarn::FindNextB_Click);
    connect(FindPreviousB, &QAction::triggered, this, &Zarn::FindPreviousB_Click);
    connect(ReplaceB, &QAction::triggered, this, &Zarn::ReplaceB_Click);
    connect(GoToLineB, &QAction::triggered, this, &Zarn::GoToLineB_Click);
    connect(GoToClassB, &QAction::triggered, this, &Zarn::GoToClassB_Click);
    connect(CompleteB, &QAction::triggered, this, &Zarn::CompleteB_Click);
    connect(BackB, &QAction::triggered, this, &Zarn::BackB_Click);
    connect(ForwardB, &QAction::triggered, this, &Zarn::ForwardB_Click);
    connect(AppletB, &QAction::triggered, this, &Zarn::AppletB_Click);
    connect(AppletConsoleB, &QAction::triggered, this, &Zarn::AppletConsoleB_Click);
    connect(PubAppletB, &QAction::triggered, this, &Zarn::PubAppletB_Click);
    connect(PubAppletHtmlB, &QAction::triggered, this, &Zarn::PubAppletHtmlB_Click);
    connect(PubRunnableJarB, &QAction::triggered, this, &Zarn::PubRunnableJarB_Click);
    connect(OptionsB, &QAction::triggered, this, &Zarn::OptionsB_Click);
    connect(AboutB, &QAction::triggered, this, &Zarn::AboutB_Click);

    m_toolbarCommands = {NewB, OpenB, SaveB, SaveAsB, nullptr, CutB, CopyB, PasteB, nullptr, OptionsB};
}

void Zarn::layOutClientArea(QWidget *client)
{
    Richtextbox1 = new EditorPane(client);
    Richtextbox1->setObjectName(QStringLiteral("Richtextbox1"));
    QList<QKeySequence> menuShortcuts;
    for (const QAction *item : actions())
        if (!item->shortcut().isEmpty())
            menuShortcuts.append(item->shortcut());
    Richtextbox1->setMenuShortcuts(menuShortcuts);

    StatusBar1 = new QStatusBar(client);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
}

void Zarn::layOutClient(const QSize &client)
{
    // What the client area gained over its designed size goes to the pane.
    const QSize grown = client - DesignedClient;
    const QRect pane = twipsRect(0, 405, 7455, 5355);
    Richtextbox1->setGeometry(pane.adjusted(0, 0, grown.width(), grown.height()));
    const QRect status = twipsRect(0, 6000, 7440, 345);
    StatusBar1->setGeometry(status.translated(0, grown.height()).adjusted(0, 0, grown.width(), 0));
    if (Toolbar1)
        Toolbar1->setGeometry(twipsRect(0, 0, 7440, 420).adjusted(0, 0, grown.width(), 0));
}

bool Zarn::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        layOutClient(static_cast<QResizeEvent *>(event)->size());
    return QMainWindow::eventFilter(watched, event);
}

void Zarn::createToolbar()
{
    Toolbar1 = new QToolBar(centralWidget());
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setFocusPolicy(Qt::NoFocus);
    Toolbar1->setIconSize(QSize(16, 16));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);

    for (int index = 1; index <= ToolbarButtons; ++index) {
        const ToolbarButton &button = ToolbarLayout.at(static_cast<std::size_t>(index - 1));
        if (button.image == 0) {
            Toolbar1->addSeparator();
            continue;
        }
        // A click runs the menu command of the button's position.
        QAction *action = Toolbar1->addAction(toolbarPicture(button.image), tr(button.text));
        action->setObjectName(QStringLiteral("Toolbar1_Button%1").arg(index));
        if (QWidget *face = Toolbar1->widgetForAction(action)) {
            face->setFixedSize(23, 22);
            face->setFocusPolicy(Qt::NoFocus);
        }
        connect(action, &QAction::triggered, this, [this, index] { Toolbar1_ButtonClick(index); });
    }
    Toolbar1->raise();
    layOutClient(centralWidget()->size());
}

void Zarn::createDiagnosticControls()
{
    m_diagnosticsSummary = new DiagnosticsSummary(*Richtextbox1, *StatusBar1);
    m_caretPlace = new QLabel(StatusBar1);
    m_caretPlace->setObjectName(QStringLiteral("CaretPlace"));
    // Wide enough for a long file's places: a key moving the caret repaints the
    // label, never lays out the status bar again.
    m_caretPlace->setFixedWidth(m_caretPlace->fontMetrics().horizontalAdvance(tr("Ln 99999, Col 9999")));
    StatusBar1->addPermanentWidget(m_caretPlace);
    // Shown a moment after the caret moves, so that a typist's every key costs no
    // repaint of the status bar.
    m_caretPlaceDue = new QTimer(this);
    m_caretPlaceDue->setSingleShot(true);
    m_caretPlaceDue->setInterval(CaretPlaceDelayMs);
    connect(m_caretPlaceDue, &QTimer::timeout, this, &Zarn::showCaretPlace);
    connect(Richtextbox1, &QPlainTextEdit::cursorPositionChanged, m_caretPlaceDue, [this] {
        if (!m_caretPlaceDue->isActive())
            m_caretPlaceDue->start();
    });
    showCaretPlace();
    // A message too long for the room beside the caret's place takes that room too,
    // until the caret moves.
    connect(StatusBar1, &QStatusBar::messageChanged, m_caretPlace, [this](const QString &message) {
        const int summary = m_diagnosticsSummary->isVisible() ? m_diagnosticsSummary->width() : 0;
        const int room = StatusBar1->width() - summary - m_caretPlace->width() - 16;
        m_caretPlace->setVisible(StatusBar1->fontMetrics().horizontalAdvance(message) <= room);
    });
    connect(NextMessageB, &QAction::triggered, Richtextbox1, &EditorPane::goToNextDiagnostic);
    connect(PreviousMessageB, &QAction::triggered, Richtextbox1, &EditorPane::goToPreviousDiagnostic);
}

void Zarn::connectEditControls()
{
    // Undo and Redo only when there is something to undo or redo.
    UndoB->setEnabled(false);
    RedoB->setEnabled(false);
    connect(Richtextbox1, &QPlainTextEdit::undoAvailable, UndoB, &QAction::setEnabled);
    connect(Richtextbox1, &QPlainTextEdit::redoAvailable, RedoB, &QAction::setEnabled);
    // A file dropped on the pane or anywhere on the window opens.
    connect(Richtextbox1, &EditorPane::fileDropped, this, &Zarn::openDropped);
    // After the click has been handled: going may replace the text under the mouse.
    connect(
        Richtextbox1, &EditorPane::nameClicked, this,
        [this](int position) { m_navigation->goToClassAt(position); }, Qt::QueuedConnection);
    setAcceptDrops(true);
}

void Zarn::Toolbar1_ButtonClick(int index)
{
    if (index < 1 || index > ToolbarButtons)
        return;
    if (QAction *command = m_toolbarCommands.at(static_cast<std::size_t>(index - 1)))
        command->trigger();
}

void Zarn::NewB_Click()
{
    if (m_documents->New())
        documentReplaced();
}

void Zarn::OpenB_Click()
{
    if (m_documents->Open())
        documentReplaced();
}

void Zarn::openFile(const QString &path)
{
    const QString absolute = absolutePathOf(path);
    if (pathExists(absolute) ? m_documents->OpenFile(absolute) : m_documents->StartNamed(absolute))
        documentReplaced();
}

void Zarn::openDropped(const QString &path)
{
    if (m_documents->maybeSave() && m_documents->OpenFile(path))
        documentReplaced();
}

void Zarn::documentReplaced()
{
    StatusBar1->clearMessage();
    m_diagnosticsSummary->clear();
    if (m_document->hasOwnName() && pathExists(m_document->FileName()))
        m_recent->add(m_document->FileName());
}

void Zarn::showRecentFiles(QMenu *menu)
{
    menu->clear();
    const QStringList files = m_recent->files();
    for (int index = 0; index < files.size(); ++index) {
        const QString &path = files.at(index);
        QAction *item = menu->addAction(QStringLiteral("&%1 %2").arg(index + 1).arg(
            QDir::toNativeSeparators(readablePath(path)).replace(QLatin1Char('&'), QStringLiteral("&&"))));
        connect(item, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    if (files.isEmpty())
        menu->addAction(tr("(none)"))->setEnabled(false);
}

void Zarn::openRecent(const QString &path)
{
    if (isBusy())
        return;
    if (!pathExists(path)) {
        StatusBar1->showMessage(
            tr("%1 is no longer there").arg(QDir::toNativeSeparators(readablePath(path))));
        return;
    }
    if (m_documents->maybeSave() && m_documents->OpenFile(path))
        documentReplaced();
}

void Zarn::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && event->mimeData()->urls().constFirst().isLocalFile())
        event->acceptProposedAction();
}

void Zarn::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    openDropped(event->mimeData()->urls().constFirst().toLocalFile());
}

void Zarn::showCaretPlace()
{
    const QTextCursor caret = Richtextbox1->textCursor();
    m_caretPlace->setText(tr("Ln %1, Col %2").arg(caret.blockNumber() + 1).arg(caret.positionInBlock() + 1));
    m_caretPlace->show();
}

void Zarn::UndoB_Click()
{
    Richtextbox1->undo();
}

void Zarn::RedoB_Click()
{
    Richtextbox1->redo();
}

FindWindow &Zarn::findWindow()
{
    if (!m_findWindow) {
        m_findWindow = new FindWindow(*Richtextbox1, this);
        connect(m_findWindow, &FindWindow::reported, StatusBar1,
                [this](const QString &message) { StatusBar1->showMessage(message); });
    }
    return *m_findWindow;
}

void Zarn::FindB_Click()
{
    findWindow().showFind();
}

void Zarn::FindNextB_Click()
{
    if (!findWindow().findAgain(false))
        findWindow().showFind();
}

void Zarn::FindPreviousB_Click()
{
    if (!findWindow().findAgain(true))
        findWindow().showFind();
}

void Zarn::ReplaceB_Click()
{
    findWindow().showReplace();
}

void Zarn::GoToLineB_Click()
{
    const int lines = Richtextbox1->document()->blockCount();
    if (const std::optional<int> line = m_messages->askLineNumber(
            this, tr("Go to Line"), Richtextbox1->textCursor().blockNumber() + 1, lines))
        Richtextbox1->goToLine(std::clamp(*line, 1, lines));
}

void Zarn::SaveB_Click()
{
    m_documents->Save();
}

void Zarn::SaveAsB_Click()
{
    if (m_documents->SaveAs())
        m_recent->add(m_document->FileName());
}

void Zarn::ExitB_Click()
{
    // The window is destroyed once closed; the program ends when its last window
    // has closed.
    close();
}

void Zarn::CutB_Click()
{
    cutSelection(*Richtextbox1, *QGuiApplication::clipboard());
}

void Zarn::CopyB_Click()
{
    copySelection(*Richtextbox1, *QGuiApplication::clipboard());
}

void Zarn::PasteB_Click()
{
    pasteClipboard(*Richtextbox1, *QGuiApplication::clipboard());
}

void Zarn::DeleteB_Click()
{
    deleteSelection(*Richtextbox1);
}

// The compile reads the file on disk: it must exist, hold what the user sees, and
// be named as a class, since its name reaches the compiler and the host page; View
// also takes a page, whose applet it runs.
bool Zarn::readyToCompile(bool pageToo)
{
    if (m_applets->isRunning())
        return false;
    if (QString kept; !m_documents->readyToCompile(&kept)) {
        if (!kept.isEmpty())
            StatusBar1->showMessage(kept);
        return false;
    }
    const QString name = QFileInfo(m_document->FileName()).fileName();
    if (isJavaSourceName(name) || (pageToo && isPage()))
        return true;
    m_messages->warning(this, windowTitle(),
                        tr("%1 cannot be compiled: a Java source file is named after its class, as "
                           "Clock.java is. Save it under such a name first.")
                            .arg(name));
    return false;
}

bool Zarn::isPage() const
{
    const QString suffix = QFileInfo(m_document->FileName()).suffix().toLower();
    return suffix == QLatin1String("html") || suffix == QLatin1String("htm");
}

bool Zarn::isBusy() const
{
    return m_busy->isBusy();
}

void Zarn::setBusy(bool busy)
{
    if (busy) {
        m_busy->begin();
        return;
    }
    m_busy->end();
    if (std::exchange(m_closeRequested, false))
        QTimer::singleShot(0, this, &QWidget::close);
}

void Zarn::AppletB_Click()
{
    if (!readyToCompile(true))
        return;
    if (isPage())
        m_applets->ViewPage();
    else
        m_applets->View();
}

void Zarn::AppletConsoleB_Click()
{
    m_applets->ShowConsole();
}

void Zarn::showSourceLine(const QString &path, int line)
{
    bringForward(this);
    if (openUnlessOpen(path))
        Richtextbox1->goToLine(line);
}

bool Zarn::openUnlessOpen(const QString &path)
{
    if (path.isEmpty()
        || QFileInfo(m_document->FileName()).absoluteFilePath() == QFileInfo(path).absoluteFilePath())
        return true;
    if (isBusy() || !m_documents->maybeSave())
        return false;
    if (!m_documents->OpenFile(path))
        return false; // it could not be read, and the user was told
    documentReplaced();
    return true;
}

void Zarn::GoToClassB_Click()
{
    m_navigation->goToClassAt(Richtextbox1->textCursor().position());
}

void Zarn::CompleteB_Click()
{
    m_completionRequests->ask();
}

void Zarn::BackB_Click()
{
    m_navigation->back();
}

void Zarn::ForwardB_Click()
{
    m_navigation->forward();
}

void Zarn::PubAppletB_Click()
{
    if (readyToCompile())
        m_applets->Publish();
}

void Zarn::PubAppletHtmlB_Click()
{
    if (readyToCompile())
        m_applets->PublishWithHtml();
}

void Zarn::PubRunnableJarB_Click()
{
    if (readyToCompile())
        m_applets->PublishRunnableJar();
}

void Zarn::OptionsB_Click()
{
    if (!m_optionsWindow)
        m_optionsWindow = new OptionsWindow(m_settings, m_messages, std::make_unique<QtFileDialog>());
    bringForward(m_optionsWindow);
}

void Zarn::AboutB_Click()
{
    if (!m_aboutWindow)
        m_aboutWindow = new AboutWindow(m_paths.root(), m_messages, nativeSystemInfoStore());
    bringForward(m_aboutWindow);
}

void Zarn::closeEvent(QCloseEvent *event)
{
    // A compile ends first; the window closes as soon as it has.
    if (isBusy()) {
        m_closeRequested = true;
        m_applets->cancel();
        event->ignore();
        return;
    }
    if (m_documents->maybeSave()) {
        m_recovery->forget(); // saved or discarded: nothing to keep
        if (m_settings->workspace().resizable)
            writeWindowGeometry(m_paths.workspace(), saveGeometry());
        event->accept();
    } else {
        event->ignore();
    }
}

void Zarn::keepUnsavedText()
{
    m_recovery->keepNow();
}

void Zarn::offerRecoveredText()
{
    const std::optional<TextRecovery::Left> left = TextRecovery::leftBehind(m_paths.root());
    if (!left)
        return;
    const QString name = left->document.isEmpty() ? tr("an untitled document")
                                                  : QFileInfo(readablePath(left->document)).fileName();
    // More than the editor takes: not read at all, but kept aside where the user
    // can reach it, and not offered again.
    if (left->size > MaxTextFileBytes) {
        const QString aside = left->recoveryFile + QStringLiteral(".too-large");
        QFile::rename(left->recoveryFile, aside);
        m_messages->warning(
            this, windowTitle(),
            tr("Zarn ended without saving the changes to %1, which at %2 MB are more than the "
               "editor takes. They are kept in %3.")
                .arg(name)
                .arg(left->size / (1024 * 1024))
                .arg(QDir::toNativeSeparators(aside)));
        return;
    }
    if (m_messages->askToRecover(
            this, windowTitle(),
            tr("Zarn ended without saving the changes to %1. Recover them?").arg(name))) {
        m_documents->Recover(left->document, left->text());
        documentReplaced();
        m_recovery->keepNow();
    }
    QFile::remove(left->recoveryFile);
}

void Zarn::Form_Load()
{
    installFontSubstitutes();
    m_settings = std::make_shared<SettingsStore>(m_paths.options());
    applySettings();
    // The Options window changes them; the font follows.
    connect(m_settings.get(), &SettingsStore::changed, this, &Zarn::applySettings);
}

void Zarn::applySettings()
{
    const Settings &settings = m_settings->current();
    ApplyEditorFont(fontName(settings.MainFontType), fontSize(settings.MainFontSize));
}

void Zarn::applyWorkspace()
{
    const WorkspaceSettings &workspace = m_settings->workspace();
    m_documents->setSaveBeforeCompile(workspace.saveBeforeCompile);
    setResizable(workspace.resizable);
    updateCaption();
}

void Zarn::setResizable(bool resizable)
{
    QWidget *client = centralWidget();
    if (resizable) {
        client->setMinimumSize(DesignedClient);
        client->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        // Fixed border: the window keeps the size of its menu bar and client area.
        client->setFixedSize(DesignedClient);
        layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
}

void Zarn::updateCaption()
{
    const QString caption = QStringLiteral("Zarn ") + zarnCaptionVersion();
    if (!m_settings->workspace().captionShowsFile) {
        setWindowTitle(caption);
        return;
    }
    const QString name = m_document->hasOwnName() ? QFileInfo(readablePath(m_document->FileName())).fileName()
                                                  : tr("Untitled");
    const QString changed = m_document->isModified() ? QStringLiteral("*") : QString();
    setWindowTitle(QStringLiteral("%1%2 - %3").arg(name, changed, caption));
}

void Zarn::ApplyEditorFont(const QString &face, int points)
{
    QFont font = Richtextbox1->font();
    font.setFamily(face);
    if (points > 0)
        font.setPointSize(points);
    Richtextbox1->setFont(font);
}

void Zarn::compileEnded(const CompileResult &result, bool compiled)
{
    if (compiled)
        m_diagnosticsSummary->showCompile(result, m_document->FileName());
    else
        m_diagnosticsSummary->clear(); // the status bar says why; there is nothing to count
}
