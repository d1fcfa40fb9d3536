// Publish > Applet, Publish > Applet With Html and Publish > Runnable Jar, with the
// real javac and jar tool.
#include "AppFolder.h"
#include "Document.h"
#include "JavaSources.h"
#include "MessageWindow.h"
#include "RecordingMessages.h"
#include "RunnableJar.h"
#include "ScriptedFileDialog.h"
#include "TestJdks.h"
#include "Zarn.h"
#include "ZarnTesting.h"

#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestPublishing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void publishAppletCompilesIntoTheChosenFolder();
    void publishWithHtmlWritesThePage();
    void pageNeverReplacesTheClass();
    void cancelledDialogsPublishNothing();
    void documentDialogsKeepTheirOwnFilter();
    void runnableJarHoldsTheAppletAndItsRunner();

private:
    QString status() const
    {
        return m_window->findChild<QStatusBar *>(QStringLiteral("StatusBar1"))->currentMessage();
    }
    QString site(const QString &name) const { return m_app->filePath(QStringLiteral("site/") + name); }

    std::unique_ptr<AppFolder> m_app;
    std::shared_ptr<ScriptedFileDialog> m_dialog;
    std::shared_ptr<RecordingMessages> m_messages;
    QPointer<Zarn> m_window;
};

void TestPublishing::init()
{
    m_app = std::make_unique<AppFolder>();
    QDir().mkpath(m_app->filePath(QStringLiteral("site")));
    m_app->write(QStringLiteral("Hello.java"), helloApplet());
    m_dialog = std::make_shared<ScriptedFileDialog>();
    m_messages = std::make_shared<RecordingMessages>();
    m_window = new Zarn(m_app->path(), {m_messages, m_dialog});
    useCompiler(*m_window, javacPath());
    m_window->document().setFileName(m_app->filePath(QStringLiteral("Hello.java")));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_window->findChild<QStatusBar *>(QStringLiteral("StatusBar1"))->showMessage(QStringLiteral("before"));
}

void TestPublishing::cleanup()
{
    delete m_window;
    QVERIFY(m_messages->texts.isEmpty());
}

void TestPublishing::publishAppletCompilesIntoTheChosenFolder()
{
    m_dialog->answer(site(QStringLiteral("Whatever.class"))); // only the folder counts
    bool progressShown = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this,
            [&] { progressShown |= m_window->findChild<MessageWindow *>() != nullptr; });
    watch.start(10);
    QTest::keyClick(m_window, Qt::Key_F5);
    QVERIFY(commandEnds(*m_window));
    watch.stop();

    QCOMPARE(m_dialog->shown.size(), std::size_t(1));
    QCOMPARE(m_dialog->shown[0].mode, FileDialog::Mode::Save);
    QCOMPARE(m_dialog->shown[0].title, QStringLiteral("Publish Class In"));
    QCOMPARE(m_dialog->shown[0].filter, QStringLiteral("Java Class File (*.class)|*.class"));
    QVERIFY(QFile::exists(site(QStringLiteral("Hello.class"))));
    QVERIFY(!QFile::exists(site(QStringLiteral("Whatever.class"))));
    QVERIFY(progressShown);
    QCOMPARE(status(), QStringLiteral("before")); // the status bar is left alone
    QCOMPARE(m_window->document().FileName(), m_app->filePath(QStringLiteral("Hello.java")));
}

void TestPublishing::publishWithHtmlWritesThePage()
{
    m_dialog->answer(site(QStringLiteral("MyName.class")));
    m_dialog->answer(site(QStringLiteral("index.html")));
    m_window->findChild<QAction *>(QStringLiteral("PubAppletHtmlB"))->trigger();
    QVERIFY(commandEnds(*m_window));

    QCOMPARE(m_dialog->shown.size(), std::size_t(2));
    QCOMPARE(m_dialog->shown[0].title, QStringLiteral("Publish Class File As"));
    QCOMPARE(m_dialog->shown[0].filter, QStringLiteral("Java Class File (*.class)|*.class"));
    QCOMPARE(m_dialog->shown[1].title, QStringLiteral("Publish Html File As"));
    QCOMPARE(m_dialog->shown[1].filter, QStringLiteral("Html File (*.html,*.htm)|*.html;*.htm"));
    QCOMPARE(m_dialog->shown[1].offeredName,
             site(QStringLiteral("MyName.html"))); // named after the class just confirmed, beside it
    QVERIFY(QFile::exists(site(QStringLiteral("Hello.class"))));
    QFile page(site(QStringLiteral("index.html")));
    QVERIFY(page.open(QIODevice::ReadOnly));
    QVERIFY(
        page.readAll().contains("\n<applet code = MyName.class>\n")); // the typed name, whatever the class
    const QString published = QStringLiteral("Published Hello.class and index.html");
    QCOMPARE(status(), published + QStringLiteral("; the files it loads are not known yet"));
}

