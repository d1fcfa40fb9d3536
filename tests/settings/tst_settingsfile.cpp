#include "SettingsFile.h"

#include "PathBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

Settings make(qint16 type, qint16 size, const char *location)
{
    return {type, size, QString::fromUtf8(location)};
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatIsExact_data();
    void formatIsExact();
    void parse_data();
    void parse();
    void readMissingOrOddFiles();
    void readNeverBlocksOnFifo();
    void storeWritesOneLine();
    void storeRefusesQuoteAndKeepsOldFile();
    void failedStoreKeepsOldFileAndSaysWhy();
};

void TestSettingsFile::formatIsExact_data()
{
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("defaults") << Settings{} << QByteArray("0,0,\"\"\r\n");
    QTest::newRow("javac") << make(4, 2, "/usr/bin/javac") << QByteArray("4,2,\"/usr/bin/javac\"\r\n");
    QTest::newRow("comma in path") << make(9, 9, "/opt/a,b/javac")
                                   << QByteArray("9,9,\"/opt/a,b/javac\"\r\n");
    QTest::newRow("non-ASCII path") << make(1, 3, "/opt/jdk\xc3\xa9/javac")
                                    << QByteArray("1,3,\"/opt/jdk\xc3\xa9/javac\"\r\n");
    // Every byte a path may hold but the quote and the line ends, UTF-8 or not.
    QByteArray bytes;
    for (int byte = 1; byte <= 0xFF; ++byte)
        if (byte != '"' && byte != '\r' && byte != '\n')
            bytes += char(byte);
    QTest::newRow("every byte") << Settings{1, 3, pathFromBytes(bytes)} << "1,3,\"" + bytes + "\"\r\n";
}

void TestSettingsFile::formatIsExact()
{
    QFETCH(Settings, settings);
    QFETCH(QByteArray, line);
    QCOMPARE(formatSettings(settings), line);
    QCOMPARE(parseSettings(line), settings);
}

void TestSettingsFile::parse_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Settings>("expected");

    // Well-formed files in the forms the reader accepts.
    QTest::newRow("stored line") << QByteArray("4,2,\"/usr/bin/javac\"\r\n") << make(4, 2, "/usr/bin/javac");
    QTest::newRow("largest indexes") << QByteArray("9,9,\"\"\r\n") << make(9, 9, "");
    QTest::newRow("no final line end") << QByteArray("5,3,\"/j\"") << make(5, 3, "/j");
    QTest::newRow("LF only") << QByteArray("5,3,\"/j\"\n") << make(5, 3, "/j");
    QTest::newRow("fields on lines") << QByteArray("3\r\n5\r\n\"/j\"\r\n") << make(3, 5, "/j");
    QTest::newRow("blanks before fields") << QByteArray("  4,\t2, \"/j\"") << make(4, 2, "/j");
    QTest::newRow("blanks after numbers") << QByteArray("4 ,2\t,\"/j\"") << make(4, 2, "/j");
    QTest::newRow("leading zeros") << QByteArray("04,002,\"\"") << make(4, 2, "");
    QTest::newRow("quoted numbers") << QByteArray("\"4\",\"2\",\"/j\"") << make(4, 2, "/j");
    QTest::newRow("unquoted path") << QByteArray("4,2,/usr/bin/javac\r\n") << make(4, 2, "/usr/bin/javac");
    QTest::newRow("blanks inside quotes kept")
        << QByteArray("1,1,\" /my jdk/javac \"") << make(1, 1, " /my jdk/javac ");

    // Trailing junk after the third field is ignored.
    QTest::newRow("more fields") << QByteArray("4,2,\"/j\",7,\"x\"\r\n") << make(4, 2, "/j");
    QTest::newRow("second line") << QByteArray("4,2,\"/j\"\r\n9,9,\"/k\"\r\n") << make(4, 2, "/j");

    // Bad input: what cannot be read keeps its default, the rest is still read.
    QTest::newRow("empty file") << QByteArray() << Settings{};
    QTest::newRow("blank line") << QByteArray("\r\n") << Settings{};
    QTest::newRow("one field") << QByteArray("7") << make(7, 0, "");
    QTest::newRow("two fields") << QByteArray("7,8,") << make(7, 8, "");
    QTest::newRow("empty first field") << QByteArray(",8,\"/j\"") << make(0, 8, "/j");
    QTest::newRow("word for index") << QByteArray("four,2,\"/j\"") << make(0, 2, "/j");
    QTest::newRow("digits then letters") << QByteArray("4a,2b,\"/j\"") << make(0, 0, "/j");
    QTest::newRow("decimal point") << QByteArray("4.5,2,\"/j\"") << make(0, 2, "/j");
    QTest::newRow("plus sign") << QByteArray("+4,2,\"/j\"") << make(0, 2, "/j");
    QTest::newRow("negative") << QByteArray("-1,-9,\"/j\"") << make(0, 0, "/j");
    QTest::newRow("minus alone") << QByteArray("-,2,\"/j\"") << make(0, 2, "/j");
    QTest::newRow("ten") << QByteArray("10,2,\"/j\"") << make(0, 2, "/j");
    QTest::newRow("beyond 16 bits") << QByteArray("65540,70000,\"/j\"") << make(0, 0, "/j");
    QTest::newRow("beyond 64 bits") << QByteArray("99999999999999999999999,4,\"/j\"") << make(0, 4, "/j");
    QTest::newRow("most negative") << QByteArray("-32768,3,\"/j\"") << make(0, 3, "/j");
    QTest::newRow("unterminated quote") << QByteArray("4,2,\"/usr/bin/jav") << make(4, 2, "");
    QTest::newRow("unterminated first quote") << QByteArray("\"4,2,/j\r\n") << Settings{};
    QTest::newRow("junk after quote") << QByteArray("4,2,\"/j\"x\r\n") << make(4, 2, "");
    QTest::newRow("junk after quoted index") << QByteArray("\"4\"x,2,\"/j\"") << make(0, 2, "/j");
    QTest::newRow("NUL bytes") << QByteArray("4\0,2,\"/j\"", 9) << make(0, 2, "/j");
    QTest::newRow("binary") << QByteArray("\xff\xfe\x01,\x80,\"\x7f\"") << make(0, 0, "\x7f");
}

