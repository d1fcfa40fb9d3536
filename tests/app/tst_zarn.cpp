#include "AboutWindow.h"
#include "AppletWindow.h"
#include "AtomicFile.h"
#include "Document.h"
#include "OptionsWindow.h"
#include "PathBytes.h"
#include "ProgressFeedback.h"
#include "RecordingMessages.h"
#include "ScriptedFileDialog.h"
#include "SettingsStore.h"
#include "TestTime.h"
#include "TextFile.h"
#include "WindowPlacement.h"
#include "WorkspaceSettings.h"
#include "Zarn.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <algorithm>

#include <memory>
#include <vector>

namespace {

struct MenuItem
{
    const char *name;
    const char *caption;
    QKeySequence shortcut;
};

struct Menu
{
    const char *caption;
    std::vector<MenuItem> items;
};

const std::vector<Menu> &menuTree()
{
    static const std::vector<Menu> tree = {
        {"&File",
         {{"NewB", "&New", QKeySequence(Qt::CTRL | Qt::Key_N)},
          {"OpenB", "&Open", QKeySequence(Qt::CTRL | Qt::Key_O)},
          {"SaveB", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S)},
          {"SaveAsB", "&Save As", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
          {"RecentFilesB", "&Recent Files", {}},
          {"ExitB", "&Exit", QKeySequence(Qt::CTRL | Qt::Key_Q)}}},
        {"&Edit",
         {{"UndoB", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z)},
          {"RedoB", "&Redo", QKeySequence(Qt::CTRL | Qt::Key_Y)},
          {"CutB", "&Cut", QKeySequence(Qt::CTRL | Qt::Key_X)},
          {"CopyB", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C)},
          {"PasteB", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V)},
          {"DeleteB", "&Delete", {}},
          {"FindB", "&Find...", QKeySequence(Qt::CTRL | Qt::Key_F)},
          {"FindNextB", "Find &Next", QKeySequence(Qt::Key_F3)},
          {"FindPreviousB", "Find Pre&vious", QKeySequence(Qt::SHIFT | Qt::Key_F3)},
          {"ReplaceB", "&Replace...", QKeySequence(Qt::CTRL | Qt::Key_H)},
          {"GoToLineB", "&Go to Line...", QKeySequence(Qt::CTRL | Qt::Key_G)},
          {"GoToClassB", "Go to C&lass", QKeySequence(Qt::Key_F12)},
          {"CompleteB", "Co&mplete Name", QKeySequence(Qt::CTRL | Qt::Key_Space)},
          {"BackB", "&Back", QKeySequence(Qt::ALT | Qt::Key_Left)},
          {"ForwardB", "F&orward", QKeySequence(Qt::ALT | Qt::Key_Right)}}},
        {"&View",
         {{"AppletB", "&Applet", QKeySequence(Qt::Key_F9)},
          {"AppletConsoleB", "Applet &Console", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_J)},
          {"OptionsB", "&Options", {}},
          {"NextMessageB", "&Next Message", QKeySequence(Qt::Key_F8)},
          {"PreviousMessageB", "&Previous Message", QKeySequence(Qt::SHIFT | Qt::Key_F8)}}},
        {"&Publish",
         {{"PubAppletB", "&Applet", QKeySequence(Qt::Key_F5)},
          {"PubAppletHtmlB", "&Applet With Html", {}},
          {"PubRunnableJarB", "&Runnable Jar", {}}}},
        {"&Help", {{"AboutB", "&About", {}}}},
    };
    return tree;
}

// Qt ends the program when no window is left visible; lastWindowClosed is only
// emitted inside the event loop's exec(), which a test does not run.
int visibleWindows()
{
    const QWindowList windows = QGuiApplication::topLevelWindows();
    return static_cast<int>(
        std::count_if(windows.begin(), windows.end(), [](QWindow *w) { return w->isVisible(); }));
}

// Any name, UTF-8 or not.
bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return replaceFileAtomically(path, bytes).isEmpty();
}

QByteArray fileBytes(const QString &path)
{
    const ReachablePath reach(path);
    QFile file(reach.path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

template <typename Window> static QList<Window *> openWindows()
{
    QList<Window *> found;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *typed = qobject_cast<Window *>(window); typed && typed->isVisible())
            found.append(typed);
    return found;
}

class TestZarn : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void windowAtStart();
    void clientAreaLayout();
    void menuTreeAndShortcuts();
    void toolbarButtons();
    void toolbarRoutesByPosition_data();
    void toolbarRoutesByPosition();
    void shortcutsWorkFromTheCompletionList();
    void exitClosesAtOnce();
    void exitLeavesOtherWindowsOpen();
    void closingAsksAboutUnsavedText();
    void documentCommandsFromMenusAndToolbar();
    void optionsAndAboutAreSingleAndModeless();
    void optionsApplyReachesThePaneAndTheFile();
    void exitLeavesAboutOpen();
    void fontFromOptionsFile_data();
    void fontFromOptionsFile();
    void storeSettingsWritesTheFile();
    void everyTextFitsItsPlace();
    void unsavedTextIsKeptAndOffered_data();
    void unsavedTextIsKeptAndOffered();
    void recoveryLargerThanTheEditorTakesIsKeptAside();
    void workspaceComforts_data();
    void workspaceComforts();
    void recentFilesAndGoingToClasses();
    void windowsBesideTheMainWindow_data();
    void windowsBesideTheMainWindow();

private:
    void writeOptions(const QByteArray &content);
    Zarn *openWindow();
    template <typename T> T *child(const char *name) const
    {
        return m_window->findChild<T *>(QString::fromLatin1(name));
    }
    QAction *action(const char *name) const { return child<QAction>(name); }

    std::unique_ptr<QTemporaryDir> m_appFolder;
    std::shared_ptr<RecordingMessages> m_messages;
    std::shared_ptr<ScriptedFileDialog> m_dialog;
    QPointer<Zarn> m_window;
};

