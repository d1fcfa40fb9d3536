#include "Document.h"
#include "DocumentCommands.h"
#include "PathBytes.h"
#include "RecordingMessages.h"
#include "ScriptedFileDialog.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using SaveAnswer = UserMessages::SaveAnswer;

namespace {

// Any name, UTF-8 or not.
QByteArray fileBytes(const QString &path)
{
    const ReachablePath reach(path);
    QFile file(reach.path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    const int handle = ::open(pathToBytes(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    QFile file;
    return handle >= 0 && file.open(handle, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)
           && file.write(bytes) == bytes.size();
}

// Limits the size of files this process may write, as a full disk would; writes
// beyond it fail with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

// A real file system of 64 KB over folder, filled up to its last 4 KB; unmounted
// when it goes. Mounting needs root; where it is not allowed, reason() says why.
class SmallFileSystem
{
public:
    explicit SmallFileSystem(const QString &folder)
        : m_folder(QFile::encodeName(folder))
    {
        if (!QDir().mkpath(folder) || ::mount("tmpfs", m_folder.constData(), "tmpfs", 0, "size=64k") != 0) {
            m_reason = QStringLiteral("a tmpfs cannot be mounted here: ") + qt_error_string(errno);
            return;
        }
        m_mounted = true;
        QFile filler(folder + QStringLiteral("/.filler"));
        if (filler.open(QIODevice::WriteOnly))
            filler.write(QByteArray(56 * 1024, 'f'));
    }
    ~SmallFileSystem()
    {
        if (m_mounted)
            ::umount2(m_folder.constData(), MNT_DETACH);
    }
    QString reason() const { return m_reason; }

private:
    QByteArray m_folder;
    bool m_mounted = false;
    QString m_reason;
};

} // namespace

class TestDocumentCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void newStartsDefaultJava();
    void aNameThatIsNotThereYet_data();
    void aNameThatIsNotThereYet();
    void openLoadsTheFile();
    void openFailureChangesNothing_data();
    void openFailureChangesNothing();
    void cancelledDialogsChangeNothing();
    void dialogKeepsItsStateBetweenUses();
    void saveWithoutNameIsSaveAs();
    void saveAsUsesTheNameAsGiven();
    void saveKeepsTheFileFormat();
    void failedSaveKeepsEverything_data();
    void failedSaveKeepsEverything();
    void latin1FileWidenedToUtf8WhenItMust();
    void fileChangedOnDiskIsNotOverwrittenUnasked_data();
    void fileChangedOnDiskIsNotOverwrittenUnasked();
    void saveKeepsWhatTheNameIsTiedTo_data();
    void saveKeepsWhatTheNameIsTiedTo();
    void unsavedChangesAreAskedAbout();
    void saveAnswerThatFailsStopsTheCommand();
    void noQuestionWithoutChanges();
    void byteOrderMarkIsOfferedAwayBeforeCompiling();

private:
    QString docPath(const QString &name) const { return m_docs->filePath(name); }
    // Types text as key presses; characters beyond ASCII arrive as a keyboard
    // layout would deliver them, as text on an otherwise unknown key.
    void type(const QString &text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(m_pane, c.toLatin1());
                continue;
            }
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(m_pane, &press);
            QApplication::sendEvent(m_pane, &release);
        }
    }

    std::unique_ptr<QTemporaryDir> m_appFolder;
    std::unique_ptr<QTemporaryDir> m_docs;
    std::unique_ptr<QWidget> m_window;
    QPlainTextEdit *m_pane = nullptr;
    std::unique_ptr<Document> m_document;
    RecordingMessages m_messages;
    ScriptedFileDialog m_dialog;
    std::unique_ptr<DocumentCommands> m_commands;
};

