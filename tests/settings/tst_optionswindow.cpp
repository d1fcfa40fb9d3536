#include "OptionsWindow.h"
#include "PathBytes.h"
#include "RecordingMessages.h"
#include "ScriptedFileDialog.h"
#include "SettingsStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestOptionsWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void opensWithTheCurrentValues();
    void tabsSwitchThePages();
    void tabNeverReachesTheHiddenPage();
    void applyHandsOverAndStores();
    void okClosesUnlessTheStoreFails();
    void cancelAndEscStoreNothing();
    void typedTextThatMatchesNoEntryIsIgnored();
    void browseTakesEffectAtOnce();
    void cancelledBrowseChangesNothing();
    void handEditedPathAfterBrowseIsStored();
    void applyAfterTheMainWindowClosed();

private:
    QString optionsPath() const { return m_folder.filePath(QStringLiteral("Options.dat")); }
    QByteArray stored() const { return fileBytes(optionsPath()); }

    QPointer<OptionsWindow> m_window;
    // The main window's side: the settings, and each change the window made.
    std::shared_ptr<SettingsStore> m_settings;
    QList<Settings> m_changes;
    std::shared_ptr<RecordingMessages> m_messages;
    ScriptedFileDialog *m_dialog = nullptr;
    QTemporaryDir m_folder;
};

void TestOptionsWindow::init()
{
    QFile::remove(optionsPath());
    QDir(optionsPath()).removeRecursively();
    QFile options(optionsPath());
    QVERIFY(options.open(QIODevice::WriteOnly));
    options.write("4,2,\"/usr/bin/javac\"\r\n");
    options.close();
    m_settings = std::make_shared<SettingsStore>(optionsPath());
    m_changes.clear();
    connect(m_settings.get(), &SettingsStore::changed, this,
            [this](const Settings &settings) { m_changes.append(settings); });
    m_messages = std::make_shared<RecordingMessages>();
    auto dialog = std::make_unique<ScriptedFileDialog>();
    m_dialog = dialog.get();
    m_window = new OptionsWindow(m_settings, m_messages, std::move(dialog));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestOptionsWindow::cleanup()
{
    delete m_window;
    m_settings.reset();
}

void TestOptionsWindow::opensWithTheCurrentValues()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Options"));
    QCOMPARE(m_window->size(), QSize(410, 328));
    QVERIFY(!m_window->isModal());
    // Centred on the screen, give or take the frame, which is only known once shown.
    const QPoint offCentre = m_window->frameGeometry().center()
                             - QGuiApplication::primaryScreen()->geometry().center();
    QVERIFY2(qAbs(offCentre.x()) <= 8 && qAbs(offCentre.y()) <= 8,
             qPrintable(QString::number(offCentre.x())));

    QCOMPARE(m_window->TabStrip1->count(), 3);
    QCOMPARE(m_window->TabStrip1->tabText(0), QStringLiteral("IDE"));
    QCOMPARE(m_window->TabStrip1->tabText(1), QStringLiteral("Compiler"));
    QCOMPARE(m_window->TabStrip1->tabText(2), QStringLiteral("Workspace"));
    QCOMPARE(m_window->Frame1->title(), QStringLiteral("IDE Font:"));
    QCOMPARE(m_window->Frame2->title(), QStringLiteral("Compiler Options"));
    // No frame's title lies over its controls, and every control lies in its frame.
    for (const QGroupBox *frame : {m_window->Frame1, m_window->Frame2, m_window->WorkspaceFrame}) {
        for (const QWidget *control : frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            QVERIFY2(control->y() >= frame->contentsRect().top(), qPrintable(control->objectName()));
            QVERIFY2(frame->rect().contains(control->geometry()), qPrintable(control->objectName()));
        }
        QVERIFY(frame->geometry().bottom() < m_window->Picture1[0]->height()); // the shown page's height
    }
    // The comforts are off until switched on; the checks while typing on.
    for (const QCheckBox *comfort : {m_window->ResizableCheck, m_window->CaptionCheck,
                                     m_window->ViewerFitsCheck, m_window->SaveBeforeCompileCheck})
        QVERIFY(!comfort->isChecked());
    QVERIFY(m_window->CheckWhileTypingCheck->isChecked());
    QCOMPARE(m_window->Command1->text(), QStringLiteral("..."));

    QCOMPARE(m_window->Combo1->count(), 10);
    QCOMPARE(m_window->Combo1->itemText(0), QStringLiteral("MS Sans Serif"));
    QCOMPARE(m_window->Combo1->itemText(9), QStringLiteral("Courier"));
    QStringList sizes;
    for (int i = 0; i < m_window->Combo2->count(); ++i)
        sizes.append(m_window->Combo2->itemText(i));
    QCOMPARE(sizes.join(QLatin1Char(' ')), QStringLiteral("8 10 12 14 16 18 20 22 24 26"));
    QCOMPARE(m_window->Combo1->currentText(), QStringLiteral("Courier New"));
    QCOMPARE(m_window->Combo2->currentText(), QStringLiteral("12"));
    QCOMPARE(m_window->Text1->text(), QStringLiteral("/usr/bin/javac"));

    QVERIFY(m_window->Picture1[0]->isVisible());  // the IDE page shows
    QVERIFY(!m_window->Picture1[1]->isVisible()); // the Compiler page is out of sight
    QCOMPARE(m_window->Picture1[0]->mapTo(m_window, QPoint()), QPoint(8, 32));
}

