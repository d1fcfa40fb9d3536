#include "AboutWindow.h"
#include "RecordingMessages.h"
#include "SystemInfo.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A store with the values a test puts in, recording what was asked.
class FakeStore : public SystemInfoStore
{
public:
    bool GetKeyValue(KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal) override
    {
        asked.append(SubKeyRef);
        const auto found = values.constFind(KeyName + QLatin1Char('|') + SubKeyRef);
        if (found == values.constEnd()) {
            KeyVal.clear();
            return false;
        }
        KeyVal = *found;
        return true;
    }

    void setPath(const QString &path) { values.insert(SystemInfoPathKey + QStringLiteral("|PATH"), path); }
    void setFolder(const QString &folder)
    {
        values.insert(SystemInfoFolderKey + QStringLiteral("|MSINFO"), folder);
    }

    QHash<QString, QString> values;
    QStringList asked;
};

} // namespace

class TestAboutWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void showsItsTexts();
    void enterAndEscClose_data();
    void enterAndEscClose();
    void pathValueComesFirst();
    void folderValueWithTheTool();
    void neitherSourceSaysUnavailable();
    void emptyPathDoesNotTryTheFolder();
    void toolThatCannotStart();

private:
    // A stand-in tool: a script that leaves a file named after it when it runs.
    QString fakeTool(const QString &folder, bool executable = true);
    void runSysInfo();

    QTemporaryDir m_dir;
    FakeStore *m_store = nullptr;
    std::shared_ptr<RecordingMessages> m_messages;
    QPointer<AboutWindow> m_window;
};

void TestAboutWindow::init()
{
    auto store = std::make_unique<FakeStore>();
    m_store = store.get();
    m_messages = std::make_shared<RecordingMessages>();
    m_window = new AboutWindow(QStringLiteral("/home/someone/.local/share/zarn"), m_messages,
                               std::move(store));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestAboutWindow::cleanup()
{
    delete m_window;
}

QString TestAboutWindow::fakeTool(const QString &folder, bool executable)
{
    QDir().mkpath(m_dir.filePath(folder));
    const QString path = m_dir.filePath(folder + QLatin1Char('/') + systemInfoToolName());
    QFile tool(path);
    tool.open(QIODevice::WriteOnly);
    tool.write("#!/bin/sh\ntouch \"$0.ran\"\n");
    tool.close();
    tool.setPermissions(executable ? QFileDevice::ReadOwner | QFileDevice::ExeOwner : QFileDevice::ReadOwner);
    return path;
}

void TestAboutWindow::runSysInfo()
{
    QTest::mouseClick(m_window->cmdSysInfo, Qt::LeftButton);
    QVERIFY(m_window && m_window->isVisible()); // the About window stays open
}

void TestAboutWindow::showsItsTexts()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("About Zarn"));
    QCOMPARE(m_window->size(), QSize(382, 237));
    QVERIFY(!m_window->isModal());
    QCOMPARE(m_window->lblTitle->text(), QStringLiteral("Zarn - Java IDE"));
    QCOMPARE(m_window->lblVersion->text(), QStringLiteral("0.0.1"));
    QVERIFY(m_window->lblDescription->text().startsWith(QStringLiteral(
        "This program is to help users of the Java Development Kit (JDK) create their applets. ")));
    QCOMPARE(m_window->lblDisclaimer->text(), QString());
    QCOMPARE(m_window->lblFolder->text(),
             QStringLiteral("Settings and compiler files: /home/someone/.local/share/zarn"));
    QCOMPARE(m_window->cmdSysInfo->text(), QStringLiteral("&System Info..."));
    QCOMPARE(m_window->picIcon->pixmap().size(), QSize(32, 32));
    QCOMPARE(QApplication::focusWidget(), m_window->cmdOK);
}

void TestAboutWindow::enterAndEscClose_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
    QTest::newRow("OK") << 0;
}

void TestAboutWindow::enterAndEscClose()
{
    QFETCH(int, key);
    if (key)
        QTest::keyClick(m_window, Qt::Key(key));
    else
        QTest::mouseClick(m_window->cmdOK, Qt::LeftButton);
    QTRY_VERIFY(m_window.isNull());
}

void TestAboutWindow::pathValueComesFirst()
{
    const QString byPath = fakeTool(QStringLiteral("bypath"));
    fakeTool(QStringLiteral("byfolder"));
    m_store->setPath(byPath);
    m_store->setFolder(m_dir.filePath(QStringLiteral("byfolder")));
    runSysInfo();
    QTRY_VERIFY(QFile::exists(byPath + QStringLiteral(".ran")));
    QCOMPARE(m_store->asked, QStringList{QStringLiteral("PATH")}); // the folder value was never read
    QVERIFY(m_messages->texts.isEmpty());
}

void TestAboutWindow::folderValueWithTheTool()
{
    const QString tool = fakeTool(QStringLiteral("tools"));
    m_store->setFolder(m_dir.filePath(QStringLiteral("tools")));
    runSysInfo();
    QTRY_VERIFY(QFile::exists(tool + QStringLiteral(".ran")));
    QCOMPARE(m_store->asked, (QStringList{QStringLiteral("PATH"), QStringLiteral("MSINFO")}));
    QVERIFY(m_messages->texts.isEmpty());

    // A folder without the tool in it is no better than none.
    m_store->setFolder(m_dir.filePath(QStringLiteral("empty")));
    runSysInfo();
    QCOMPARE(m_messages->texts,
             QStringList{QStringLiteral("System Information Is Unavailable At This Time")});
}

void TestAboutWindow::neitherSourceSaysUnavailable()
{
    runSysInfo();
    QCOMPARE(m_messages->texts,
             QStringList{QStringLiteral("System Information Is Unavailable At This Time")});
    QCOMPARE(m_messages->titles, QStringList{QStringLiteral("Zarn")});
}

void TestAboutWindow::emptyPathDoesNotTryTheFolder()
{
    fakeTool(QStringLiteral("tools"));
    m_store->setPath(QString());
    m_store->setFolder(m_dir.filePath(QStringLiteral("tools")));
    runSysInfo();
    QCOMPARE(m_messages->texts.size(), 1);
    QCOMPARE(m_store->asked, QStringList{QStringLiteral("PATH")});
}

void TestAboutWindow::toolThatCannotStart()
{
    m_store->setPath(fakeTool(QStringLiteral("broken"), false));
    runSysInfo();
    QCOMPARE(m_messages->texts,
             QStringList{QStringLiteral("System Information Is Unavailable At This Time")});
}

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