void TestDocumentCommands::init()
{
    m_appFolder = std::make_unique<QTemporaryDir>();
    m_docs = std::make_unique<QTemporaryDir>();
    m_window = std::make_unique<QWidget>();
    m_window->setWindowTitle(QStringLiteral("Zarn V0.01"));
    m_pane = new QPlainTextEdit(m_window.get());
    (new QVBoxLayout(m_window.get()))->addWidget(m_pane);
    m_messages = RecordingMessages();
    m_dialog = ScriptedFileDialog();
    m_document = std::make_unique<Document>(*m_pane->document());
    m_commands = std::make_unique<DocumentCommands>(*m_pane, *m_document, m_dialog, m_messages,
                                                    AppPaths(m_appFolder->path()));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestDocumentCommands::cleanup()
{
    m_commands.reset();
    m_document.reset();
    m_window.reset();
}

void TestDocumentCommands::newStartsDefaultJava()
{
    const QString defaultJava = QDir(m_appFolder->path()).filePath(QStringLiteral("default.java"));
    QVERIFY(writeBytes(defaultJava, "class Old {}\n"));
    m_pane->setPlainText(QStringLiteral("left over"));

    m_commands->New();
    QCOMPARE(m_document->FileName(), defaultJava);
    QCOMPARE(m_pane->toPlainText(), QString());
    QCOMPARE(fileBytes(defaultJava), QByteArray("class Old {}\n")); // neither read nor changed
    QVERIFY(m_dialog.shown.empty());
    // Whatever default.java holds is not this document's to compile.
    QVERIFY(!m_commands->readyToCompile());
    QCOMPARE(m_messages.texts.constLast(), QStringLiteral("Save the document first"));

    // The first Save asks for a name, offering the class's in the folder last used,
    // and never writes default.java.
    type(QStringLiteral("class Helper {} public class Fresh {}"));
    const QString fresh = docPath(QStringLiteral("Fresh.java"));
    m_dialog.confirmedEarlier(docPath(QStringLiteral("Earlier.java")));
    m_dialog.answer(fresh);
    QVERIFY(m_commands->Save());
    QCOMPARE(m_dialog.shown.back().mode, FileDialog::Mode::Save);
    QCOMPARE(m_dialog.shown.back().offeredName, fresh);
    QCOMPARE(fileBytes(defaultJava), QByteArray("class Old {}\n"));
    QCOMPARE(fileBytes(fresh), QByteArray("class Helper {} public class Fresh {}"));
    // Named now: Save writes without asking.
    type(QStringLiteral(" "));
    QVERIFY(m_commands->Save());
    QCOMPARE(m_dialog.shown.size(), std::size_t(1));
}

// zarn Fresh.java: an empty document of that name, written there on the first Save,
// which asks before writing over a file that appeared there meanwhile.
void TestDocumentCommands::aNameThatIsNotThereYet_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("appears"); // written there before the Save; empty: nothing
    QTest::addColumn<int>("overwrite");      // the answer to the question; -1: none asked
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("started, saved") << QStringLiteral("Fresh.java") << QByteArray() << -1 << QByteArray("x");
    QTest::newRow("a file appeared, kept")
        << QStringLiteral("Fresh.java") << QByteArray("theirs") << 0 << QByteArray("theirs");
    QTest::newRow("a file appeared, overwritten")
        << QStringLiteral("Fresh.java") << QByteArray("theirs") << 1 << QByteArray("x");
    QTest::newRow("no such folder") << QStringLiteral("nowhere/Fresh.java") << QByteArray() << -1
                                    << QByteArray();
    const QString latin1 = pathFromBytes("d\xE9j\xE0 vu \xFF.java");
    QTest::newRow("a name not in UTF-8") << latin1 << QByteArray() << -1 << QByteArray("x");
    QTest::newRow("a name not in UTF-8, a file appeared, overwritten")
        << latin1 << QByteArray("theirs") << 1 << QByteArray("x");
}

