// CompileToFolder as the main window runs it: FileName and CompilerLocation, the
// two feedback styles, the window busy while it runs, and a close that cancels it.
#include "AppFolder.h"
#include "AppletCommands.h"
#include "AppletTesting.h"
#include "AppletWindow.h"
#include "CompilerChoice.h"
#include "Document.h"
#include "MessageWindow.h"
#include "RecordingMessages.h"
#include "ScriptedFileDialog.h"
#include "TestTime.h"
#include "Zarn.h"
#include "ZarnTesting.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

class TestZarnCompile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void statusBarStyle();
    void progressWindowStyle();
    void failureIsShownInTheStatusBar();
    void outcomeOfACompile_data();
    void outcomeOfACompile();
    void busyWindowHoldsTypingAndEscCancels();
    void closeDuringACompileCancelsItAndCloses();
    void closingTheProgressWindowEndsAHungCompile();
    void compileNeedsTheTextOnDisk_data();
    void compileNeedsTheTextOnDisk();

private:
    QString standIn(const QByteArray &body);
    // A compiler that says it hangs by writing its number, then hangs; its number
    // once it has said so.
    QString hangingCompiler() { return standIn("echo $$ > hanging.pid\nexec sleep 60\n"); }
    qint64 hangingPid() const
    {
        const QByteArray pid = m_app->read(QStringLiteral("hanging.pid"));
        return pid.endsWith('\n') ? pid.trimmed().toLongLong() : 0;
    }
    std::optional<WindowCompile> compile(const QString &destination,
                                         AppletCommands::CompileFeedbackStyle style)
    {
        return compileInWindow(*m_window, destination, style);
    }
    QString status() const
    {
        return m_window->findChild<QStatusBar *>(QStringLiteral("StatusBar1"))->currentMessage();
    }

    std::unique_ptr<AppFolder> m_app;
    std::shared_ptr<RecordingMessages> m_messages;
    std::shared_ptr<ScriptedFileDialog> m_dialog;
    QPointer<Zarn> m_window;
};

