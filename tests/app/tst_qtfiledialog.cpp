#include "QtFileDialog.h"

#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>

class TestQtFileDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filtersBecomeQtNameFilters_data();
    void filtersBecomeQtNameFilters();
    void openDialogIsConfigured();
    void saveDialogOffersTheLastName();
    void emptyTitleGivesTheDefault();
    void saveAddsTheChosenFiltersExtension();
};

void TestQtFileDialog::filtersBecomeQtNameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("open") << QStringLiteral("Java File (*.java)|*.java|Text File (*.txt)|*.txt")
                          << QStringList{QStringLiteral("Java File (*.java) (*.java)"),
                                         QStringLiteral("Text File (*.txt) (*.txt)")};
    QTest::newRow("save as, blanks kept")
        << QStringLiteral("Java File (*.java) | *.java | Text File (*.txt) | *.txt")
        << QStringList{QStringLiteral("Java File (*.java)  ( *.java )"),
                       QStringLiteral(" Text File (*.txt)  ( *.txt)")};
    QTest::newRow("two patterns") << QStringLiteral("Html File (*.html,*.htm)|*.html;*.htm")
                                  << QStringList{QStringLiteral("Html File (*.html,*.htm) (*.html *.htm)")};
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("description without pattern")
        << QStringLiteral("All|*|Odd") << QStringList{QStringLiteral("All (*)")};
}

void TestQtFileDialog::filtersBecomeQtNameFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(qtNameFilters(filter), expected);
}

void TestQtFileDialog::openDialogIsConfigured()
{
    QFileDialog dialog;
    configureFileDialog(dialog, FileDialog::Mode::Open,
                        QStringLiteral("Java File (*.java) | *.java | Text File (*.txt) | *.txt"), QString());
    QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(dialog.defaultSuffix(), QString()); // no extension is ever added
    QCOMPARE(dialog.nameFilters().size(), 2);
    // The blanks around the patterns do not stop them from matching.
    QVERIFY(QDir::match(dialog.nameFilters().first().section(QLatin1Char('('), -1).chopped(1).trimmed(),
                        QStringLiteral("Clock.java")));
}

void TestQtFileDialog::saveDialogOffersTheLastName()
{
    QTemporaryDir dir;
    const QString last = dir.filePath(QStringLiteral("Clock.java"));
    QFileDialog dialog;
    configureFileDialog(dialog, FileDialog::Mode::Save, QStringLiteral("Java Class File (*.class)|*.class"),
                        last);
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog.fileMode(), QFileDialog::AnyFile);
    QCOMPARE(QDir(dialog.directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
    QCOMPARE(QFileInfo(dialog.selectedFiles().value(0)).fileName(), QStringLiteral("Clock.java"));
}

void TestQtFileDialog::emptyTitleGivesTheDefault()
{
    QFileDialog open(nullptr, QString());
    configureFileDialog(open, FileDialog::Mode::Open, QString(), QString());
    QVERIFY(!open.windowTitle().isEmpty());

    QFileDialog titled(nullptr, QStringLiteral("Publish Class In"));
    configureFileDialog(titled, FileDialog::Mode::Save, QString(), QString());
    QCOMPARE(titled.windowTitle(), QStringLiteral("Publish Class In"));
}

void TestQtFileDialog::saveAddsTheChosenFiltersExtension()
{
    QTemporaryDir dir;
    QFileDialog dialog;
    configureFileDialog(dialog, FileDialog::Mode::Save,
                        QStringLiteral("Java File (*.java) | *.java | Text File (*.txt) | *.txt"),
                        dir.filePath(QStringLiteral("Hello")));
    QCOMPARE(QFileInfo(dialog.selectedFiles().value(0)).fileName(), QStringLiteral("Hello.java"));
    dialog.selectNameFilter(dialog.nameFilters().last());
    Q_EMIT dialog.filterSelected(dialog.nameFilters().last()); // as the user's choice in the dialog says
    QCOMPARE(QFileInfo(dialog.selectedFiles().value(0)).fileName(), QStringLiteral("Hello.txt"));
    dialog.selectFile(dir.filePath(QStringLiteral("Notes.md")));
    QCOMPARE(QFileInfo(dialog.selectedFiles().value(0)).fileName(), QStringLiteral("Notes.md"));
}

QTEST_MAIN(TestQtFileDialog)
#include "tst_qtfiledialog.moc"