void TestDocumentCommands::aNameThatIsNotThereYet()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, appears);
    QFETCH(int, overwrite);
    QFETCH(QByteArray, written);
    const QString path = docPath(name);
    m_pane->setPlainText(QStringLiteral("before"));
    const bool started = m_commands->StartNamed(path);
    QCOMPARE(started, !written.isEmpty());
    if (!started) {
        QVERIFY(m_messages.texts.constLast().contains(QStringLiteral("there is no folder")));
        QCOMPARE(m_pane->toPlainText(), QStringLiteral("before"));
        return;
    }
    QCOMPARE(m_document->FileName(), path);
    QCOMPARE(m_pane->toPlainText(), QString());
    QVERIFY(!pathExists(path));
    type(QStringLiteral("x"));
    if (!appears.isEmpty())
        QVERIFY(writeBytes(path, appears));
    if (overwrite >= 0)
        m_messages.overwriteAnswers = {overwrite == 1};
    QCOMPARE(m_commands->Save(), overwrite != 0);
    QCOMPARE(m_messages.questions.size(), overwrite >= 0 ? 1 : 0);
    QVERIFY(m_dialog.shown.empty());
    QCOMPARE(fileBytes(path), written);
    // Read back by that name; nothing left beside it.
    QVERIFY(m_commands->OpenFile(path));
    QCOMPARE(m_pane->toPlainText().toUtf8(), written);
    QCOMPARE(QDir(m_docs->path()).entryList({QStringLiteral(".zarn*")}, QDir::Files | QDir::Hidden),
             QStringList());
}

void TestDocumentCommands::openLoadsTheFile()
{
    const QString notes = docPath(QStringLiteral("notes.txt"));
    QVERIFY(writeBytes(notes, "first\r\nsecond\r\n"));
    m_dialog.answer(notes);
    QSignalSpy renamed(m_document.get(), &Document::fileNameChanged);

    m_commands->Open();
    QCOMPARE(m_pane->toPlainText(), QStringLiteral("first\nsecond\n"));
    QCOMPARE(m_document->FileName(), notes);
    QCOMPARE(renamed, QList<QVariantList>{{notes}});
    QVERIFY(!m_pane->document()->isModified());
    QCOMPARE(m_document->format().lineEnd, LineEnd::CRLF);
    QCOMPARE(m_dialog.shown.size(), std::size_t(1));
    QCOMPARE(m_dialog.shown[0].mode, FileDialog::Mode::Open);
    QCOMPARE(m_dialog.shown[0].filter, QStringLiteral("Java File (*.java)|*.java|Text File (*.txt)|*.txt"));
    QCOMPARE(m_dialog.shown[0].title, QString());
    QVERIFY(m_messages.texts.isEmpty());

    // A file with NUL bytes (a class file) opens only when the user says so.
    const QString compiled = docPath(QStringLiteral("Hello.class"));
    QVERIFY(writeBytes(compiled, QByteArray("\xCA\xFE\xBA\xBE\0\0\0\x3D", 8)));
    m_messages.openBinaryAnswers = {false, true};
    QVERIFY(!m_commands->OpenFile(compiled));
    QCOMPARE(m_messages.questions.last(), QStringLiteral("Hello.class does not look like text. Open it anyway?"));
    QCOMPARE(m_pane->toPlainText(), QStringLiteral("first\nsecond\n"));
    QCOMPARE(m_document->FileName(), notes);
    QVERIFY(m_commands->OpenFile(compiled));
    QCOMPARE(m_document->FileName(), compiled);
    QCOMPARE(m_messages.questions.size(), 2);
}

void TestDocumentCommands::openFailureChangesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << QStringLiteral("missing.java") << QStringLiteral("no such file");
    QTest::newRow("folder") << QStringLiteral("folder.java") << QStringLiteral("folder");
    QTest::newRow("FIFO") << QStringLiteral("fifo.java") << QStringLiteral("not a regular file");
    QTest::newRow("paragraph separator") << QStringLiteral("odd.java") << QStringLiteral("U+2029");
    QTest::newRow("no permission") << QStringLiteral("secret.java") << QStringLiteral("ermission");
}

