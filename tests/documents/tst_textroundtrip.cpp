// Opening any file and saving it unchanged gives back the same bytes: checked on
// many generated files, through a real editing pane and real files on disk. Saving
// after edits, unchanged lines taken from the file's bytes, gives what encoding the
// whole text gives.
#include "EncodedLines.h"
#include "FuzzSeed.h"
#include "TextFile.h"
#include "TextFileCodec.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

namespace {

constexpr int Files = 600;

// One generated file and what it was built from.
struct Sample
{
    QByteArray bytes;
    TextFormat format;
    bool mixed = false;
};

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
    // Now and then a file mixes line end styles; it is saved with its first one.
    sample.mixed = random.bounded(8) == 0;
    for (int i = 0; i < lines; ++i) {
        if (i > 1 && sample.mixed)
            sample.bytes += lineEndBytes(static_cast<LineEnd>(random.bounded(3)));
        else if (i > 0)
            sample.bytes += lineEndBytes(sample.format.lineEnd);
        sample.bytes += utf8 ? randomUtf8Line(random) : randomBytesLine(random);
    }
    if (random.bounded(2) == 0)
        sample.bytes += lineEndBytes(sample.format.lineEnd);
    return sample;
}

QByteArray joined(const EncodedPieces &pieces)
{
    QByteArray bytes;
    for (const QByteArrayView piece : pieces.views())
        bytes += piece;
    return bytes;
}

// A random edit through the pane's document: typing (line breaks and wide characters
// among it), typing over a character, deleting a stretch (joining lines), undo or redo.
void editAtRandom(QTextDocument &document, QRandomGenerator &random)
{
    QTextCursor cursor(&document);
    const int end = document.characterCount() - 1;
    cursor.setPosition(random.bounded(end + 1));
    static const QString typed[] = {QStringLiteral("x"),          QStringLiteral("\n"),
                                    QStringLiteral("a\nb"),       QStringLiteral("\u00e9"),
                                    QStringLiteral("\U0001F600"), QStringLiteral("\u20ac;")};
    switch (random.bounded(5)) {
    case 0:
        cursor.insertText(typed[random.bounded(int(std::size(typed)))]);
        break;
    case 1:
        cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        cursor.insertText(QStringLiteral("y"));
        break;
    case 2:
        cursor.setPosition(std::min(end, cursor.position() + random.bounded(4)), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        break;
    case 3:
        document.undo();
        break;
    default:
        document.redo();
    }
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
    int editedFromPieces = 0;
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
        EncodedLines lines(*pane.document());
        lines.adopt(loaded.bytes, loaded.content.format);
        const TextFormat &format = loaded.content.format;
        const EncodedText saved = encodeText(pane.document()->toRawText(), format);
        QVERIFY(saved.lossless);
        const std::optional<EncodedPieces> unchanged = lines.encode(format);
        QVERIFY2(unchanged, sample.bytes.toPercentEncoding().constData());
        QCOMPARE(joined(*unchanged), saved.bytes);
        QCOMPARE(writeTextFile(path, unchanged->views()), QString());
        if (!sample.mixed)
            QVERIFY2(fileBytes(path) == sample.bytes, sample.bytes.toPercentEncoding().constData());

        for (int edit = 0; edit < 4; ++edit) {
            editAtRandom(*pane.document(), m_random);
            const EncodedText whole = encodeText(pane.document()->toRawText(), format);
            const std::optional<EncodedPieces> pieces = lines.encode(format);
            QVERIFY(whole.lossless || !pieces);
            if (pieces)
                QVERIFY2(joined(*pieces) == whole.bytes, sample.bytes.toPercentEncoding().constData());
            editedFromPieces += pieces.has_value();
        }

        // Whatever its line end style, a file that has line ends is read with its own.
        if (!sample.mixed && (sample.bytes.contains('\n') || sample.bytes.contains('\r')))
            QCOMPARE(loaded.content.format.lineEnd, sample.format.lineEnd);
        if (sample.format.encoding == TextEncoding::Utf8)
            QCOMPARE(loaded.content.format.byteOrderMark, sample.format.byteOrderMark);
        latin1 += loaded.content.format.encoding == TextEncoding::Latin1;
    }
    // The random byte files are nearly all invalid UTF-8: both readings were exercised.
    QVERIFY(latin1 > Files / 4);
    QVERIFY(latin1 < Files);
    // Most edited documents still had most of their lines from the file.
    QVERIFY(editedFromPieces > Files);
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

    // Bytes that are not the document's, line for line, are not taken.
    EncodedLines lines(*pane.document());
    lines.adopt(bytes + "x\r\n", loaded.content.format);
    QVERIFY(!lines.encode(loaded.content.format));
    lines.adopt(loaded.bytes, loaded.content.format);
    QCOMPARE(joined(lines.encode(loaded.content.format).value()), bytes);
}

QTEST_MAIN(TestTextRoundTrip)
#include "tst_textroundtrip.moc"