void TestZarnCompile::init()
{
    m_app = std::make_unique<AppFolder>();
    m_messages = std::make_shared<RecordingMessages>();
    m_dialog = std::make_shared<ScriptedFileDialog>();
    m_window = new Zarn(m_app->path(), {m_messages, m_dialog});
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestZarnCompile::cleanup()
{
    delete m_window;
    // View > Applet's viewer has no owner: it outlives the main window.
    for (QWidget *window : QApplication::topLevelWidgets())
        if (qobject_cast<AppletWindow *>(window))
            delete window;
}

QString TestZarnCompile::standIn(const QByteArray &body)
{
    const QString path = m_app->filePath(QStringLiteral("standin"));
    m_app->write(QStringLiteral("standin"), "#!/bin/sh\n" + body);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

void TestZarnCompile::statusBarStyle()
{
    m_app->write(QStringLiteral("Hello.java"), helloApplet());
    m_window->document().setFileName(m_app->filePath(QStringLiteral("Hello.java")));
    useCompiler(*m_window, javacPath());
    const QString destination = m_app->filePath(QStringLiteral("temp"));

    QSignalSpy said(m_window->findChild<QStatusBar *>(QStringLiteral("StatusBar1")),
                    &QStatusBar::messageChanged);
    std::optional<WindowCompile> compiled = compile(destination,
                                                    AppletCommands::CompileFeedbackStyle::StatusBar);
    QVERIFY(compiled && compiled->compiled);
    QCOMPARE(said.value(0).value(0).toString(), QStringLiteral("Compiling Class"));
    QCOMPARE(status(), QStringLiteral("Done Compiling"));
    QVERIFY(QFile::exists(destination + QStringLiteral("/Hello.class")));
    QVERIFY(compiled->result.output.contains(QStringLiteral("Hello.java")));
    QCOMPARE(m_app->read(QStringLiteral("temp/temp.txt")), QByteArray("0\r\n"));

    // Settings that name no compiler that exists: the first compile says which JDK Zarn chose.
    useCompiler(*m_window, QStringLiteral("/no/such/javac"));
    said.clear();
    for (int time = 0; time < 2; ++time) {
        compiled = compile(destination, AppletCommands::CompileFeedbackStyle::StatusBar);
        QVERIFY(compiled && compiled->compiled);
    }
    const QString chosen = chooseCompiler(QStringLiteral("/no/such/javac"), m_app->path()).path;
    QCOMPARE(said.value(0).value(0).toString(), QStringLiteral("Compiling with %1 (JDK 17)").arg(chosen));
    QCOMPARE(said.value(2).value(0).toString(), QStringLiteral("Compiling Class"));
    QCOMPARE(status(), QStringLiteral("Done Compiling"));
}

void TestZarnCompile::progressWindowStyle()
{
    // A compiler that goes on once the test has seen the window, then writes the
    // class into the destination ($3).
    const QString go = m_app->filePath(QStringLiteral("go"));
    useCompiler(*m_window, standIn("while [ ! -e '" + go.toUtf8()
                                   + "' ]; do sleep 0.05; done\n"
                                     "touch \"$3/Hello.class\"\n"));
    m_window->document().setFileName(m_app->filePath(QStringLiteral("Hello.java")));
    QDir().mkpath(m_app->filePath(QStringLiteral("out")));
    m_window->findChild<QStatusBar *>(QStringLiteral("StatusBar1"))->showMessage(QStringLiteral("before"));

    QString label;
    QSize size;
    QPair<int, int> range;
    QList<int> steps; // the bar's values from the moment the test saw the window
    QByteArray markerAtClose;
    QTimer sample;
    connect(&sample, &QTimer::timeout, m_window, [&] {
        auto *window = m_window->findChild<MessageWindow *>();
        if (!window || !label.isEmpty())
            return;
        label = window->Label1->text();
        size = window->size();
        range = {window->ProgressBar1->minimum(), window->ProgressBar1->maximum()};
        QCOMPARE(window->windowTitle(), QStringLiteral("Message Window"));
        QVERIFY(window->isVisible());
        connect(window->ProgressBar1, &QProgressBar::valueChanged, m_window, [&](int value) {
            steps.append(value);
            // Up to 100, down to 0 and up again: the compiler may end.
            if (value == 1 && steps.contains(100))
                m_app->write(QStringLiteral("go"), "");
        });
        connect(window, &QObject::destroyed, m_window,
                [&] { markerAtClose = m_app->read(QStringLiteral("temp/temp.txt")); });
    });
    sample.start(20);
    const std::optional<WindowCompile> compiled = compile(
        m_app->filePath(QStringLiteral("out")), AppletCommands::CompileFeedbackStyle::ProgressWindow);
    sample.stop();
    QVERIFY(compiled && compiled->compiled);

    QCOMPARE(label, QStringLiteral(
                        "Please wait while compiling class. This progressbar is not an indication of how "
                        "much of the program is compiled. It is to show that your computer has not locked "
                        "up."));
    QCOMPARE(size, QSize(318, 83));
    // The bar measures nothing: it steps by one per look at the marker, turning at 100 and 0.
    QCOMPARE(range, qMakePair(0, 100));
    QVERIFY(steps.contains(100) && steps.lastIndexOf(0) > steps.indexOf(100));
    for (qsizetype i = 1; i < steps.size(); ++i) {
        QVERIFY2(qAbs(steps[i] - steps[i - 1]) == 1,
                 qPrintable(QStringLiteral("%1 after %2").arg(steps[i]).arg(steps[i - 1])));
        if (i > 1 && steps[i] - steps[i - 1] != steps[i - 1] - steps[i - 2])
            QVERIFY2(steps[i - 1] == 100 || steps[i - 1] == 0, qPrintable(QString::number(steps[i - 1])));
    }
    QVERIFY(!m_window->findChild<MessageWindow *>()); // closed after the compile
    QCOMPARE(markerAtClose, QByteArray("1\r\n"));     // before the marker was reset
    QCOMPARE(status(), QStringLiteral("before"));     // the status bar is left alone
}

void TestZarnCompile::failureIsShownInTheStatusBar()
{
    useCompiler(*m_window, standIn("kill -9 $PPID\n"));
    std::optional<WindowCompile> compiled = compile(m_app->filePath(QStringLiteral("out")),
                                                    AppletCommands::CompileFeedbackStyle::ProgressWindow);
    QVERIFY(compiled && !compiled->compiled);
    QVERIFY2(status().startsWith(QStringLiteral("Compile Failed: ")), qPrintable(status()));
    QVERIFY(!m_window->findChild<MessageWindow *>());

    compiled = compile(m_app->filePath(QStringLiteral("out")),
                       AppletCommands::CompileFeedbackStyle::StatusBar);
    QVERIFY(compiled && !compiled->compiled);
    QVERIFY2(status().startsWith(QStringLiteral("Compile Failed: ")), qPrintable(status()));

    // Compilers that end without a class file and without an error are no success.
    m_window->document().setFileName(m_app->filePath(QStringLiteral("Hello.java")));
    m_app->write(QStringLiteral("Hello.java"), helloApplet());
    for (const QString &compiler :
         {QStringLiteral("/bin/true"), QStringLiteral("/bin/false"), standIn("kill -9 $$\n")}) {
        useCompiler(*m_window, compiler);
        compiled = compile(m_app->filePath(QStringLiteral("out")),
                           AppletCommands::CompileFeedbackStyle::StatusBar);
        QVERIFY(compiled && !compiled->compiled);
        // What the shell said ("Killed"), or else what is missing.
        QVERIFY2(status() == QStringLiteral("Compile Failed: the compiler made no Hello.class")
                     || status() == QStringLiteral("Compile Failed: Killed"),
                 qPrintable(status()));
    }
}

// What the status bar says after a compile with the real javac, and where the
// classes went: a class made with warnings only is no failure, packaged or not.
void TestZarnCompile::outcomeOfACompile_data()
{
    QTest::addColumn<QStringList>("files"); // name, then text, for each
    QTest::addColumn<QString>("said");
    QTest::addColumn<QStringList>("classes"); // below the destination

    const QString square = QStringLiteral("package shapes;\nclass Square { int side = 4; }\n");
    QTest::newRow("warnings only") << QStringList{QStringLiteral("Hello.java"),
                                                  QString::fromUtf8(helloApplet())}
                                   << QStringLiteral("Done Compiling")
                                   << QStringList{QStringLiteral("Hello.class")};
    QTest::newRow("package of one file")
        << QStringList{QStringLiteral("shapes/Single.java"),
                       QStringLiteral(
                           "package shapes;\npublic class Single extends java.applet.Applet { }\n")}
        << QStringLiteral("Done Compiling") << QStringList{QStringLiteral("shapes/Single.class")};
    QTest::newRow("package of two files")
        << QStringList{QStringLiteral("shapes/ShapeApplet.java"),
                       QStringLiteral(
                           "package shapes;\npublic class ShapeApplet extends java.applet.Applet {\n"
                           "    Square square = new Square();\n}\n"),
                       QStringLiteral("shapes/Square.java"), square}
        << QStringLiteral("Done Compiling")
        << QStringList{QStringLiteral("shapes/ShapeApplet.class"), QStringLiteral("shapes/Square.class")};
    QTest::newRow("the helper alone")
        << QStringList{QStringLiteral("shapes/Square.java"), square} << QStringLiteral("Done Compiling")
        << QStringList{QStringLiteral("shapes/Square.class")};
    QTest::newRow("folders do not match the package")
        << QStringList{QStringLiteral("Clock.java"), QStringLiteral("package a.b;\npublic class Clock { }\n")}
        << QStringLiteral("Clock.java declares package a.b but is not in a folder a/b") << QStringList();
}

void TestZarnCompile::outcomeOfACompile()
{
    QFETCH(QStringList, files);
    QFETCH(QString, said);
    QFETCH(QStringList, classes);
    const QString work = m_app->filePath(QStringLiteral("java/"));
    for (qsizetype i = 0; i + 1 < files.size(); i += 2) {
        QVERIFY(QDir().mkpath(QFileInfo(work + files[i]).absolutePath()));
        QVERIFY(m_app->write(QStringLiteral("java/") + files[i], files[i + 1].toUtf8()));
    }
    m_window->document().setFileName(work + files[0]);
    useCompiler(*m_window, javacPath());
    const QString out = m_app->filePath(QStringLiteral("out/"));
    QDir().mkpath(out);
    const std::optional<WindowCompile> compiled = compile(out,
                                                          AppletCommands::CompileFeedbackStyle::StatusBar);
    QVERIFY(compiled);
    QCOMPARE(compiled->compiled, !classes.isEmpty());
    QCOMPARE(status(), said);
    for (const QString &made : classes)
        QVERIFY2(QFile::exists(out + made), qPrintable(made));
    if (classes.isEmpty())
        QVERIFY(!QFile::exists(m_app->filePath(QStringLiteral("temp/temp.sh")))); // nothing ran
}

// While a compile runs, the window takes no command and no typing: what is typed
// and asked for then comes once it has ended, in order. Esc ends the compile.
void TestZarnCompile::busyWindowHoldsTypingAndEscCancels()
{
    useCompiler(*m_window, hangingCompiler());
    auto *pane = m_window->findChild<QPlainTextEdit *>(QStringLiteral("Richtextbox1"));
    pane->setPlainText(QStringLiteral("class Hello { }"));
    pane->moveCursor(QTextCursor::End);
    m_window->appletCommands().CompileToFolder(m_app->filePath(QStringLiteral("out")),
                                               AppletCommands::CompileFeedbackStyle::StatusBar);
    QTRY_VERIFY_WITH_TIMEOUT(hangingPid() > 0, scaled(20000));
    QVERIFY(m_window->isBusy());
    QTest::keyClicks(pane, QStringLiteral(" // typed"));
    QTest::keyClick(pane, Qt::Key_G, Qt::ControlModifier);     // Edit > Go to Line
    QTest::mouseClick(pane, Qt::LeftButton, {}, QPoint(2, 2)); // a click is dropped
    QCOMPARE(pane->toPlainText(), QStringLiteral("class Hello { }"));
    QVERIFY(m_messages->questions.isEmpty());
    QTest::keyClick(pane, Qt::Key_Escape);
    QVERIFY(commandEnds(*m_window));
    QCOMPARE(status(), QStringLiteral("Compile Cancelled"));
    QTRY_VERIFY_WITH_TIMEOUT(!processRuns(hangingPid()), scaled(3000)); // stopped with its script
    // The keys reach the pane once the compile has ended, where its caret was.
    QTRY_COMPARE(pane->toPlainText(), QStringLiteral("class Hello { } // typed"));
    QCOMPARE(m_messages->questions, QStringList{QStringLiteral("line of 1")});
    QVERIFY(m_messages->texts.isEmpty());
}

// The title bar's close button mid-compile: the compile ends, then the window closes.
void TestZarnCompile::closeDuringACompileCancelsItAndCloses()
{
    useCompiler(*m_window, hangingCompiler());
    m_window->appletCommands().CompileToFolder(m_app->filePath(QStringLiteral("out")),
                                               AppletCommands::CompileFeedbackStyle::StatusBar);
    QTRY_VERIFY_WITH_TIMEOUT(hangingPid() > 0, scaled(20000));
    m_window->close();
    QTRY_VERIFY_WITH_TIMEOUT(m_window.isNull(), scaled(10000));
    QTRY_VERIFY_WITH_TIMEOUT(!processRuns(hangingPid()), scaled(3000));
}

void TestZarnCompile::closingTheProgressWindowEndsAHungCompile()
{
    useCompiler(*m_window, hangingCompiler());
    m_window->appletCommands().CompileToFolder(m_app->filePath(QStringLiteral("out")),
                                               AppletCommands::CompileFeedbackStyle::ProgressWindow);
    QTRY_VERIFY_WITH_TIMEOUT(hangingPid() > 0, scaled(20000));
    const qint64 compiler = hangingPid();
    m_window->findChild<MessageWindow *>()->close(); // its title bar's close button
    QVERIFY(commandEnds(*m_window));
    QCOMPARE(status(), QStringLiteral("Compile Cancelled"));
    QVERIFY(!m_window->findChild<MessageWindow *>());
    QTRY_VERIFY_WITH_TIMEOUT(!processRuns(compiler), scaled(3000)); // stopped with its script
}

// View > Applet and the Publish commands compile the file on disk: a document
// without one is refused, and changed text is offered for saving first.
void TestZarnCompile::compileNeedsTheTextOnDisk_data()
{
    QTest::addColumn<bool>("onDisk");
    QTest::addColumn<int>("answer"); // to "Save changes...?"; -1 when nothing is asked
    QTest::addColumn<QString>("said");
    QTest::addColumn<QByteArray>("compiled"); // what the compiler was given; empty when it did not run

    QTest::addColumn<QString>("name");

    QTest::newRow("no file yet") << false << -1 << QStringLiteral("Save the document first") << QByteArray()
                                 << QStringLiteral("Hello.java");
    for (const char *name : {"Np codebase=..&#47;..&#47;evil.java", "default.java", "1st.java", "Hello.txt"})
        QTest::newRow(name) << true << -1
                            << QString::fromUtf8(name)
                                   + QStringLiteral(
                                       " cannot be compiled: a Java source file is named after its "
                                       "class, as Clock.java is. Save it under such a name first.")
                            << QByteArray() << QString::fromUtf8(name);
    QTest::newRow("save first") << true << int(UserMessages::SaveAnswer::Save) << QString()
                                << QByteArray("class Hello { int fixed; }") << QStringLiteral("Hello.java");
    QTest::newRow("don't save") << true << int(UserMessages::SaveAnswer::Discard) << QString()
                                << QByteArray("class Hello { }") << QStringLiteral("Hello.java");
    QTest::newRow("cancel") << true << int(UserMessages::SaveAnswer::Cancel) << QString() << QByteArray()
                            << QStringLiteral("Hello.java");
}

void TestZarnCompile::compileNeedsTheTextOnDisk()
{
    QFETCH(bool, onDisk);
    QFETCH(int, answer);
    QFETCH(QString, said);
    QFETCH(QByteArray, compiled);
    QFETCH(QString, name);
    // A compiler that keeps what it was given to compile: its last argument.
    useCompiler(*m_window, standIn("for last; do :; done\ncat \"$last\" > \"$ZARN_SEEN\"\n"));
    qputenv("ZARN_SEEN", m_app->filePath(QStringLiteral("seen")).toLocal8Bit());
    const QString source = m_app->filePath(name);
    if (onDisk) {
        m_app->write(name, "class Hello { }");
        m_window->openFile(source);
    } else {
        m_window->document().setFileName(source);
    }
    auto *pane = m_window->findChild<QPlainTextEdit *>(QStringLiteral("Richtextbox1"));
    if (answer >= 0) {
        pane->selectAll();
        pane->insertPlainText(QStringLiteral("class Hello { int fixed; }")); // typed, not yet saved
    }
    if (answer >= 0)
        m_messages->saveAnswers = {UserMessages::SaveAnswer(answer)};

    m_window->findChild<QAction *>(QStringLiteral("AppletB"))->trigger();
    QVERIFY(commandEnds(*m_window));
    QCOMPARE(m_messages->texts, said.isEmpty() ? QStringList() : QStringList{said});
    QCOMPARE(m_messages->questions.size(), answer >= 0 ? 1 : 0);
    if (answer >= 0)
        QCOMPARE(m_messages->questions.first(),
                 QStringLiteral("Save changes to Hello.java before compiling?"));
    QCOMPARE(m_app->read(QStringLiteral("seen")), compiled);
    m_messages->texts.clear();
}

QTEST_MAIN(TestZarnCompile)
#include "tst_zarncompile.moc"