void TestDocumentCommands::openFailureChangesNothing()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    const QString path = docPath(name);
    if (name == QLatin1String("folder.java"))
        QVERIFY(QDir().mkdir(path));
    if (name == QLatin1String("fifo.java"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    if (name == QLatin1String("odd.java"))
        QVERIFY(writeBytes(path, "a\xe2\x80\xa9"
                                 "b"));
    if (name == QLatin1String("secret.java")) {
        if (::geteuid() == 0)
            QSKIP("root reads every file");
        QVERIFY(writeBytes(path, "x"));
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    }

    m_document->setFileName(docPath(QStringLiteral("current.java")));
    m_pane->setPlainText(QStringLiteral("current text"));
    m_dialog.answer(path);
    QSignalSpy renamed(m_document.get(), &Document::fileNameChanged);
    m_commands->Open();

    QCOMPARE(renamed.count(), 0);
    QCOMPARE(m_messages.texts.size(), 1);
    QVERIFY2(m_messages.texts[0].contains(QDir::toNativeSeparators(path)), qPrintable(m_messages.texts[0]));
    QVERIFY2(m_messages.texts[0].contains(reason), qPrintable(m_messages.texts[0]));
    QCOMPARE(m_pane->toPlainText(), QStringLiteral("current text"));
    QCOMPARE(m_document->FileName(), docPath(QStringLiteral("current.java")));
}

void TestDocumentCommands::cancelledDialogsChangeNothing()
{
    m_document->setFileName(docPath(QStringLiteral("current.java")));
    QVERIFY(writeBytes(m_document->FileName(), "on disk"));
    m_pane->setPlainText(QStringLiteral("current text"));

    m_dialog.cancel();
    m_commands->Open();
    m_dialog.cancel();
    QVERIFY(!m_commands->SaveAs());

    QCOMPARE(m_dialog.shown.size(), std::size_t(2));
    QCOMPARE(m_dialog.FileName(), QString()); // not the name Save As suggested
    QCOMPARE(m_pane->toPlainText(), QStringLiteral("current text"));
    QCOMPARE(m_document->FileName(), docPath(QStringLiteral("current.java")));
    QCOMPARE(fileBytes(m_document->FileName()), QByteArray("on disk"));
    QCOMPARE(QDir(m_docs->path()).entryList(QDir::Files), QStringList{QStringLiteral("current.java")});
    QVERIFY(m_messages.texts.isEmpty());
}

void TestDocumentCommands::dialogKeepsItsStateBetweenUses()
{
    const QString clock = docPath(QStringLiteral("Clock.java"));
    QVERIFY(writeBytes(clock, "class Clock {}"));
    m_dialog.answer(clock);
    m_commands->Open();

    m_dialog.cancel();
    m_commands->SaveAs();
    QCOMPARE(m_dialog.shown[1].mode, FileDialog::Mode::Save);
    QCOMPARE(m_dialog.shown[1].filter,
             QStringLiteral("Java File (*.java) | *.java | Text File (*.txt) | *.txt"));
    QCOMPARE(m_dialog.shown[1].offeredName, clock);

    // Another command (publishing) shows the shared dialog with its own title and filter.
    m_dialog.answer(docPath(QStringLiteral("Clock.class")));
    QVERIFY(m_dialog.ShowSave(nullptr, QStringLiteral("Java Class File (*.class)|*.class"),
                              QStringLiteral("Publish Class In")));

    m_dialog.cancel();
    m_commands->Open();
    QCOMPARE(m_dialog.shown[3].title, QString());
    QCOMPARE(m_dialog.shown[3].filter, DocumentCommands::OpenFilter);
    QCOMPARE(m_dialog.shown[3].offeredName, docPath(QStringLiteral("Clock.class")));
    QCOMPARE(m_dialog.FileName(), docPath(QStringLiteral("Clock.class"))); // a cancel keeps it
}

void TestDocumentCommands::saveWithoutNameIsSaveAs()
{
    type(QStringLiteral("class A {}"));
    const QString target = docPath(QStringLiteral("A.java"));
    m_dialog.answer(target);
    QVERIFY(m_commands->Save());
    QCOMPARE(m_dialog.shown.size(), std::size_t(1));
    QCOMPARE(m_dialog.shown[0].mode, FileDialog::Mode::Save);
    // The first Save As offers the folder Zarn was started from.
    QCOMPARE(m_dialog.shown[0].offeredName, QDir::current().filePath(QStringLiteral("A.java")));
    QCOMPARE(m_document->FileName(), target);
    QCOMPARE(fileBytes(target), QByteArray("class A {}"));
    QVERIFY(!m_pane->document()->isModified());

    // With a name, Save shows no dialog.
    QTest::keyClick(m_pane, Qt::Key_Return);
    QVERIFY(m_commands->Save());
    QCOMPARE(m_dialog.shown.size(), std::size_t(1));
    QCOMPARE(fileBytes(target), QByteArray("class A {}\n"));
}

void TestDocumentCommands::saveAsUsesTheNameAsGiven()
{
    type(QStringLiteral("text"));
    const QString target = docPath(QStringLiteral("Clock"));
    m_dialog.answer(target);
    QVERIFY(m_commands->SaveAs());
    QCOMPARE(m_document->FileName(), target);
    QCOMPARE(fileBytes(target), QByteArray("text"));
    QVERIFY(!QFile::exists(target + QStringLiteral(".java")));
}

void TestDocumentCommands::saveKeepsTheFileFormat()
{
    const QString path = docPath(QStringLiteral("Old.java"));
    QVERIFY(writeBytes(path, "// caf\xe9\r\nclass Old {}"));
    m_dialog.answer(path);
    m_commands->Open();
    QCOMPARE(m_document->format().encoding, TextEncoding::Latin1);

    m_pane->moveCursor(QTextCursor::End);
    QTest::keyClick(m_pane, Qt::Key_Return);
    type(QStringLiteral("// \u00fc"));
    QVERIFY(m_commands->Save());
    QCOMPARE(fileBytes(path), QByteArray("// caf\xe9\r\nclass Old {}\r\n// \xfc"));
    QVERIFY(m_messages.texts.isEmpty());
}

void TestDocumentCommands::failedSaveKeepsEverything_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("opened"); // the text was read from a file: its unchanged lines go out as read
    QTest::newRow("a folder as file") << QStringLiteral("folder") << false;
    QTest::newRow("missing folder") << QStringLiteral("missing") << false;
    QTest::newRow("read-only folder") << QStringLiteral("read-only") << false;
    QTest::newRow("file size limit") << QStringLiteral("limit") << false;
    QTest::newRow("file size limit, text from a file") << QStringLiteral("limit") << true;
    QTest::newRow("full file system") << QStringLiteral("full") << false;
    QTest::newRow("full file system, text from a file") << QStringLiteral("full") << true;
}