void TestPublishing::pageNeverReplacesTheClass()
{
    // Enter on a name that is the class file's, or the source's: refused, asked again.
    m_dialog->answer(site(QStringLiteral("Hello.class")));
    m_dialog->answer(site(QStringLiteral("Hello.class")));
    m_dialog->answer(m_app->filePath(QStringLiteral("Hello.java")));
    m_dialog->answer(site(QStringLiteral("Hello.html")));
    m_window->PubAppletHtmlB_Click();
    QVERIFY(commandEnds(*m_window));
    QCOMPARE(m_dialog->shown.size(), std::size_t(4));
    QCOMPARE(m_messages->texts.size(), 2);
    QVERIFY(m_messages->texts.takeFirst().contains(
        QStringLiteral("is the class file just published. Choose another name for the page.")));
    QVERIFY(m_messages->texts.takeFirst().contains(QStringLiteral("is the source being published")));
    QCOMPARE(m_app->read(QStringLiteral("Hello.java")), helloApplet());
    QFile classFile(site(QStringLiteral("Hello.class")));
    QVERIFY(classFile.open(QIODevice::ReadOnly));
    QVERIFY(classFile.readAll().startsWith("\xCA\xFE\xBA\xBE")); // still the class
    QVERIFY(QFile::exists(site(QStringLiteral("Hello.html"))));

    // A failed compile writes no page, and says why.
    m_app->write(QStringLiteral("Hello.java"), "public class Hello { oops }\n");
    m_dialog->answer(site(QStringLiteral("Hello.class")));
    m_dialog->answer(site(QStringLiteral("again.html")));
    m_window->PubAppletHtmlB_Click();
    QVERIFY(commandEnds(*m_window));
    QCOMPARE(m_dialog->shown.size(), std::size_t(5)); // no page dialog
    QVERIFY(!QFile::exists(site(QStringLiteral("again.html"))));
    QCOMPARE(m_messages->texts.size(), 1);
    QVERIFY(m_messages->texts.first().contains(QStringLiteral("no page was written")));
    QVERIFY(m_messages->texts.takeFirst().contains(QStringLiteral("Hello.java:1: ")));
}

void TestPublishing::cancelledDialogsPublishNothing()
{
    m_dialog->cancel();
    QTest::keyClick(m_window, Qt::Key_F5);
    QVERIFY(commandEnds(*m_window));
    m_dialog->cancel();
    m_window->PubAppletHtmlB_Click();
    QVERIFY(commandEnds(*m_window));
    QCOMPARE(m_dialog->shown.size(), std::size_t(2));
    QVERIFY(!QFile::exists(m_app->filePath(QStringLiteral("temp/temp.sh")))); // no compile was started
    QCOMPARE(status(), QStringLiteral("before"));

    // A cancelled page dialog ends the command after the compile: no page.
    m_dialog->answer(site(QStringLiteral("Hello.class")));
    m_dialog->cancel();
    m_window->PubAppletHtmlB_Click();
    QVERIFY(commandEnds(*m_window));
    QVERIFY(QFile::exists(site(QStringLiteral("Hello.class"))));
    QCOMPARE(QDir(site(QString())).entryList(QDir::Files), QStringList{QStringLiteral("Hello.class")});
    QCOMPARE(m_dialog->shown.back().offeredName, site(QStringLiteral("Hello.html")));
    QCOMPARE(m_dialog->FileName(), site(QStringLiteral("Hello.class"))); // the name last confirmed
}

void TestPublishing::documentDialogsKeepTheirOwnFilter()
{
    m_dialog->answer(site(QStringLiteral("Hello.class")));
    m_window->PubAppletB_Click();
    QVERIFY(commandEnds(*m_window));
    m_dialog->cancel();
    m_window->OpenB_Click();
    QCOMPARE(m_dialog->shown.back().title, QString());
    QCOMPARE(m_dialog->shown.back().filter,
             QStringLiteral("Java File (*.java)|*.java|Text File (*.txt)|*.txt"));
    QCOMPARE(m_dialog->shown.back().offeredName, site(QStringLiteral("Hello.class")));
}

namespace {

// What the jar tool says of the jar at path: its entries, or one of its files.
QString runJarTool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(jarTool(javacPath()), arguments);
    return tool.waitForFinished(scaled(60000)) ? QString::fromUtf8(tool.readAllStandardOutput()) : QString();
}

QStringList jarEntries(const QString &path)
{
    QStringList entries = runJarTool({QStringLiteral("--list"), QStringLiteral("--file"), path})
                              .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    entries.removeIf([](const QString &entry) { return entry.endsWith(QLatin1Char('/')); });
    entries.sort();
    return entries;
}

} // namespace