void TestZarn::init()
{
    m_appFolder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_appFolder->isValid());
    m_messages = std::make_shared<RecordingMessages>();
    m_dialog = std::make_shared<ScriptedFileDialog>();
}

void TestZarn::cleanup()
{
    delete m_window;
    // The Options and About windows have no owner: they outlive the main window.
    qDeleteAll(openWindows<OptionsWindow>());
    qDeleteAll(openWindows<AboutWindow>());
}

void TestZarn::writeOptions(const QByteArray &content)
{
    QFile file(m_appFolder->filePath(QStringLiteral("Options.dat")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

Zarn *TestZarn::openWindow()
{
    m_window = new Zarn(m_appFolder->path(), {m_messages, m_dialog});
    m_window->show();
    if (!QTest::qWaitForWindowActive(m_window))
        qWarning("the main window did not become active");
    return m_window;
}

void TestZarn::windowAtStart()
{
    writeOptions("0,0,\"\"\r\n");
    openWindow();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Zarn V0.01"));
    QCOMPARE(m_window->document().FileName(), QString());
    QCOMPARE(QApplication::focusWidget(), child<QPlainTextEdit>("Richtextbox1"));
    QVERIFY(child<QPlainTextEdit>("Richtextbox1")->toPlainText().isEmpty());
    // The completion list is not shown (it is only made when first needed).
    const auto *list = child<QListWidget>("List1");
    QVERIFY(!list || (!list->isVisible() && list->count() == 0));
    QCOMPARE(child<QStatusBar>("StatusBar1")->currentMessage(), QString());
    QVERIFY(m_messages->texts.isEmpty());
}

void TestZarn::clientAreaLayout()
{
    openWindow();
    QCOMPARE(m_window->centralWidget()->size(), QSize(496, 423));
    // Fixed border: the window cannot be resized.
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QCOMPARE(m_window->height(), m_window->menuBar()->height() + 423);

    QCOMPARE(child<QToolBar>("Toolbar1")->geometry(), QRect(0, 0, 496, 28));
    QCOMPARE(child<QPlainTextEdit>("Richtextbox1")->geometry(), QRect(0, 27, 497, 357));
    QCOMPARE(child<QStatusBar>("StatusBar1")->geometry(), QRect(0, 400, 496, 23));

    // The completion list shows at its fixed place, drawn over the pane.
    QTest::keyClicks(child<QPlainTextEdit>("Richtextbox1"), QStringLiteral("java."));
    auto *list = child<QListWidget>("List1");
    QVERIFY(list && list->isVisible());
    QCOMPARE(list->geometry(), QRect(208, 152, 113, 56));
    QWidget *client = m_window->centralWidget();
    QCOMPARE(client->childAt(list->geometry().center()), list->viewport());
}

void TestZarn::menuTreeAndShortcuts()
{
    openWindow();
    const QList<QAction *> menus = m_window->menuBar()->actions();
    QCOMPARE(menus.size(), static_cast<qsizetype>(menuTree().size()));
    for (std::size_t m = 0; m < menuTree().size(); ++m) {
        const Menu &expected = menuTree()[m];
        QAction *menuAction = menus.at(static_cast<qsizetype>(m));
        QCOMPARE(menuAction->text(), QString::fromLatin1(expected.caption));
        // No separator lines: every entry is an item.
        const QList<QAction *> items = menuAction->menu()->actions();
        QCOMPARE(items.size(), static_cast<qsizetype>(expected.items.size()));
        for (std::size_t i = 0; i < expected.items.size(); ++i) {
            const MenuItem &item = expected.items[i];
            QAction *actual = items.at(static_cast<qsizetype>(i));
            QCOMPARE(actual->objectName(), QString::fromLatin1(item.name));
            QCOMPARE(actual->text(), QString::fromLatin1(item.caption));
            QCOMPARE(actual->shortcut(), item.shortcut);
            QVERIFY(!actual->isSeparator());
            QVERIFY(!actual->isCheckable());
            // Undo and Redo only once there is something to undo or redo.
            const bool history = actual->objectName() == QLatin1String("UndoB")
                                 || actual->objectName() == QLatin1String("RedoB");
            QCOMPARE(actual->isEnabled(), !history);
            QVERIFY(actual->isVisible());
        }
    }
    QTest::keyClicks(m_window->findChild<QWidget *>(QStringLiteral("Richtextbox1")), QStringLiteral("x"));
    QVERIFY(action("UndoB")->isEnabled());
    action("UndoB")->trigger();
    QVERIFY(!action("UndoB")->isEnabled());
    QVERIFY(action("RedoB")->isEnabled());
}

void TestZarn::toolbarButtons()
{
    openWindow();
    auto *toolbar = child<QToolBar>("Toolbar1");
    const QList<QAction *> buttons = toolbar->actions();
    QCOMPARE(buttons.size(), 10);
    const char *texts[] = {"New", "Open", "Save",  "Save As", nullptr,
                           "Cut", "Copy", "Paste", nullptr,   "Options"};
    for (int i = 0; i < 10; ++i) {
        QAction *button = buttons.at(i);
        if (!texts[i]) {
            QVERIFY2(button->isSeparator(), qPrintable(QString::number(i + 1)));
            continue;
        }
        QCOMPARE(button->toolTip(), QString::fromLatin1(texts[i]));
        QVERIFY(!button->icon().isNull());
        auto *face = qobject_cast<QToolButton *>(toolbar->widgetForAction(button));
        QVERIFY(face);
        QCOMPARE(face->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QCOMPARE(face->size(), QSize(23, 22));
    }
    // Save and Save As show the same picture.
    QCOMPARE(buttons.at(2)->icon().pixmap(16).toImage(), buttons.at(3)->icon().pixmap(16).toImage());
}

void TestZarn::toolbarRoutesByPosition_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("command");
    QTest::newRow("1 New") << 1 << QStringLiteral("NewB");
    QTest::newRow("2 Open") << 2 << QStringLiteral("OpenB");
    QTest::newRow("3 Save") << 3 << QStringLiteral("SaveB");
    QTest::newRow("4 Save As, not Save") << 4 << QStringLiteral("SaveAsB");
    QTest::newRow("5 separator") << 5 << QString();
    QTest::newRow("6 Cut") << 6 << QStringLiteral("CutB");
    QTest::newRow("7 Copy") << 7 << QStringLiteral("CopyB");
    QTest::newRow("8 Paste") << 8 << QStringLiteral("PasteB");
    QTest::newRow("9 separator") << 9 << QString();
    QTest::newRow("10 Options") << 10 << QStringLiteral("OptionsB");
    QTest::newRow("0 outside") << 0 << QString();
    QTest::newRow("11 outside") << 11 << QString();
}

void TestZarn::toolbarRoutesByPosition()
{
    QFETCH(int, position);
    QFETCH(QString, command);
    openWindow();

    std::vector<std::unique_ptr<QSignalSpy>> spies;
    QStringList names;
    for (const Menu &menu : menuTree())
        for (const MenuItem &item : menu.items) {
            names.append(QString::fromLatin1(item.name));
            spies.push_back(std::make_unique<QSignalSpy>(action(item.name), &QAction::triggered));
        }

    auto *toolbar = child<QToolBar>("Toolbar1");
    if (position >= 1 && position <= 10) {
        // A real click on the button face; the separators have a face that does nothing.
        QWidget *face = toolbar->widgetForAction(toolbar->actions().at(position - 1));
        QVERIFY(face);
        QTest::mouseClick(face, Qt::LeftButton);
    } else {
        m_window->Toolbar1_ButtonClick(position);
    }

    for (qsizetype i = 0; i < names.size(); ++i)
        QCOMPARE(spies[static_cast<std::size_t>(i)]->count(), names.at(i) == command ? 1 : 0);
    QVERIFY(m_window->isVisible());
}

void TestZarn::shortcutsWorkFromTheCompletionList()
{
    openWindow();
    QSignalSpy publish(action("PubAppletB"), &QAction::triggered);
    QSignalSpy view(action("AppletB"), &QAction::triggered);
    QSignalSpy cut(action("CutB"), &QAction::triggered);

    QTest::keyClick(child<QPlainTextEdit>("Richtextbox1"), Qt::Key_F5);
    QCOMPARE(publish.count(), 1);

    QTest::keyClicks(child<QPlainTextEdit>("Richtextbox1"), QStringLiteral("java."));
    QTRY_VERIFY(child<QListWidget>("List1")->isVisible());
    QCOMPARE(QApplication::focusWidget(), child<QPlainTextEdit>("Richtextbox1")); // the pane keeps the keys
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(publish.count(), 2);
    QCOMPARE(cut.count(), 1);
    QCOMPARE(view.count(), 0); // F5 is Publish > Applet, not View > Applet
}

void TestZarn::exitClosesAtOnce()
{
    openWindow();
    QTest::keyClick(child<QPlainTextEdit>("Richtextbox1"), Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(m_window.isNull()); // unloaded, not just hidden
    QCOMPARE(visibleWindows(), 0);
    QVERIFY(m_messages->texts.isEmpty());
}

void TestZarn::exitLeavesOtherWindowsOpen()
{
    openWindow();
    QWidget other;
    other.show();
    action("ExitB")->trigger();
    QTRY_VERIFY(m_window.isNull());
    QVERIFY(other.isVisible());
    QCOMPARE(visibleWindows(), 1);
    other.close();
    QCOMPARE(visibleWindows(), 0);
}

void TestZarn::closingAsksAboutUnsavedText()
{
    openWindow();
    auto *pane = child<QPlainTextEdit>("Richtextbox1");
    QTest::keyClicks(pane, QStringLiteral("class A"));

    m_messages->saveAnswers = {UserMessages::SaveAnswer::Cancel};
    QTest::keyClick(pane, Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(m_messages->questions, QStringList{QStringLiteral("Save changes to Untitled?")});
    QVERIFY(m_window && m_window->isVisible());

    m_messages->saveAnswers = {UserMessages::SaveAnswer::Cancel};
    QVERIFY(!m_window->close()); // the title bar's close button asks the same
    QVERIFY(m_window->isVisible());

    m_messages->saveAnswers = {UserMessages::SaveAnswer::Discard};
    action("ExitB")->trigger();
    QTRY_VERIFY(m_window.isNull());
    QCOMPARE(m_messages->questions.size(), 3);
}

void TestZarn::documentCommandsFromMenusAndToolbar()
{
    openWindow();
    m_window->Toolbar1_ButtonClick(1);
    QCOMPARE(m_window->document().FileName(),
             QDir(m_appFolder->path()).filePath(QStringLiteral("default.java")));

    m_window->Toolbar1_ButtonClick(4);
    action("OpenB")->trigger();
    m_window->Toolbar1_ButtonClick(3); // a new document has no name yet: Save asks for one
    QCOMPARE(m_dialog->shown.size(), std::size_t(3));
    QCOMPARE(m_dialog->shown[0].mode, FileDialog::Mode::Save);
    QCOMPARE(m_dialog->shown[1].mode, FileDialog::Mode::Open);
    QCOMPARE(m_dialog->shown[2].mode, FileDialog::Mode::Save);
    QVERIFY(!QFile::exists(m_window->document().FileName())); // default.java is never written
}

void TestZarn::optionsAndAboutAreSingleAndModeless()
{
    openWindow();
    m_window->Toolbar1_ButtonClick(10);
    action("OptionsB")->trigger();
    QCOMPARE(openWindows<OptionsWindow>().size(), 1);
    action("AboutB")->trigger();
    action("AboutB")->trigger();
    QCOMPARE(openWindows<AboutWindow>().size(), 1);
    QVERIFY(!openWindows<AboutWindow>().first()->isModal());
    QVERIFY(!openWindows<OptionsWindow>().first()->isModal());

    // The main window stays usable: its pane takes typing, its menus work.
    m_window->activateWindow();
    QTRY_VERIFY(m_window->isActiveWindow());
    child<QPlainTextEdit>("Richtextbox1")->setFocus();
    QTest::keyClicks(child<QPlainTextEdit>("Richtextbox1"), QStringLiteral("still typing"));
    QCOMPARE(child<QPlainTextEdit>("Richtextbox1")->toPlainText(), QStringLiteral("still typing"));
}

void TestZarn::optionsApplyReachesThePaneAndTheFile()
{
    writeOptions("0,0,\"/usr/bin/javac\"\r\n");
    openWindow();
    action("OptionsB")->trigger();
    OptionsWindow *options = openWindows<OptionsWindow>().value(0);
    QVERIFY(options);
    options->Combo1->setCurrentText(QStringLiteral("Lucida Console"));
    options->Combo2->setCurrentText(QStringLiteral("14"));
    QTest::mouseClick(options->cmdOK, Qt::LeftButton);
    QTRY_VERIFY(openWindows<OptionsWindow>().isEmpty());
    const QFont font = child<QPlainTextEdit>("Richtextbox1")->font();
    QCOMPARE(font.family(), QStringLiteral("Lucida Console"));
    QCOMPARE(font.pointSize(), 14);
    QCOMPARE(fileBytes(m_window->paths().options()), QByteArray("5,3,\"/usr/bin/javac\"\r\n"));
}

void TestZarn::exitLeavesAboutOpen()
{
    openWindow();
    action("AboutB")->trigger();
    QPointer<AboutWindow> about = openWindows<AboutWindow>().value(0);
    action("ExitB")->trigger();
    QTRY_VERIFY(m_window.isNull());
    QVERIFY(about && about->isVisible());
    QCOMPARE(visibleWindows(), 1);
    QTest::mouseClick(about->cmdOK, Qt::LeftButton);
    QTRY_VERIFY(about.isNull());
    QCOMPARE(visibleWindows(), 0);
}

void TestZarn::fontFromOptionsFile_data()
{
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("installed");
    QTest::addColumn<int>("points");

    QTest::newRow("Courier New 12") << QByteArray("4,2,\"/usr/bin/javac\"\r\n") << 4 << 2
                                    << QStringLiteral("/usr/bin/javac") << QStringLiteral("Courier New")
                                    << QStringLiteral("Liberation Mono") << 12;
    QTest::newRow("Courier 26") << QByteArray("9,9,\"\"\r\n") << 9 << 9 << QString()
                                << QStringLiteral("Courier") << QStringLiteral("FreeMono") << 26;
    QTest::newRow("defaults") << QByteArray("0,0,\"\"\r\n") << 0 << 0 << QString()
                              << QStringLiteral("MS Sans Serif") << QStringLiteral("Liberation Sans Narrow")
                              << 8;
    QTest::newRow("missing file") << QByteArray() << 0 << 0 << QString() << QStringLiteral("MS Sans Serif")
                                  << QStringLiteral("Liberation Sans Narrow") << 8;
    QTest::newRow("garbled") << QByteArray("12,-3,\"/j\r\n") << 0 << 0 << QString()
                             << QStringLiteral("MS Sans Serif") << QStringLiteral("Liberation Sans Narrow")
                             << 8;
    QTest::newRow("size only unreadable")
        << QByteArray("6,x,\"/j\"\r\n") << 6 << 0 << QStringLiteral("/j") << QStringLiteral("Times New Roman")
        << QStringLiteral("Liberation Serif") << 8;
}

void TestZarn::fontFromOptionsFile()
{
    QFETCH(QByteArray, options);
    QFETCH(int, type);
    QFETCH(int, size);
    QFETCH(QString, location);
    QFETCH(QString, face);
    QFETCH(QString, installed);
    QFETCH(int, points);

    if (!options.isEmpty())
        writeOptions(options);
    openWindow();
    QCOMPARE(m_window->settings().current().MainFontType, type);
    QCOMPARE(m_window->settings().current().MainFontSize, size);
    QCOMPARE(m_window->settings().current().CompilerLocation, location);
    const QFont font = child<QPlainTextEdit>("Richtextbox1")->font();
    QCOMPARE(font.family(), face);
    QCOMPARE(font.pointSize(), points);
    QCOMPARE(QFontInfo(font).family(), installed);
    QVERIFY(m_messages->texts.isEmpty()); // bad input shows no error
}

// The settings changed reach the pane's font at once, and the file when stored.
void TestZarn::storeSettingsWritesTheFile()
{
    openWindow();
    m_window->settings().change({5, 3, QStringLiteral("/opt/jdk, 17/bin/javac")});
    const QFont font = child<QPlainTextEdit>("Richtextbox1")->font();
    QCOMPARE(font.family(), QStringLiteral("Lucida Console"));
    QCOMPARE(font.pointSize(), 14);
    QCOMPARE(m_window->settings().StoreSettings(), QString());
    QCOMPARE(fileBytes(m_window->paths().options()), QByteArray("5,3,\"/opt/jdk, 17/bin/javac\"\r\n"));
    QVERIFY(m_messages->texts.isEmpty());
}

namespace {

QSize textSize(const QWidget *widget, const QString &text)
{
    return widget->fontMetrics().size(Qt::TextShowMnemonic, text) + QSize(8, 2);
}

} // namespace

// Every label, button and combo box of every window shows its whole text in the
// fonts Zarn installs, hidden pages included.
void TestZarn::everyTextFitsItsPlace()
{
    openWindow();
    action("OptionsB")->trigger();
    action("AboutB")->trigger();
    ProgressFeedback progress(m_window, *child<QStatusBar>("StatusBar1"));
    progress.started(); // the progress window of Publish > Applet, with its text
    AppletWindow viewer(m_appFolder->path());
    viewer.show();

    QStringList clipped;
    auto check = [&](QWidget *widget, const QSize &needed) {
        if (needed.width() > widget->width() || needed.height() > widget->height())
            clipped.append(QStringLiteral("%1 in %2: needs %3 x %4, has %5 x %6")
                               .arg(widget->objectName(), widget->window()->windowTitle())
                               .arg(needed.width())
                               .arg(needed.height())
                               .arg(widget->width())
                               .arg(widget->height()));
    };
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        for (QLabel *label : window->findChildren<QLabel *>())
            if (!label->text().isEmpty())
                check(label, label->wordWrap() ? QSize(label->minimumSizeHint().width(),
                                                       label->heightForWidth(label->width()))
                                               : label->sizeHint());
        // A button's or combo box's text, with room for its frame; not the style's
        // preferred width, which is wider than any text needs.
        for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
            if (!button->text().isEmpty() && !qobject_cast<QToolButton *>(button))
                check(button, textSize(button, QString(button->text()).remove(QLatin1Char('&'))));
        for (QComboBox *combo : window->findChildren<QComboBox *>()) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = combo->isEditable();
            const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                               QStyle::SC_ComboBoxEditField, combo);
            for (int item = 0; item < combo->count(); ++item)
                if (combo->fontMetrics().horizontalAdvance(combo->itemText(item)) + 4 > field.width())
                    clipped.append(QStringLiteral("%1 in %2: \"%3\" is wider than %4")
                                       .arg(combo->objectName(), window->windowTitle(), combo->itemText(item))
                                       .arg(field.width()));
        }
    }
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
}

void TestZarn::unsavedTextIsKeptAndOffered_data()
{
    QTest::addColumn<QString>("name");      // of the document's file
    QTest::addColumn<QString>("text");      // left unsaved
    QTest::addColumn<QString>("left");      // the recovery file; %1: this Zarn's number
    QTest::addColumn<QByteArray>("writer"); // its writer line; empty: as an older Zarn wrote it
    QTest::addColumn<bool>("recover");
    const QString pid = QString::number(QCoreApplication::applicationPid());
    QTest::newRow("older Zarn's, recovered")
        << QStringLiteral("Doc.java") << QStringLiteral("recovered\ntext") << QStringLiteral("999999999.txt")
        << QByteArray() << true;
    QTest::newRow("older Zarn's, discarded")
        << QStringLiteral("Doc.java") << QStringLiteral("recovered\ntext") << QStringLiteral("999999999.txt")
        << QByteArray() << false;
    // The number is this Zarn's now: neither its file nor hidden.
    QTest::newRow("older Zarn's, a number given again")
        << QStringLiteral("Doc.java") << QStringLiteral("again") << QStringLiteral("%1.txt") << QByteArray()
        << true;
    QTest::newRow("no-break space and line separator, number of a live process")
        << QStringLiteral("Doc.java") << QStringLiteral("a\u00a0b\u2028c\n\td\n") << QStringLiteral("1-1.txt")
        << QByteArray("writer 1 1\n") << true;
    QTest::newRow("line break in the name, number of this Zarn")
        << QStringLiteral("B\nC.java") << QStringLiteral("x") << QStringLiteral("%1-1.txt")
        << QByteArray("writer " + pid.toUtf8() + " 1\n") << true;
    QTest::newRow("a name not in UTF-8") << pathFromBytes("caf\xE9.java") << QStringLiteral("y")
                                         << QStringLiteral("2-1.txt") << QByteArray("writer 2 1\n") << true;
    // Started with New: recovered, it still has no name of its own.
    QTest::newRow("a New document") << QString() << QStringLiteral("new work") << QStringLiteral("2-1.txt")
                                    << QByteArray("writer 2 1\n") << true;
}

// Typing pauses: the text is kept, every character of it, in this Zarn's recovery
// file, which a save takes away. The text a Zarn that died left behind is offered
// at the next start (a process that merely has its number is not it), never
// written over the file by itself; recovered and saved, the file holds what the
// user would have saved.
void TestZarn::unsavedTextIsKeptAndOffered()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, left);
    QFETCH(QByteArray, writer);
    QFETCH(bool, recover);
    openWindow();
    auto *pane = child<QPlainTextEdit>("Richtextbox1");
    const bool untitled = name.isEmpty();
    const QString document = untitled ? QString() : m_appFolder->filePath(name);
    const auto startDocument = [&] {
        if (untitled)
            action("NewB")->trigger();
        else if (writeBytes(document, "on disk"))
            m_window->openFile(document);
    };
    startDocument();
    pane->selectAll();
    pane->insertPlainText(text);
    if (!writer.isEmpty())
        m_window->keepUnsavedText(); // else kept once typing has paused
    const QString recovery = m_appFolder->filePath(QStringLiteral("recovery"));
    QTRY_COMPARE_WITH_TIMEOUT(QDir(recovery).entryList(QDir::Files).size(), 1, scaled(5000));
    const QString kept = QDir(recovery).filePath(QDir(recovery).entryList(QDir::Files).constFirst());
    const auto mine = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                      | QFileDevice::WriteUser;
    QCOMPARE(QFileInfo(recovery).permissions(), mine | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    QCOMPARE(QFileInfo(kept).permissions(), mine);
    // As a Zarn that is gone left it: this one's text under another writer, or in
    // the older form.
    QByteArray lines = fileBytes(kept);
    if (writer.isEmpty()) {
        lines = "zarn recovery\n" + document.toUtf8() + '\n' + text.toUtf8();
    } else {
        const qsizetype writerLine = lines.indexOf('\n') + 1;
        lines.replace(writerLine, lines.indexOf('\n', writerLine) + 1 - writerLine, writer);
    }
    const QString leftPath = QDir(recovery).filePath(left.arg(QCoreApplication::applicationPid()));
    QVERIFY(writeBytes(leftPath, lines));
    pane->document()->setModified(false); // this Zarn's own text saved or discarded: its file goes
    QVERIFY(!QFile::exists(kept));
    if (untitled) { // as a Zarn that starts finds it
        delete m_window;
        openWindow();
        pane = child<QPlainTextEdit>("Richtextbox1");
    } else {
        startDocument();
    }

    m_messages->recoverAnswer = recover;
    m_window->offerRecoveredText();
    QCOMPARE(m_messages->questions,
             QStringList{QStringLiteral("Zarn ended without saving the changes to %1. Recover them?")
                             .arg(untitled ? QStringLiteral("an untitled document")
                                           : QFileInfo(readablePath(document)).fileName())});
    QVERIFY(!QFile::exists(leftPath));
    QCOMPARE(pane->document()->isModified(), recover);
    QCOMPARE(m_window->document().hasOwnName(), !untitled);
    const QString saved = untitled ? m_appFolder->filePath(QStringLiteral("Saved.java")) : document;
    if (untitled) {
        m_dialog->answer(saved); // Save asks for a name
    } else {
        QCOMPARE(fileBytes(document), QByteArray("on disk")); // never written by itself
        QCOMPARE(m_window->document().FileName(), document);
    }
    if (recover) {
        action("SaveB")->trigger();
        QCOMPARE(fileBytes(saved), text.toUtf8());
    }
    QVERIFY(!QFile::exists(m_appFolder->filePath(QStringLiteral("default.java"))));
    QCOMPARE(QDir(m_appFolder->path()).entryList({QStringLiteral("B")}), QStringList()); // no cut name
    m_messages->questions.clear();
    pane->document()->setModified(false); // nothing to ask about at the end
}

// Text left behind that is larger than Open takes is neither read nor offered
// again: it is set aside, and the user told where it lies.
void TestZarn::recoveryLargerThanTheEditorTakesIsKeptAside()
{
    openWindow();
    const QString left = m_appFolder->filePath(QStringLiteral("recovery/3-1.txt"));
    QVERIFY(writeBytes(left, "zarn recovery 2\nwriter 3 1\npath /tmp/Doc.java\n"));
    QVERIFY(QFile::resize(left, MaxTextFileBytes + 1)); // sparse: no disk taken
    m_window->offerRecoveredText();
    m_window->offerRecoveredText();
    QVERIFY(m_messages->questions.isEmpty());
    QCOMPARE(m_messages->texts.size(), 1);
    QVERIFY2(
        m_messages->texts[0].contains(QStringLiteral("Doc.java, which at 256 MB are more than the editor"))
            && m_messages->texts[0].contains(left + QStringLiteral(".too-large")),
        qPrintable(m_messages->texts[0]));
    QVERIFY(QFile::exists(left + QStringLiteral(".too-large")));
}

// Each comfort of Workspace.ini alone; without the file the window is as designed.
void TestZarn::workspaceComforts_data()
{
    QTest::addColumn<QString>("key");
    QTest::newRow("none") << QString();
    QTest::newRow("off") << QStringLiteral("resizable=false");
    QTest::newRow("resizable") << QStringLiteral("resizable=true");
    QTest::newRow("captionShowsFile") << QStringLiteral("captionShowsFile=true");
    QTest::newRow("saveBeforeCompile") << QStringLiteral("saveBeforeCompile=true");
}

void TestZarn::workspaceComforts()
{
    QFETCH(QString, key);
    const QString ini = m_appFolder->filePath(QStringLiteral("Workspace.ini"));
    if (!key.isEmpty())
        QVERIFY(writeBytes(ini, "[workspace]\n" + key.toUtf8() + "\n"));
    const QString notes = m_appFolder->filePath(QStringLiteral("Notes.txt"));
    QVERIFY(writeBytes(notes, "notes"));
    openWindow();
    auto *pane = child<QPlainTextEdit>("Richtextbox1");
    m_window->openFile(notes);
    QTest::keyClicks(pane, QStringLiteral("my "));

    const bool resizable = key == QLatin1String("resizable=true");
    QCOMPARE(m_window->minimumSize() != m_window->maximumSize(), resizable);
    if (resizable) {
        m_window->resize(800, 700);
        QTRY_COMPARE(m_window->centralWidget()->width(), 800);
        QCOMPARE(pane->width(), 801); // one wider, as designed
        const QRect status = child<QStatusBar>("StatusBar1")->geometry();
        QCOMPARE(status.bottom(), m_window->centralWidget()->height() - 1);
        QCOMPARE(pane->geometry().bottom(), status.top() - 17);
        QCOMPARE(child<QToolBar>("Toolbar1")->width(), 800);
    } else {
        QCOMPARE(m_window->centralWidget()->size(), QSize(496, 423));
    }

    const bool caption = key == QLatin1String("captionShowsFile=true");
    QCOMPARE(m_window->windowTitle(),
             caption ? QStringLiteral("Notes.txt* - Zarn V0.01") : QStringLiteral("Zarn V0.01"));

    // F9 on a text file: saved first (asked or not), then refused by name.
    const bool unasked = key == QLatin1String("saveBeforeCompile=true");
    m_messages->saveAnswers = {UserMessages::SaveAnswer::Save};
    action("AppletB")->trigger();
    QCOMPARE(m_messages->questions.size(), unasked ? 0 : 1);
    QCOMPARE(fileBytes(notes), QByteArray("my notes"));
    QCOMPARE(m_messages->texts.size(), 1);
    QVERIFY(m_messages->texts.constFirst().startsWith(QStringLiteral("Notes.txt cannot be compiled")));
    if (caption)
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Notes.txt - Zarn V0.01"));

    // The size and place are kept for the next start, only when resizable.
    m_window->close();
    QCOMPARE(readWindowGeometry(ini).isEmpty(), !resizable);
    if (resizable) {
        openWindow();
        QCOMPARE(m_window->centralWidget()->width(), 800);
    }
}

// A project of two files: F12 (and Ctrl+click) goes from a name to its class's source,
// Alt+Left and Alt+Right go back and forth, and File > Recent Files lists both.
void TestZarn::recentFilesAndGoingToClasses()
{
    QTemporaryDir project;
    QVERIFY(QDir(project.path()).mkpath(QStringLiteral("com/me")));
    const QString game = project.filePath(QStringLiteral("com/me/Game.java"));
    const QString painter = project.filePath(QStringLiteral("com/me/Painter.java"));
    QVERIFY(writeBytes(game, "package com.me;\n\npublic class Game extends java.applet.Applet {\n"
                             "    Painter painter = new Painter();\n}\n"));
    QVERIFY(writeBytes(painter, "package com.me;\n\n// draws\nclass Painter {\n}\n"));
    openWindow();
    auto *pane = child<QPlainTextEdit>("Richtextbox1");
    m_window->openFile(game);
    const int onPainter = int(pane->toPlainText().indexOf(QStringLiteral("Painter painter"))) + 3;
    QTextCursor caret = pane->textCursor();
    caret.setPosition(onPainter);
    pane->setTextCursor(caret);

    QTest::keyClick(pane, Qt::Key_F12);
    QCOMPARE(m_window->document().FileName(), painter);
    QCOMPARE(pane->textCursor().blockNumber(), 3); // its declaration
    QTest::keyClick(pane, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(m_window->document().FileName(), game);
    QCOMPARE(pane->textCursor().position(), onPainter);
    QTest::keyClick(pane, Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(m_window->document().FileName(), painter);
    QTest::keyClick(pane, Qt::Key_Left, Qt::AltModifier);

    // Ctrl+click on the other Painter of the line; off a name, the status bar says so.
    const QPoint onNew = pane->cursorRect(pane->document()->find(QStringLiteral("new Painter"))).center();
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, Qt::ControlModifier, onNew);
    QTRY_COMPARE(m_window->document().FileName(), painter);
    QTest::keyClick(pane, Qt::Key_Left, Qt::AltModifier);
    pane->moveCursor(QTextCursor::End);
    QTest::keyClick(pane, Qt::Key_F12);
    QCOMPARE(m_window->document().FileName(), game);
    QCOMPARE(child<QStatusBar>("StatusBar1")->currentMessage(), QStringLiteral("No class name at the caret"));
    QVERIFY(m_messages->questions.isEmpty());

    // Newest first; a file that is gone is dropped.
    QMenu *recent = child<QMenu>("RecentFilesMenu");
    const auto recentFiles = [recent] {
        Q_EMIT recent->aboutToShow();
        QStringList shown;
        for (const QAction *item : recent->actions())
            shown.append(item->text());
        return shown;
    };
    QCOMPARE(recentFiles(), (QStringList{QStringLiteral("&1 ") + game, QStringLiteral("&2 ") + painter}));
    QVERIFY(QFile::remove(painter));
    QCOMPARE(recentFiles(), QStringList{QStringLiteral("&1 ") + game});
    // And kept for the next start.
    m_window->close();
    QCOMPARE(readRecentFiles(m_appFolder->filePath(QStringLiteral("Workspace.ini"))), QStringList{game});
}

// The viewer and the console lie wholly on the screen, beside the main window where
// there is room, and never over its status bar.
void TestZarn::windowsBesideTheMainWindow_data()
{
    QTest::addColumn<QPoint>("mainAt");
    QTest::addColumn<bool>("beside"); // there is room beside it
    QTest::newRow("top left") << QPoint(0, 0) << true;
    QTest::newRow("top right") << QPoint(1280 - 500, 0) << true;
    QTest::newRow("bottom left") << QPoint(0, 1024 - 480) << true;
    QTest::newRow("bottom right") << QPoint(1280 - 500, 1024 - 480) << true;
    QTest::newRow("centre") << QPoint(390, 272) << false;
}

void TestZarn::windowsBesideTheMainWindow()
{
    QFETCH(QPoint, mainAt);
    QFETCH(bool, beside);
    const QRect screen(0, 0, 1280, 1024);
    const QRect main(mainAt, QSize(500, 480));
    const QRect status(main.left(), main.bottom() - 30, main.width(), 23);
    const QSize viewerSize(406, 345);
    const QRect viewer(placeBeside(main, viewerSize, screen, {status}), viewerSize);
    QVERIFY(screen.contains(viewer));
    QVERIFY(!viewer.intersects(status));
    QCOMPARE(!viewer.intersects(main), beside);
    // The console beside both, where there is room.
    const QSize consoleSize(648, 392);
    const QRect console(placeBeside(main, consoleSize, screen, {status, viewer}), consoleSize);
    QVERIFY(screen.contains(console));
    QVERIFY(!console.intersects(status));
    // A window larger than the screen keeps its top left on it.
    const QPoint huge = placeBeside(main, QSize(2000, 1500), screen, {status});
    QVERIFY(screen.contains(huge));
}

QTEST_MAIN(TestZarn)
#include "tst_zarn.moc"