void TestDocumentCommands::failedSaveKeepsEverything()
{
    QFETCH(QString, where);
    QFETCH(bool, opened);
    std::unique_ptr<SmallFileSystem> small;
    if (where == QLatin1String("full")) {
        small = std::make_unique<SmallFileSystem>(docPath(QStringLiteral("small")));
        if (!small->reason().isEmpty())
            QSKIP(qPrintable(small->reason()));
    }
    QString target = docPath(small ? QStringLiteral("small/Old.java") : QStringLiteral("Old.java"));
    const QString folder = QFileInfo(target).path();
    QVERIFY(writeBytes(target, "old content"));
    const QString text = QStringList(100, QString(100, QLatin1Char('x'))).join(QLatin1Char('\n'));
    QTemporaryDir elsewhere;
    QVERIFY(writeBytes(elsewhere.filePath(QStringLiteral("Big.java")), text.toUtf8()));
    std::unique_ptr<FileSizeLimit> limit;
    if (where == QLatin1String("folder")) {
        target = docPath(QStringLiteral("Folder.java"));
        QVERIFY(QDir().mkdir(target));
    } else if (where == QLatin1String("missing")) {
        target = docPath(QStringLiteral("no/such/folder/Old.java"));
    } else if (where == QLatin1String("read-only")) {
        if (::geteuid() == 0) {
            target = QStringLiteral("/proc/Old.java"); // root may write anywhere but in /proc
        } else {
            QVERIFY(QFile::setPermissions(m_docs->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
    } else if (where == QLatin1String("limit")) {
        limit = std::make_unique<FileSizeLimit>(4096);
    }

    if (opened) {
        m_commands->OpenFile(elsewhere.filePath(QStringLiteral("Big.java")));
    } else {
        m_pane->setPlainText(text);
    }
    m_document->setFileName(target);
    type(QStringLiteral("y"));
    const bool saved = m_commands->Save();
    limit.reset();
    QFile::setPermissions(m_docs->path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QVERIFY(!saved);
    QCOMPARE(m_messages.texts.size(), 1);
    QVERIFY2(m_messages.texts[0].contains(QDir::toNativeSeparators(target)), qPrintable(m_messages.texts[0]));
    QCOMPARE(m_document->FileName(), target);
    QVERIFY(m_pane->document()->isModified());
    QCOMPARE(m_pane->toPlainText().size(), text.size() + 1);
    QCOMPARE(fileBytes(QDir(folder).filePath(QStringLiteral("Old.java"))), QByteArray("old content"));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("Old.java")}); // no leftovers
    // The system's reason, not Qt's "unknown error" nor what the cancelled write says.
    QVERIFY2(!m_messages.texts[0].contains(QStringLiteral("unknown error"), Qt::CaseInsensitive)
                 && !m_messages.texts[0].contains(QStringLiteral("cancel"), Qt::CaseInsensitive),
             qPrintable(m_messages.texts[0]));
    if (small)
        QVERIFY2(m_messages.texts[0].contains(QStringLiteral("No space left on device"), Qt::CaseInsensitive),
                 qPrintable(m_messages.texts[0]));
}

// The same file open in two editors: a save over the other's asks first.
void TestDocumentCommands::fileChangedOnDiskIsNotOverwrittenUnasked_data()
{
    QTest::addColumn<QString>("change"); // made by the other program
    QTest::addColumn<int>("answer");     // to the question; -1 when none is asked
    QTest::newRow("unchanged") << QString() << -1;
    QTest::newRow("rewritten, overwrite") << QStringLiteral("other editor's text") << 1;
    QTest::newRow("rewritten, cancel") << QStringLiteral("other editor's text") << 0;
    QTest::newRow("same size, same second") << QStringLiteral("old-content") << 0;
}

void TestDocumentCommands::fileChangedOnDiskIsNotOverwrittenUnasked()
{
    QFETCH(QString, change);
    QFETCH(int, answer);
    const QString path = docPath(QStringLiteral("Shared.java"));
    QVERIFY(writeBytes(path, "old content"));
    // A file system that keeps whole seconds, as FAT and some network shares do.
    const QDateTime second = QDateTime::currentDateTime().addSecs(-1);
    const QDateTime wholeSecond = second.addMSecs(-second.time().msec());
    QFile stamped(path);
    QVERIFY(stamped.open(QIODevice::ReadWrite)
            && stamped.setFileTime(wholeSecond, QFileDevice::FileModificationTime));
    stamped.close();
    m_commands->OpenFile(path);
    if (!change.isEmpty()) {
        QVERIFY(writeBytes(path, change.toUtf8()));
        QFile changed(path);
        QVERIFY(changed.open(QIODevice::ReadWrite)
                && changed.setFileTime(wholeSecond, QFileDevice::FileModificationTime));
    }
    if (answer >= 0)
        m_messages.overwriteAnswers = {answer == 1};
    type(QStringLiteral("mine "));
    const bool saved = m_commands->Save();

    QCOMPARE(m_messages.questions,
             answer < 0 ? QStringList()
                        : QStringList{QStringLiteral("Shared.java changed on disk since it was opened. "
                                                     "Overwrite it?")});
    QCOMPARE(saved, answer != 0);
    QCOMPARE(fileBytes(path), answer == 0 ? change.toUtf8() : QByteArray("mine old content"));
    QCOMPARE(m_pane->document()->isModified(), answer == 0); // nothing lost either way
}

// A save replaces only a regular file, and keeps what the name is tied to: the
// file a link names, the other names of a hard-linked file, its owner and mode.
void TestDocumentCommands::saveKeepsWhatTheNameIsTiedTo_data()
{
    QTest::addColumn<QString>("tie");
    QTest::newRow("link to a device") << QStringLiteral("device");
    QTest::newRow("link to a file") << QStringLiteral("link");
    QTest::newRow("hard link") << QStringLiteral("hard");
    QTest::newRow("another user's file") << QStringLiteral("owner");
}

void TestDocumentCommands::saveKeepsWhatTheNameIsTiedTo()
{
    QFETCH(QString, tie);
    const QString path = docPath(QStringLiteral("Tied.java"));
    const QString other = docPath(QStringLiteral("Other.java"));
    QVERIFY(writeBytes(other, "old"));
    if (tie == QLatin1String("device"))
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), path));
    else if (tie == QLatin1String("link"))
        QVERIFY(QFile::link(other, path));
    else if (tie == QLatin1String("hard"))
        QCOMPARE(::link(QFile::encodeName(other).constData(), QFile::encodeName(path).constData()), 0);
    else if (::geteuid() != 0)
        QSKIP("only root can give a file to another user");
    else {
        QVERIFY(writeBytes(path, "old"));
        QCOMPARE(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    }
    m_document->setFileName(path);
    type(QStringLiteral("new"));
    const bool saved = m_commands->Save();

    if (tie == QLatin1String("device")) {
        QVERIFY(!saved);
        QVERIFY(m_messages.texts.value(0).contains(QStringLiteral("not a regular file")));
        QVERIFY(!QFileInfo(QStringLiteral("/dev/null")).isFile()); // still the device
        return;
    }
    QVERIFY(saved);
    QCOMPARE(fileBytes(path), QByteArray("new"));
    if (tie == QLatin1String("link") || tie == QLatin1String("hard"))
        QCOMPARE(fileBytes(other), QByteArray("new")); // the one file behind both names
    if (tie == QLatin1String("link"))
        QVERIFY(QFileInfo(path).isSymLink());
    if (tie == QLatin1String("owner")) {
        struct stat status = {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &status), 0);
        QCOMPARE(int(status.st_uid), 65534);
        QCOMPARE(int(status.st_mode & 0777), 0640);
    }
}