void TestPublishing::runnableJarHoldsTheAppletAndItsRunner()
{
    // Offered after the class in the folder last published to.
    m_dialog->answer(site(QStringLiteral("Hello.class")));
    m_window->PubAppletB_Click();
    QVERIFY(commandEnds(*m_window));
    m_app->write(
        QStringLiteral("Hello.java"),
        "// <applet code=Hello width=320 height=90><param name=Words value=\"50% & more\"></applet>\n"
            + helloApplet());
    const QByteArray source = m_app->read(QStringLiteral("Hello.java"));
    m_dialog->answer(m_app->filePath(QStringLiteral("Hello.java"))); // refused: the source itself
    m_dialog->answer(site(QStringLiteral("Hello.jar")));
    m_window->findChild<QAction *>(QStringLiteral("PubRunnableJarB"))->trigger();
    QVERIFY(commandEnds(*m_window));
    QCOMPARE(m_messages->texts.size(), 1);
    QVERIFY(m_messages->texts.takeFirst().endsWith(
        QStringLiteral("Hello.java is the source being published. Choose another name for the jar.")));
    QCOMPARE(m_app->read(QStringLiteral("Hello.java")), source);
    const auto &first = m_dialog->shown[m_dialog->shown.size() - 2];
    QCOMPARE(first.title, QStringLiteral("Publish Runnable Jar As"));
    QCOMPARE(first.filter, QStringLiteral("Java Archive (*.jar)|*.jar"));
    QCOMPARE(first.offeredName, site(QStringLiteral("Hello.jar")));
    QCOMPARE(status(), QStringLiteral("Published Hello.jar; the files it loads are not known yet"));

    const QString jar = site(QStringLiteral("Hello.jar"));
    const QStringList entries = jarEntries(jar);
    for (const char *entry : {"Hello.class", "Hello.html", "META-INF/MANIFEST.MF", "META-INF/zarn-applet.txt",
                              "zarn/runner/AppletRunner.class", "zarn/runner/zarn-appletapi.jar"})
        QVERIFY2(entries.contains(QLatin1String(entry)), entry);
    QTemporaryDir unpacked;
    QProcess extract;
    extract.setWorkingDirectory(unpacked.path());
    extract.start(jarTool(javacPath()), {QStringLiteral("--extract"), QStringLiteral("--file"), jar});
    QVERIFY(extract.waitForFinished(scaled(60000)) && extract.exitCode() == 0);
    QFile description(unpacked.filePath(QStringLiteral("META-INF/zarn-applet.txt")));
    QVERIFY(description.open(QIODevice::ReadOnly));
    QCOMPARE(description.readAll(), QByteArray("class Hello\nwidth 320\nheight 90\ndocument Hello.html\n"
                                               "param Words 50%25%20%26%20more\nparam width 320\n"
                                               "param height 90\nparam code Hello\n"));
    QFile manifest(unpacked.filePath(QStringLiteral("META-INF/MANIFEST.MF")));
    QVERIFY(manifest.open(QIODevice::ReadOnly));
    QVERIFY(manifest.readAll().contains("Main-Class: zarn.runner.AppletRunner"));

    // A failed compile leaves the jar there as it was, and says why.
    m_app->write(QStringLiteral("Hello.java"), "public class Hello { oops }\n");
    m_dialog->answer(jar);
    m_window->PubRunnableJarB_Click();
    QVERIFY(commandEnds(*m_window));
    QCOMPARE(m_messages->texts.size(), 1);
    QVERIFY(
        m_messages->texts.first().startsWith(QStringLiteral("The compile failed, so no jar was written.")));
    QVERIFY(m_messages->texts.takeFirst().contains(QStringLiteral("Hello.java:1: ")));
    QCOMPARE(jarEntries(jar), entries);
    QCOMPARE(QDir(site(QString())).entryList(QDir::Files),
             (QStringList{QStringLiteral("Hello.class"), QStringLiteral("Hello.jar")}));

    // A JDK made without the jar tool (jlink'd) says so before it compiles.
    QString problem;
    const QString jarless = jdkWithoutAppletApi(&problem);
    if (jarless.isEmpty())
        QSKIP(qPrintable(problem));
    useCompiler(*m_window, jarless);
    m_dialog->answer(jar);
    m_window->PubRunnableJarB_Click();
    QVERIFY(commandEnds(*m_window));
    QCOMPARE(m_messages->texts.size(), 1);
    QCOMPARE(m_messages->texts.takeFirst(),
             QStringLiteral("The jar %1 was not written: the JDK of %2 has no jar tool.").arg(jar, jarless));
    QCOMPARE(jarEntries(jar), entries);
}

QTEST_MAIN(TestPublishing)
#include "tst_publishing.moc"