void TestOptionsWindow::tabsSwitchThePages()
{
    QTest::mouseClick(m_window->TabStrip1, Qt::LeftButton, {}, m_window->TabStrip1->tabRect(1).center());
    QVERIFY(!m_window->Picture1[0]->isVisible());
    QVERIFY(m_window->Picture1[1]->isVisible());
    QCOMPARE(m_window->Picture1[1]->mapTo(m_window, QPoint()), QPoint(8, 32));
    QVERIFY(m_window->Text1->isVisible());
    QTest::mouseClick(m_window->TabStrip1, Qt::LeftButton, {}, m_window->TabStrip1->tabRect(1).center());
    QVERIFY(m_window->Picture1[1]->isVisible()); // the selected tab again: the same page
    QTest::mouseClick(m_window->TabStrip1, Qt::LeftButton, {}, m_window->TabStrip1->tabRect(0).center());
    QVERIFY(m_window->Picture1[0]->isVisible());
    QVERIFY(!m_window->Picture1[1]->isVisible());
}

void TestOptionsWindow::tabNeverReachesTheHiddenPage()
{
    // A full round of Tab on the IDE page, typing at every stop: nothing lands in
    // the compiler path of the page out of sight.
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_window->cmdOK->setFocus();
    for (int stop = 0; stop < 12; ++stop) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        QVERIFY2(!m_window->Picture1[1]->isAncestorOf(focus), qPrintable(focus->objectName()));
        QTest::keyClicks(focus, QStringLiteral("x"));
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    QCOMPARE(m_window->Text1->text(), QStringLiteral("/usr/bin/javac"));
    QTest::mouseClick(m_window->cmdApply, Qt::LeftButton);
    QCOMPARE(stored(), QByteArray("4,2,\"/usr/bin/javac\"\r\n"));
}