void TestDocumentCommands::latin1FileWidenedToUtf8WhenItMust()
{
    const QString path = docPath(QStringLiteral("Price.java"));
    QVERIFY(writeBytes(path, "// caf\xe9\n"));
    m_dialog.answer(path);
    m_commands->Open();
    m_pane->moveCursor(QTextCursor::End);
    type(QStringLiteral("\u20ac"));

    QVERIFY(m_commands->Save());
    QCOMPARE(fileBytes(path), QByteArray("// caf\xc3\xa9\n\xe2\x82\xac"));
    QCOMPARE(m_document->format().encoding, TextEncoding::Utf8);
    QCOMPARE(m_messages.texts.size(), 1);
    QVERIFY(m_messages.texts[0].contains(QStringLiteral("UTF-8")));
}

void TestDocumentCommands::unsavedChangesAreAskedAbout()
{
    type(QStringLiteral("unsaved"));

    m_messages.saveAnswers = {SaveAnswer::Cancel};
    m_commands->New();
    QCOMPARE(m_messages.questions, QStringList{QStringLiteral("Save changes to Untitled?")});
    QCOMPARE(m_pane->toPlainText(), QStringLiteral("unsaved"));
    QCOMPARE(m_document->FileName(), QString());

    // Save: no name yet, so Save As; the command goes on once the text is safe.
    const QString kept = docPath(QStringLiteral("Kept.java"));
    m_messages.saveAnswers = {SaveAnswer::Save};
    m_dialog.answer(kept);
    m_commands->New();
    QCOMPARE(fileBytes(kept), QByteArray("unsaved"));
    QCOMPARE(m_pane->toPlainText(), QString());
    QVERIFY(m_document->FileName().endsWith(QStringLiteral("default.java")));

    // Discard: the command goes on and the text is dropped, as asked.
    type(QStringLiteral("scratch"));
    const QString other = docPath(QStringLiteral("Other.java"));
    QVERIFY(writeBytes(other, "other"));
    m_messages.saveAnswers = {SaveAnswer::Discard};
    m_dialog.answer(other);
    m_commands->Open();
    QCOMPARE(m_messages.questions.last(), QStringLiteral("Save changes to default.java?"));
    QCOMPARE(m_pane->toPlainText(), QStringLiteral("other"));
    QCOMPARE(m_messages.questions.size(), 3);

    // Before a compile the question is asked, unless the user chose to save unasked.
    type(QStringLiteral("// "));
    m_messages.saveAnswers = {SaveAnswer::Cancel};
    QVERIFY(!m_commands->readyToCompile());
    QCOMPARE(m_messages.questions.last(), QStringLiteral("Save changes to Other.java before compiling?"));
    m_commands->setSaveBeforeCompile(true);
    QVERIFY(m_commands->readyToCompile());
    QCOMPARE(m_messages.questions.size(), 4);
    QCOMPARE(fileBytes(other), QByteArray("// other"));
    QVERIFY(!m_document->isModified());
}

