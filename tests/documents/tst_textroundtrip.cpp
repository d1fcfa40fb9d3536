// Opening any file and saving it unchanged gives back the same bytes: checked on
// many generated files, through a real editing pane and real files on disk.
#include "FuzzSeed.h"
#include "TextFile.h"
#include "TextFileCodec.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int Files = 600;

// One generated file and what it was built from.
struct Sample
{
    QByteArray bytes;
    TextFormat format;
};

QByteArray lineEndBytes(LineEnd lineEnd)
{
    return lineEnd == LineEnd::CRLF ? QByteArray("\r\n")
           : lineEnd == LineEnd::CR ? QByteArray("\r")
                                    : QByteArray("\n");
}

// Random bytes without line ends: mostly not valid UTF-8.
QByteArray randomBytesLine(QRandomGenerator &random)
{
    QByteArray line;
    const int length = random.bounded(40);
    while (line.size() < length) {
        const char c = static_cast<char>(random.bounded(256));
        if (c != '\r' && c != '\n')
            line.append(c);
    }
    return line;
}

// Random characters from all planes, as valid UTF-8, without line ends or the
// characters the pane turns into something else, nor U+FEFF, which would read as
// a byte-order mark at the start of a file.
QByteArray randomUtf8Line(QRandomGenerator &random)
{
    QString line;
    const int length = random.bounded(30);
    while (line.size() < length) {
        const char32_t ranges[][2] = {
            {0x20, 0x7e}, {0x00, 0x1f}, {0xa0, 0x2fff}, {0xe000, 0xfffd}, {0x10000, 0x10ffff}};
        const auto &range = ranges[random.bounded(5)];
        const char32_t c = range[0] + random.bounded(range[1] - range[0] + 1);
        if (c == U'\r' || c == U'\n' || c == 0x2029 || c == 0xfdd0 || c == 0xfdd1 || c == 0xfeff)
            continue;
        line += QString::fromUcs4(&c, 1);
    }
    return line.toUtf8();
}

Sample randomSample(QRandomGenerator &random)
{
    Sample sample;
    const bool utf8 = random.bounded(2) == 0;
    sample.format.encoding = utf8 ? TextEncoding::Utf8 : TextEncoding::Latin1;
    sample.format.byteOrderMark = utf8 && random.bounded(3) == 0;
    sample.format.lineEnd = static_cast<LineEnd>(random.bounded(3));
    if (sample.format.byteOrderMark)
        sample.bytes = "\xef\xbb\xbf";
    const int lines = random.bounded(12);
    for (int i = 0; i < lines; ++i) {
        if (i > 0)
            sample.bytes += lineEndBytes(sample.format.lineEnd);
        sample.bytes += utf8 ? randomUtf8Line(random) : randomBytesLine(random);
    }
    if (random.bounded(2) == 0)
        sample.bytes += lineEndBytes(sample.format.lineEnd);
    return sample;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestTextRoundTrip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_seed.draw(); }
    void cleanup() { m_seed.report(); }
    void generatedFilesSurviveThePane();
    void fileWithNulBytes();

private:
    FuzzSeed m_seed;
    QRandomGenerator &m_random = m_seed.random();
};

void TestTextRoundTrip::generatedFilesSurviveThePane()
{
    QTemporaryDir dir;
    QPlainTextEdit pane;
    int latin1 = 0;
    for (int i = 0; i < Files; ++i) {
        const Sample sample = randomSample(m_random);
        const QString path = dir.filePath(QStringLiteral("sample%1.java").arg(i));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(sample.bytes);
        file.close();

        const LoadedText loaded = readTextFile(path);
        QVERIFY2(loaded.error.isEmpty(), qPrintable(loaded.error));
        pane.setPlainText(loaded.content.text);
        const EncodedText saved = encodeText(pane.document()->toRawText(), loaded.content.format);
        QVERIFY(saved.lossless);
        QCOMPARE(writeTextFile(path, saved.bytes), QString());
        QVERIFY2(fileBytes(path) == sample.bytes, sample.bytes.toPercentEncoding().constData());

        // Whatever its line end style, a file that has line ends is read with its own.
        if (sample.bytes.contains('\n') || sample.bytes.contains('\r'))
            QCOMPARE(loaded.content.format.lineEnd, sample.format.lineEnd);
        if (sample.format.encoding == TextEncoding::Utf8)
            QCOMPARE(loaded.content.format.byteOrderMark, sample.format.byteOrderMark);
        latin1 += loaded.content.format.encoding == TextEncoding::Latin1;
    }
    // The random byte files are nearly all invalid UTF-8: both readings were exercised.
    QVERIFY(latin1 > Files / 4);
    QVERIFY(latin1 < Files);
}

void TestTextRoundTrip::fileWithNulBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nul.txt"));
    const QByteArray bytes("a\0b\r\n\0\0\r\n", 10);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    const LoadedText loaded = readTextFile(path);
    QVERIFY(loaded.error.isEmpty());
    QPlainTextEdit pane;
    pane.setPlainText(loaded.content.text);
    QCOMPARE(encodeText(pane.document()->toRawText(), loaded.content.format).bytes, bytes);
}

QTEST_MAIN(TestTextRoundTrip)
#include "tst_textroundtrip.moc"