void TestSettingsFile::parse()
{
    QFETCH(QByteArray, content);
    QFETCH(Settings, expected);
    const Settings read = parseSettings(content);
    QCOMPARE(read.MainFontType, expected.MainFontType);
    QCOMPARE(read.MainFontSize, expected.MainFontSize);
    QCOMPARE(read.CompilerLocation, expected.CompilerLocation);
}

void TestSettingsFile::readMissingOrOddFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QCOMPARE(readSettingsFile(dir.filePath(QStringLiteral("missing.dat"))), Settings{});
    QCOMPARE(readSettingsFile(dir.path()), Settings{}); // a folder named like the file

    const QString path = dir.filePath(QStringLiteral("Options.dat"));
    writeBytes(path, "6,1,\"/opt/jdk/bin/javac\"\r\n");
    QCOMPARE(readSettingsFile(path), make(6, 1, "/opt/jdk/bin/javac"));

    // A huge file is read only as far as a settings line can reach.
    writeBytes(path, "2,3,\"/j\"\r\n" + QByteArray(8 * 1024 * 1024, 'x'));
    QCOMPARE(readSettingsFile(path), make(2, 3, "/j"));

    if (::geteuid() != 0) { // root reads any file
        writeBytes(path, "6,1,\"/j\"\r\n");
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
        QCOMPARE(readSettingsFile(path), Settings{});
    }
}

void TestSettingsFile::readNeverBlocksOnFifo()
{
    QTemporaryDir dir;
    const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("Options.dat")));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    // With no writer, opening a FIFO for reading would block for ever.
    QCOMPARE(readSettingsFile(QFile::decodeName(fifo)), Settings{});
}

void TestSettingsFile::storeWritesOneLine()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Options.dat"));
    QCOMPARE(writeSettingsFile(path, Settings{}), QString());
    QCOMPARE(fileBytes(path), QByteArray("0,0,\"\"\r\n"));
    QCOMPARE(readSettingsFile(path), Settings{});

    const Settings javac = make(4, 2, "/usr/lib/jvm/java 17, current/bin/javac");
    QCOMPARE(writeSettingsFile(path, javac), QString());
    QCOMPARE(writeSettingsFile(path, javac), QString());
    QCOMPARE(fileBytes(path), QByteArray("4,2,\"/usr/lib/jvm/java 17, current/bin/javac\"\r\n"));
    QCOMPARE(readSettingsFile(path), javac);
}

void TestSettingsFile::storeRefusesQuoteAndKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Options.dat"));
    writeBytes(path, "4,2,\"/usr/bin/javac\"\r\n");

    const Settings quoted = make(1, 1, "/opt/\"odd\"/javac");
    QVERIFY(!settingsStoreProblem(quoted).isEmpty());
    const QString message = writeSettingsFile(path, quoted);
    QVERIFY(message.contains(QStringLiteral("double quote")));
    QCOMPARE(fileBytes(path), QByteArray("4,2,\"/usr/bin/javac\"\r\n"));
}

void TestSettingsFile::failedStoreKeepsOldFileAndSaysWhy()
{
    QTemporaryDir dir;
    // The settings "file" is a folder: nothing can replace it.
    const QString folder = dir.filePath(QStringLiteral("Options.dat"));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(writeSettingsFile(folder, Settings{}).contains(folder));
    QVERIFY(QFileInfo(folder).isDir());

    // The folder the file should go to is a plain file.
    const QString notAFolder = dir.filePath(QStringLiteral("plain"));
    writeBytes(notAFolder, "keep me");
    QVERIFY(!writeSettingsFile(notAFolder + QStringLiteral("/Options.dat"), Settings{}).isEmpty());
    QCOMPARE(fileBytes(notAFolder), QByteArray("keep me"));

    // The disk fills up while the new line is written: the old file stays whole.
    const QString path = dir.filePath(QStringLiteral("Full.dat"));
    writeBytes(path, "4,2,\"/usr/bin/javac\"\r\n");
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit tiny{8, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &tiny);
    const QString message = writeSettingsFile(path,
                                              {1, 1, QStringLiteral("/opt/a/much/longer/path/to/javac")});
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    QVERIFY(!message.isEmpty());
    QCOMPARE(fileBytes(path), QByteArray("4,2,\"/usr/bin/javac\"\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             (QStringList{QStringLiteral("Full.dat"), QStringLiteral("plain")}));
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
