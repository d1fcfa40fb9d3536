// The parser on javac's real output, produced here, and on hand-made quirks.
#include "CompilerDiagnostics.h"
#include "JavaSources.h"
#include "TestTime.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// What javac -verbose prints about a file with this source.
QString javacOutput(const QString &folder, const QString &fileName, const QByteArray &source)
{
    QFile file(QDir(folder).filePath(fileName));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(source);
    file.close();
    QProcess javac;
    javac.setProcessChannelMode(QProcess::MergedChannels);
    javac.start(javacPath(), {QStringLiteral("-verbose"), QStringLiteral("-d"), folder, file.fileName()});
    javac.waitForFinished(scaled(60000));
    return QString::fromLocal8Bit(javac.readAll());
}

} // namespace

class TestCompilerDiagnostics : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void twoErrorsAndAWarning();
    void parseErrorAndTabs();
    void cleanCompileHasNone();
    void placelessMessagesAndNotes();
    void handMadeQuirks();
    void verboseLinesLeftOut();

private:
    QTemporaryDir m_dir;
};

void TestCompilerDiagnostics::twoErrorsAndAWarning()
{
    const QString output = javacOutput(m_dir.path(), QStringLiteral("Two.java"),
                                       "import java.applet.Applet;\n"
                                       "public class Two extends Applet {\n"
                                       "    int x = missing;\n"
                                       "    void f() {\n"
                                       "\tfoo(1);\n"
                                       "    }\n"
                                       "}\n");
    QVERIFY(output.contains(QStringLiteral("[parsing started")));
    const QList<Diagnostic> found = parseCompilerOutput(output);
    QCOMPARE(found.size(), 3);
    const QString file = m_dir.filePath(QStringLiteral("Two.java"));

    QCOMPARE(found[0].kind, Diagnostic::Kind::Warning);
    QCOMPARE(found[0].file, file);
    QCOMPARE(found[0].line, 2);
    QCOMPARE(found[0].column, 26); // at "Applet"
    QVERIFY(
        found[0].message.startsWith(QStringLiteral("[removal] Applet in java.applet has been deprecated")));

    QCOMPARE(found[1].kind, Diagnostic::Kind::Error);
    QCOMPARE(found[1].line, 3);
    QCOMPARE(found[1].column, 13); // at "missing"
    QCOMPARE(found[1].message,
             QStringLiteral("cannot find symbol\nsymbol:   variable missing\nlocation: class Two"));

    QCOMPARE(found[2].line, 5);
    QCOMPARE(found[2].column, 2); // after the tab, at "foo"
    QVERIFY(found[2].message.contains(QStringLiteral("method foo(int)")));
}

void TestCompilerDiagnostics::parseErrorAndTabs()
{
    const QList<Diagnostic> found = parseCompilerOutput(javacOutput(
        m_dir.path(), QStringLiteral("Broken.java"), "public class Broken {\n\t\tint x = ;\n}\n"));
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0].kind, Diagnostic::Kind::Error);
    QCOMPARE(found[0].line, 2);
    QCOMPARE(found[0].column, 11);
    QCOMPARE(found[0].message, QStringLiteral("illegal start of expression"));
}

void TestCompilerDiagnostics::cleanCompileHasNone()
{
    QCOMPARE(parseCompilerOutput(javacOutput(m_dir.path(), QStringLiteral("Fine.java"), "class Fine { }\n"))
                 .size(),
             0);
}

void TestCompilerDiagnostics::placelessMessagesAndNotes()
{
    QProcess javac;
    javac.setProcessChannelMode(QProcess::MergedChannels);
    javac.start(javacPath(),
                {QStringLiteral("-d"), m_dir.path(), m_dir.filePath(QStringLiteral("Missing.java"))});
    javac.waitForFinished(scaled(60000));
    const QList<Diagnostic> found = parseCompilerOutput(QString::fromLocal8Bit(javac.readAll()));
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0].kind, Diagnostic::Kind::Error);
    QVERIFY(found[0].file.isEmpty());
    QVERIFY(found[0].message.startsWith(QStringLiteral("file not found")));

    const QList<Diagnostic> notes = parseCompilerOutput(
        QStringLiteral("Note: A.java uses unchecked or unsafe operations.\nNote: Recompile with "
                       "-Xlint:unchecked for details.\n"));
    QCOMPARE(notes.size(), 2);
    QCOMPARE(notes[0].kind, Diagnostic::Kind::Note);
}

void TestCompilerDiagnostics::handMadeQuirks()
{
    const QList<Diagnostic> found = parseCompilerOutput(
        QStringLiteral("C:\\work\\my dir\\A.java:12: error: incompatible types: possible lossy conversion\r\n"
                       "  from double to int\r\n"
                       "        int i = 1.5;\r\n"
                       "                ^\r\n"
                       "/x/B.java:3: warning: no caret here\r\n"
                       "/x/B.java:4: error: next one\r\n"
                       "1 warning\r\n2 errors\r\n"));
    QCOMPARE(found.size(), 3);
    QCOMPARE(found[0].file, QStringLiteral("C:\\work\\my dir\\A.java"));
    QCOMPARE(found[0].line, 12);
    QCOMPARE(found[0].column, 17);
    QCOMPARE(found[0].message,
             QStringLiteral("incompatible types: possible lossy conversion\nfrom double to int"));
    QCOMPARE(found[1].column, 0);
    QCOMPARE(found[1].message, QStringLiteral("no caret here"));
    QCOMPARE(found[2].line, 4);
}

void TestCompilerDiagnostics::verboseLinesLeftOut()
{
    const QString shown = withoutVerboseLines(
        QStringLiteral("[parsing started SimpleFileObject[/a/A.java]]\n[loading /x]\nA.java:1: error: "
                       "x\n[wrote A.class]\n1 error\n"));
    QCOMPARE(shown, QStringLiteral("A.java:1: error: x\n1 error"));
}

QTEST_GUILESS_MAIN(TestCompilerDiagnostics)
#include "tst_compilerdiagnostics.moc"