void TestDocumentCommands::saveAnswerThatFailsStopsTheCommand()
{
    m_document->setFileName(docPath(QStringLiteral("gone/Lost.java")));
    type(QStringLiteral("precious"));
    m_messages.saveAnswers = {SaveAnswer::Save};
    m_commands->New();
    QCOMPARE(m_messages.texts.size(), 1); // why the save failed
    QCOMPARE(m_pane->toPlainText(), QStringLiteral("precious"));
    QCOMPARE(m_document->FileName(), docPath(QStringLiteral("gone/Lost.java")));
    QVERIFY(!m_commands->maybeSave()); // still unsaved: asked again, cancelled by default
}

void TestDocumentCommands::noQuestionWithoutChanges()
{
    const QString path = docPath(QStringLiteral("A.java"));
    QVERIFY(writeBytes(path, "class A {}"));
    m_dialog.answer(path);
    m_commands->Open();
    m_commands->New();
    QVERIFY(m_commands->maybeSave());
    QVERIFY(m_messages.questions.isEmpty());

    // Typing and then undoing it all is no change either.
    type(QStringLiteral("x"));
    m_pane->undo();
    QVERIFY(m_commands->maybeSave());
    QVERIFY(m_messages.questions.isEmpty());
}

// javac cannot read a byte-order mark: one question before the compile saves the
// file without it, unsaved changes included; kept, nothing compiles, and why is said.
void TestDocumentCommands::byteOrderMarkIsOfferedAwayBeforeCompiling()
{
    const QString path = docPath(QStringLiteral("Marked.java"));
    QVERIFY(writeBytes(path, "\xEF\xBB\xBF"
                             "class Marked {}\r\n"));
    m_dialog.answer(path);
    m_commands->Open();
    type(QStringLiteral("// typed"));

    QString kept;
    m_messages.dropMarkAnswers = {false};
    QVERIFY(!m_commands->readyToCompile(&kept));
    QCOMPARE(kept, QStringLiteral(
                       "Marked.java starts with a byte-order mark, which javac cannot read: not compiled"));
    QCOMPARE(fileBytes(path), QByteArray("\xEF\xBB\xBF"
                                         "class Marked {}\r\n"));
    QVERIFY(m_document->isModified());

    m_messages.dropMarkAnswers = {true};
    QVERIFY(m_commands->readyToCompile(&kept));
    QCOMPARE(m_messages.questions.size(), 2); // no save question besides
    QCOMPARE(fileBytes(path), QByteArray("// typedclass Marked {}\r\n"));
    QVERIFY(!m_document->isModified());
    QVERIFY(m_commands->readyToCompile()); // asked no more
    QCOMPARE(m_messages.questions.size(), 2);
}

QTEST_MAIN(TestDocumentCommands)
#include "tst_documentcommands.moc"