void TestOptionsWindow::applyHandsOverAndStores()
{
    m_window->Combo1->setCurrentIndex(5);
    m_window->Combo2->setCurrentIndex(3);
    QTest::mouseClick(m_window->cmdApply, Qt::LeftButton);
    QCOMPARE(m_settings->current(), (Settings{5, 3, QStringLiteral("/usr/bin/javac")}));
    QCOMPARE(m_changes.size(), 1); // the main window applies the font on it
    QCOMPARE(stored(), QByteArray("5,3,\"/usr/bin/javac\"\r\n"));
    QVERIFY(m_window && m_window->isVisible()); // Apply keeps the window open

    QTest::mouseClick(m_window->cmdApply, Qt::LeftButton); // without changes: the same again
    QCOMPARE(m_changes.size(), 2);
    QCOMPARE(m_changes[1], m_changes[0]);
    const QString workspace = m_folder.filePath(QStringLiteral("Workspace.ini"));
    QVERIFY(!QFile::exists(workspace)); // nothing switched on: no file

    // A comfort switched on is kept beside Options.dat, which keeps its format.
    QSignalSpy workspaceChanges(m_settings.get(), &SettingsStore::workspaceChanged);
    m_window->CaptionCheck->setChecked(true);
    m_window->SaveBeforeCompileCheck->setChecked(true);
    QTest::mouseClick(m_window->cmdApply, Qt::LeftButton);
    QCOMPARE(workspaceChanges.size(), 1);
    QCOMPARE(m_settings->workspace(), (WorkspaceSettings{false, true, false, true}));
    QCOMPARE(readWorkspaceSettings(workspace), m_settings->workspace());
    QVERIFY(fileBytes(workspace).contains("[workspace]"));
    QCOMPARE(stored(), QByteArray("5,3,\"/usr/bin/javac\"\r\n"));
    // Switched off again, the file says so.
    m_window->CaptionCheck->setChecked(false);
    QTest::mouseClick(m_window->cmdApply, Qt::LeftButton);
    QCOMPARE(readWorkspaceSettings(workspace), (WorkspaceSettings{false, false, false, true}));
    // The checks while typing are on until switched off, and then kept off.
    QVERIFY(m_window->CheckWhileTypingCheck->isChecked());
    m_window->CheckWhileTypingCheck->setChecked(false);
    QTest::mouseClick(m_window->cmdApply, Qt::LeftButton);
    QCOMPARE(readWorkspaceSettings(workspace), (WorkspaceSettings{false, false, false, true, false}));
    QVERIFY(fileBytes(workspace).contains("checkWhileTyping=false"));
}

void TestOptionsWindow::okClosesUnlessTheStoreFails()
{
    // The settings file cannot be replaced: a folder stands in its place.
    QVERIFY(QFile::remove(optionsPath()));
    QVERIFY(QDir().mkdir(optionsPath()));
    QTest::mouseClick(m_window->cmdOK, Qt::LeftButton);
    QVERIFY(m_window && m_window->isVisible()); // the user can mend the path
    QCOMPARE(m_messages->texts.size(), 1);
    QCOMPARE(m_messages->titles.value(0), QStringLiteral("Options"));
    QVERIFY(QDir(optionsPath()).removeRecursively());
    QTest::mouseClick(m_window->cmdOK, Qt::LeftButton);
    QTRY_VERIFY(m_window.isNull());
    QCOMPARE(stored(), QByteArray("4,2,\"/usr/bin/javac\"\r\n"));

    // A path that cannot be stored is said so, once, and the file keeps the old one.
    init();
    m_window->Text1->setText(QStringLiteral("/opt/\"quoted\"/javac"));
    QTest::mouseClick(m_window->cmdApply, Qt::LeftButton);
    QCOMPARE(m_messages->texts.size(), 1);
    QVERIFY(m_messages->texts.first().contains(QStringLiteral("double quote")));
    QCOMPARE(stored(), QByteArray("4,2,\"/usr/bin/javac\"\r\n"));
}

void TestOptionsWindow::cancelAndEscStoreNothing()
{
    m_window->Combo1->setCurrentIndex(9);
    m_window->Text1->setText(QStringLiteral("/opt/other/javac"));
    QTest::keyClick(m_window->Combo1, Qt::Key_Escape);
    QTRY_VERIFY(m_window.isNull());
    QCOMPARE(m_settings->current(), (Settings{4, 2, QStringLiteral("/usr/bin/javac")}));
    QVERIFY(m_changes.isEmpty());

    init();
    QTest::mouseClick(m_window->cmdCancel, Qt::LeftButton);
    QTRY_VERIFY(m_window.isNull());
    QVERIFY(m_changes.isEmpty());
    QCOMPARE(stored(), QByteArray("4,2,\"/usr/bin/javac\"\r\n"));
}

