// Hostile names in the document path, the destination folder and the compiler
// path, compiled with the real javac: each compiles, and no injected command runs.
#include "AppFolder.h"
#include "CompileDriver.h"
#include "HostileNames.h"
#include "JavaSources.h"
#include "RecordingFeedback.h"

#include <QDirIterator>
#include <QTest>

class TestHostileNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namesCompileAndRunNothing_data();
    void namesCompileAndRunNothing();
    void noCanaryAnywhere();

private:
    AppFolder m_app;
};

void TestHostileNames::namesCompileAndRunNothing_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : hostileNames())
        QTest::newRow(qPrintable(QString(name).replace(QLatin1Char('\n'), QStringLiteral("\\n")))) << name;
}

void TestHostileNames::namesCompileAndRunNothing()
{
    QFETCH(QString, name);
    const QString root = m_app.filePath(
        QStringLiteral("case-%1").arg(QTest::currentDataTag() ? qHash(name) : 0));
    // The name as a folder and as the file in the document path, as the destination
    // folder, and as the compiler's own name.
    const QString documentFolder = root + QStringLiteral("/doc/") + name;
    const QString destination = root + QStringLiteral("/out/") + name;
    const QString compilerFolder = root + QStringLiteral("/bin");
    QVERIFY(QDir().mkpath(documentFolder));
    QVERIFY(QDir().mkpath(destination));
    QVERIFY(QDir().mkpath(compilerFolder));
    const QString document = documentFolder + QLatin1Char('/') + name + QStringLiteral(".java");
    QFile source(document);
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write(anyNameClass());
    source.close();
    const QString compiler = compilerFolder + QLatin1Char('/') + name;
    QVERIFY(QFile::link(javacPath(), compiler));

    CompileDriver driver(m_app.path());
    RecordingFeedback feedback;
    const std::optional<CompileResult> result = resultOf(
        driver.CompileToFolder({describeJdk(compiler, m_app.path()), destination, document}, feedback));
    QVERIFY(result && result->ran());
    QVERIFY2(QFile::exists(destination + QStringLiteral("/Hello.class")), qPrintable(result->output));
}

void TestHostileNames::noCanaryAnywhere()
{
    QDirIterator files(m_app.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        files.next();
        QVERIFY2(files.fileName() != QLatin1String("PWNED"), qPrintable(files.filePath()));
    }
}

QTEST_GUILESS_MAIN(TestHostileNames)
#include "tst_hostilenames.moc"
