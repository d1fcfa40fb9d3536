// Feeds many random and mutated settings files to the reader and checks what it
// promises whatever the input: it returns, both indexes lie in 0 to 9, and every
// field is either read right or left at its default.
#include "FontTables.h"
#include "FuzzSeed.h"
#include "SettingsFile.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int Rounds = 20000;

// Bytes that matter to the reader come up often; any other byte may too.
char randomByte(QRandomGenerator &random)
{
    static const QByteArray meaningful("0123456789,\"\r\n \t-+.x");
    if (random.bounded(4) == 0)
        return static_cast<char>(random.bounded(256));
    return meaningful.at(random.bounded(static_cast<int>(meaningful.size())));
}

QByteArray randomBytes(QRandomGenerator &random, int maxLength)
{
    QByteArray bytes;
    const int length = random.bounded(maxLength + 1);
    for (int i = 0; i < length; ++i)
        bytes.append(randomByte(random));
    return bytes;
}

// A compiler path as a user might have one: any text without a double quote.
QString randomLocation(QRandomGenerator &random)
{
    static const QString pieces[] = {
        QStringLiteral("/usr/bin/javac"),
        QStringLiteral("/opt/jdk 17"),
        QStringLiteral(","),
        QStringLiteral(" "),
        QStringLiteral("\u00e9t\u00e9"),
        QStringLiteral("\u65e5\u672c"),
        QStringLiteral("C:\\jdk\\bin"),
        QStringLiteral("\t"),
        QStringLiteral("x"),
    };
    QString location;
    const int count = random.bounded(5);
    for (int i = 0; i < count; ++i)
        location += pieces[random.bounded(static_cast<int>(std::size(pieces)))];
    return location;
}

Settings randomSettings(QRandomGenerator &random)
{
    return {static_cast<qint16>(random.bounded(FontTableLength)),
            static_cast<qint16>(random.bounded(FontTableLength)), randomLocation(random)};
}

bool indexesValid(const Settings &settings)
{
    return isFontTableIndex(settings.MainFontType) && isFontTableIndex(settings.MainFontSize);
}

// Each field of read is the one of written or its default.
bool fieldsReadOrDefault(const Settings &read, const Settings &written)
{
    return (read.MainFontType == written.MainFontType || read.MainFontType == 0)
           && (read.MainFontSize == written.MainFontSize || read.MainFontSize == 0)
           && (read.CompilerLocation == written.CompilerLocation || read.CompilerLocation.isEmpty());
}

} // namespace

class TestSettingsFuzz : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_seed.draw(); }
    void cleanup() { m_seed.report(); }
    void randomFilesGiveValidIndexes();
    void storedFilesReadBack();
    void truncatedFilesKeepDefaults();
    void junkAfterTheLineIsIgnored();
    void mutatedFilesGiveValidIndexes();
    void randomFilesOnDisk();

private:
    FuzzSeed m_seed;
    QRandomGenerator &m_random = m_seed.random();
};

void TestSettingsFuzz::randomFilesGiveValidIndexes()
{
    for (int round = 0; round < Rounds; ++round) {
        const QByteArray content = randomBytes(m_random, 40);
        const Settings read = parseSettings(content);
        QVERIFY2(indexesValid(read), content.toPercentEncoding().constData());
        QCOMPARE(parseSettings(content), read); // no hidden state between reads
    }
}

void TestSettingsFuzz::storedFilesReadBack()
{
    for (int round = 0; round < Rounds; ++round) {
        const Settings written = randomSettings(m_random);
        QCOMPARE(parseSettings(formatSettings(written)), written);
    }
}

void TestSettingsFuzz::truncatedFilesKeepDefaults()
{
    for (int round = 0; round < Rounds / 10; ++round) {
        const Settings written = randomSettings(m_random);
        const QByteArray line = formatSettings(written);
        for (qsizetype cut = 0; cut <= line.size(); ++cut) {
            const Settings read = parseSettings(line.left(cut));
            QVERIFY2(fieldsReadOrDefault(read, written), line.left(cut).toPercentEncoding().constData());
        }
    }
}

void TestSettingsFuzz::junkAfterTheLineIsIgnored()
{
    for (int round = 0; round < Rounds; ++round) {
        const Settings written = randomSettings(m_random);
        const QByteArray content = formatSettings(written) + randomBytes(m_random, 30);
        QCOMPARE(parseSettings(content), written);
    }
}

void TestSettingsFuzz::mutatedFilesGiveValidIndexes()
{
    for (int round = 0; round < Rounds; ++round) {
        QByteArray content = formatSettings(randomSettings(m_random));
        const int mutations = 1 + m_random.bounded(3);
        for (int i = 0; i < mutations && !content.isEmpty(); ++i) {
            const int at = m_random.bounded(static_cast<int>(content.size()));
            switch (m_random.bounded(3)) {
            case 0:
                content[at] = randomByte(m_random);
                break;
            case 1:
                content.remove(at, 1);
                break;
            default:
                content.insert(at, randomByte(m_random));
                break;
            }
        }
        QVERIFY2(indexesValid(parseSettings(content)), content.toPercentEncoding().constData());
    }
}

void TestSettingsFuzz::randomFilesOnDisk()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Options.dat"));
    for (int round = 0; round < 200; ++round) {
        const QByteArray content = randomBytes(m_random, 200);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        QCOMPARE(readSettingsFile(path), parseSettings(content));
    }
}

QTEST_GUILESS_MAIN(TestSettingsFuzz)
#include "tst_settingsfuzz.moc"