void TestOptionsWindow::typedTextThatMatchesNoEntryIsIgnored()
{
    m_window->Combo1->setEditText(QStringLiteral("Comic Sans"));
    m_window->Combo2->setEditText(QStringLiteral("99"));
    QTest::keyClick(m_window->Combo2, Qt::Key_Return); // no new entry is made of it
    QCOMPARE(m_window->Combo2->count(), 10);
    QTest::mouseClick(m_window->cmdApply, Qt::LeftButton);
    QCOMPARE(m_settings->current().MainFontType, 4);
    QCOMPARE(m_settings->current().MainFontSize, 2);

    m_window->Combo1->setEditText(QStringLiteral("Arial")); // typed, but an entry's very text
    QTest::mouseClick(m_window->cmdApply, Qt::LeftButton);
    QCOMPARE(m_settings->current().MainFontType, 1);
}

void TestOptionsWindow::browseTakesEffectAtOnce()
{
    m_dialog->answer(QStringLiteral("/opt/jdk/bin/javac"));
    QTest::mouseClick(m_window->Command1, Qt::LeftButton);
    QCOMPARE(m_dialog->shown.size(), std::size_t(1));
    QCOMPARE(m_dialog->shown[0].mode, FileDialog::Mode::Open);
    QCOMPARE(m_dialog->shown[0].title, QStringLiteral("Locate Compliler"));
    QCOMPARE(m_dialog->shown[0].filter, QStringLiteral("Executable File (*.exe)|*"));
    QCOMPARE(m_settings->current().CompilerLocation, QStringLiteral("/opt/jdk/bin/javac"));
    QCOMPARE(m_window->Text1->text(), QStringLiteral("/opt/jdk/bin/javac"));

    // Cancel now: the main window keeps the browsed path, nothing is stored.
    QTest::mouseClick(m_window->cmdCancel, Qt::LeftButton);
    QCOMPARE(m_settings->current().CompilerLocation, QStringLiteral("/opt/jdk/bin/javac"));
    QCOMPARE(stored(), QByteArray("4,2,\"/usr/bin/javac\"\r\n"));
}

void TestOptionsWindow::cancelledBrowseChangesNothing()
{
    m_dialog->cancel();
    QTest::mouseClick(m_window->Command1, Qt::LeftButton);
    QCOMPARE(m_settings->current().CompilerLocation, QStringLiteral("/usr/bin/javac"));
    QCOMPARE(m_window->Text1->text(), QStringLiteral("/usr/bin/javac"));
    QVERIFY(m_changes.isEmpty());
}

// A path with bytes that are not UTF-8 shows them as U+FFFD and keeps them while
// left as it is; edited, it is what was typed.
void TestOptionsWindow::handEditedPathAfterBrowseIsStored()
{
    const QString latin1 = pathFromBytes("/opt/j\xE9/javac");
    m_dialog->answer(latin1);
    QTest::mouseClick(m_window->Command1, Qt::LeftButton);
    QCOMPARE(m_window->Text1->text(), QStringLiteral("/opt/j\uFFFD/javac"));
    QTest::mouseClick(m_window->cmdApply, Qt::LeftButton);
    QCOMPARE(stored(), QByteArray("4,2,\"/opt/j\xE9/javac\"\r\n"));
    m_window->Text1->setText(QStringLiteral("/opt/jdk-21/bin/javac"));
    QTest::mouseClick(m_window->cmdOK, Qt::LeftButton);
    QCOMPARE(stored(), QByteArray("4,2,\"/opt/jdk-21/bin/javac\"\r\n"));
}

void TestOptionsWindow::applyAfterTheMainWindowClosed()
{
    m_window->Combo1->setCurrentIndex(7);
    m_settings.reset(); // the main window is gone; the Options window keeps the settings
    QTest::mouseClick(m_window->cmdApply, Qt::LeftButton);
    QTest::mouseClick(m_window->cmdOK, Qt::LeftButton);
    QTRY_VERIFY(m_window.isNull());
    // The settings still reach the file, for the next start.
    QCOMPARE(stored(), QByteArray("7,2,\"/usr/bin/javac\"\r\n"));
    QVERIFY(m_messages->texts.isEmpty());
}

QTEST_MAIN(TestOptionsWindow)
#include "tst_optionswindow.moc"
