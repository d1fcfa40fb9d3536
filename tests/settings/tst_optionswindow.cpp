#include "OptionsWindow.h"
#include "PathBytes.h"
#include "RecordingMessages.h"
#include "ScriptedFileDialog.h"
#include "SettingsOwner.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The main window's side, recording what the Options window does to it.
class FakeOwner : public QObject, public SettingsOwner
{
public:
    Settings &currentSettings() override { return settings; }
    void ApplyEditorFont(const QString &face, int points) override
    {
        fonts.append(face + QLatin1Char(' ') + QString::number(points));
    }
    bool StoreSettings() override
    {
        stored.append(settings);
        return storeWorks;
    }

    Settings settings{4, 2, QStringLiteral("/usr/bin/javac")};
    QStringList fonts;
    QList<Settings> stored;
    bool storeWorks = true;
};

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
    QPointer<OptionsWindow> m_window;
    std::unique_ptr<FakeOwner> m_owner;
    std::shared_ptr<RecordingMessages> m_messages;
    ScriptedFileDialog *m_dialog = nullptr;
    QTemporaryDir m_folder;
};

void TestOptionsWindow::init()
{
    m_owner = std::make_unique<FakeOwner>();
    m_messages = std::make_shared<RecordingMessages>();
    auto dialog = std::make_unique<ScriptedFileDialog>();
    m_dialog = dialog.get();
    m_window = new OptionsWindow(*m_owner, *m_owner, m_folder.filePath(QStringLiteral("Options.dat")),
                                 m_messages, std::move(dialog));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestOptionsWindow::cleanup()
{
    delete m_window;
    m_owner.reset();
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

    QCOMPARE(m_window->TabStrip1->count(), 2);
    QCOMPARE(m_window->TabStrip1->tabText(0), QStringLiteral("IDE"));
    QCOMPARE(m_window->TabStrip1->tabText(1), QStringLiteral("Compiler"));
    QCOMPARE(m_window->Frame1->title(), QStringLiteral("IDE Font:"));
    QCOMPARE(m_window->Frame2->title(), QStringLiteral("Compiler Options"));
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
    QCOMPARE(m_owner->stored.value(0).CompilerLocation, QStringLiteral("/usr/bin/javac"));
}

void TestOptionsWindow::applyHandsOverAndStores()
{
    m_window->Combo1->setCurrentIndex(5);
    m_window->Combo2->setCurrentIndex(3);
    QTest::mouseClick(m_window->cmdApply, Qt::LeftButton);
    QCOMPARE(m_owner->settings.MainFontType, 5);
    QCOMPARE(m_owner->settings.MainFontSize, 3);
    QCOMPARE(m_owner->fonts, QStringList{QStringLiteral("Lucida Console 14")});
    QCOMPARE(m_owner->stored.size(), 1);
    QVERIFY(m_window && m_window->isVisible()); // Apply keeps the window open

    QTest::mouseClick(m_window->cmdApply, Qt::LeftButton); // without changes: the same again
    QCOMPARE(m_owner->stored.size(), 2);
    QCOMPARE(m_owner->stored[1], m_owner->stored[0]);
}

void TestOptionsWindow::okClosesUnlessTheStoreFails()
{
    m_owner->storeWorks = false;
    QTest::mouseClick(m_window->cmdOK, Qt::LeftButton);
    QVERIFY(m_window && m_window->isVisible()); // the user can mend the path
    m_owner->storeWorks = true;
    QTest::mouseClick(m_window->cmdOK, Qt::LeftButton);
    QTRY_VERIFY(m_window.isNull());
    QCOMPARE(m_owner->stored.size(), 2);
}

void TestOptionsWindow::cancelAndEscStoreNothing()
{
    m_window->Combo1->setCurrentIndex(9);
    m_window->Text1->setText(QStringLiteral("/opt/other/javac"));
    QTest::keyClick(m_window->Combo1, Qt::Key_Escape);
    QTRY_VERIFY(m_window.isNull());
    QCOMPARE(m_owner->settings, (Settings{4, 2, QStringLiteral("/usr/bin/javac")}));
    QVERIFY(m_owner->stored.isEmpty());
    QVERIFY(m_owner->fonts.isEmpty());

    init();
    QTest::mouseClick(m_window->cmdCancel, Qt::LeftButton);
    QTRY_VERIFY(m_window.isNull());
    QVERIFY(m_owner->stored.isEmpty());
}

void TestOptionsWindow::typedTextThatMatchesNoEntryIsIgnored()
{
    m_window->Combo1->setEditText(QStringLiteral("Comic Sans"));
    m_window->Combo2->setEditText(QStringLiteral("99"));
    QTest::keyClick(m_window->Combo2, Qt::Key_Return); // no new entry is made of it
    QCOMPARE(m_window->Combo2->count(), 10);
    QTest::mouseClick(m_window->cmdApply, Qt::LeftButton);
    QCOMPARE(m_owner->settings.MainFontType, 4);
    QCOMPARE(m_owner->settings.MainFontSize, 2);
    QCOMPARE(m_owner->fonts, QStringList{QStringLiteral("Courier New 12")});

    m_window->Combo1->setEditText(QStringLiteral("Arial")); // typed, but an entry's very text
    QTest::mouseClick(m_window->cmdApply, Qt::LeftButton);
    QCOMPARE(m_owner->settings.MainFontType, 1);
}

void TestOptionsWindow::browseTakesEffectAtOnce()
{
    m_dialog->answer(QStringLiteral("/opt/jdk/bin/javac"));
    QTest::mouseClick(m_window->Command1, Qt::LeftButton);
    QCOMPARE(m_dialog->shown.size(), std::size_t(1));
    QCOMPARE(m_dialog->shown[0].mode, FileDialog::Mode::Open);
    QCOMPARE(m_dialog->shown[0].title, QStringLiteral("Locate Compliler"));
    QCOMPARE(m_dialog->shown[0].filter, QStringLiteral("Executable File (*.exe)|*"));
    QCOMPARE(m_owner->settings.CompilerLocation, QStringLiteral("/opt/jdk/bin/javac"));
    QCOMPARE(m_window->Text1->text(), QStringLiteral("/opt/jdk/bin/javac"));

    // Cancel now: the main window keeps the browsed path, nothing is stored.
    QTest::mouseClick(m_window->cmdCancel, Qt::LeftButton);
    QCOMPARE(m_owner->settings.CompilerLocation, QStringLiteral("/opt/jdk/bin/javac"));
    QVERIFY(m_owner->stored.isEmpty());
}

void TestOptionsWindow::cancelledBrowseChangesNothing()
{
    m_dialog->cancel();
    QTest::mouseClick(m_window->Command1, Qt::LeftButton);
    QCOMPARE(m_owner->settings.CompilerLocation, QStringLiteral("/usr/bin/javac"));
    QCOMPARE(m_window->Text1->text(), QStringLiteral("/usr/bin/javac"));
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
    m_window->Text1->setText(QStringLiteral("/opt/jdk-21/bin/javac"));
    QTest::mouseClick(m_window->cmdOK, Qt::LeftButton);
    QCOMPARE(m_owner->stored.size(), 2);
    QCOMPARE(m_owner->stored[0].CompilerLocation, latin1);
    QCOMPARE(m_owner->stored[1].CompilerLocation, QStringLiteral("/opt/jdk-21/bin/javac"));
}

void TestOptionsWindow::applyAfterTheMainWindowClosed()
{
    m_window->Combo1->setCurrentIndex(7);
    m_owner.reset(); // the main window is gone
    QTest::mouseClick(m_window->cmdApply, Qt::LeftButton);
    QTest::mouseClick(m_window->cmdOK, Qt::LeftButton);
    QTRY_VERIFY(m_window.isNull());
    // The settings still reach the file, for the next start.
    QFile options(m_folder.filePath(QStringLiteral("Options.dat")));
    QVERIFY(options.open(QIODevice::ReadOnly));
    QCOMPARE(options.readAll(), QByteArray("7,2,\"/usr/bin/javac\"\r\n"));
    QVERIFY(m_messages->texts.isEmpty());
}

QTEST_MAIN(TestOptionsWindow)
#include "tst_optionswindow.moc"
