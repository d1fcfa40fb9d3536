#include "TextFileCodec.h"

#include <QTest>

Q_DECLARE_METATYPE(TextFormat)

namespace {

TextFormat format(TextEncoding encoding, LineEnd lineEnd, bool bom = false)
{
    return {encoding, bom, lineEnd};
}

const TextFormat Utf8Lf = format(TextEncoding::Utf8, LineEnd::LF);

} // namespace

class TestTextFileCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decode_data();
    void decode();
    void encodeWritesTheFormat_data();
    void encodeWritesTheFormat();
    void mixedLineEndsTakeTheFirst();
    void latin1CannotHoldEverything();
    void uneditableCharacters();
};

void TestTextFileCodec::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextFormat>("format");

    QTest::newRow("empty") << QByteArray() << QString() << Utf8Lf;
    QTest::newRow("no line end") << QByteArray("class A {}") << QStringLiteral("class A {}") << Utf8Lf;
    QTest::newRow("LF") << QByteArray("a\nb\n") << QStringLiteral("a\nb\n") << Utf8Lf;
    QTest::newRow("CR LF") << QByteArray("a\r\nb") << QStringLiteral("a\nb")
                           << format(TextEncoding::Utf8, LineEnd::CRLF);
    QTest::newRow("CR") << QByteArray("a\rb\r") << QStringLiteral("a\nb\n")
                        << format(TextEncoding::Utf8, LineEnd::CR);
    QTest::newRow("empty lines CR LF")
        << QByteArray("\r\n\r\n") << QStringLiteral("\n\n") << format(TextEncoding::Utf8, LineEnd::CRLF);
    QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80")
                           << QStringLiteral("caf\u00e9 \u20ac \U0001F600") << Utf8Lf;
    QTest::newRow("BOM") << QByteArray("\xef\xbb\xbfx\n") << QStringLiteral("x\n")
                         << format(TextEncoding::Utf8, LineEnd::LF, true);
    QTest::newRow("two BOMs keep the second")
        << QByteArray("\xef\xbb\xbf\xef\xbb\xbfx") << QStringLiteral("\ufeffx")
        << format(TextEncoding::Utf8, LineEnd::LF, true);
    QTest::newRow("NUL") << QByteArray("a\0b", 3)
                         << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b")) << Utf8Lf;
    QTest::newRow("Latin-1 byte") << QByteArray("caf\xe9\r\n") << QStringLiteral("caf\u00e9\n")
                                  << format(TextEncoding::Latin1, LineEnd::CRLF);
    QTest::newRow("BOM then invalid is Latin-1")
        << QByteArray("\xef\xbb\xbf\xff") << QStringLiteral("\u00ef\u00bb\u00bf\u00ff")
        << format(TextEncoding::Latin1, LineEnd::LF);
    QTest::newRow("overlong") << QByteArray("\xc0\xaf") << QStringLiteral("\u00c0\u00af")
                              << format(TextEncoding::Latin1, LineEnd::LF);
    QTest::newRow("encoded surrogate") << QByteArray("\xed\xa0\x80") << QStringLiteral("\u00ed\u00a0\u0080")
                                       << format(TextEncoding::Latin1, LineEnd::LF);
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xf4\x90\x80\x80")
                                     << QStringLiteral("\u00f4\u0090\u0080\u0080")
                                     << format(TextEncoding::Latin1, LineEnd::LF);
    QTest::newRow("cut sequence at end") << QByteArray("ok\xe2\x82") << QStringLiteral("ok\u00e2\u0082")
                                         << format(TextEncoding::Latin1, LineEnd::LF);
}

void TestTextFileCodec::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(TextFormat, format);
    const DecodedText decoded = decodeText(bytes);
    QCOMPARE(decoded.text, text);
    QCOMPARE(decoded.format.encoding, format.encoding);
    QCOMPARE(decoded.format.byteOrderMark, format.byteOrderMark);
    QCOMPARE(decoded.format.lineEnd, format.lineEnd);
    QCOMPARE(encodeText(decoded.text, decoded.format).bytes, bytes);
}

void TestTextFileCodec::encodeWritesTheFormat_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextFormat>("format");
    QTest::addColumn<QByteArray>("bytes");

    const QString lines = QStringLiteral("a\n\u00e9\n");
    QTest::newRow("new document") << lines << TextFormat{} << QByteArray("a\n\xc3\xa9\n");
    QTest::newRow("CR LF") << lines << format(TextEncoding::Utf8, LineEnd::CRLF)
                           << QByteArray("a\r\n\xc3\xa9\r\n");
    QTest::newRow("CR Latin-1") << lines << format(TextEncoding::Latin1, LineEnd::CR)
                                << QByteArray("a\r\xe9\r");
    QTest::newRow("BOM") << QStringLiteral("x") << format(TextEncoding::Utf8, LineEnd::LF, true)
                         << QByteArray("\xef\xbb\xbfx");
    // The editor separates its blocks with U+2029.
    QTest::newRow("block separators")
        << QStringLiteral("a\u2029b\u2029") << format(TextEncoding::Utf8, LineEnd::CRLF)
        << QByteArray("a\r\nb\r\n");
}

void TestTextFileCodec::encodeWritesTheFormat()
{
    QFETCH(QString, text);
    QFETCH(TextFormat, format);
    QFETCH(QByteArray, bytes);
    const EncodedText encoded = encodeText(text, format);
    QCOMPARE(encoded.bytes, bytes);
    QVERIFY(encoded.lossless);
}

void TestTextFileCodec::mixedLineEndsTakeTheFirst()
{
    const DecodedText decoded = decodeText("a\r\nb\nc\rd\r\n");
    QCOMPARE(decoded.text, QStringLiteral("a\nb\nc\nd\n"));
    QCOMPARE(decoded.format.lineEnd, LineEnd::CRLF);
    QCOMPARE(encodeText(decoded.text, decoded.format).bytes, QByteArray("a\r\nb\r\nc\r\nd\r\n"));

    QCOMPARE(decodeText("a\rb\r\n").format.lineEnd, LineEnd::CR);
    QCOMPARE(decodeText("a\nb\r\n").format.lineEnd, LineEnd::LF);
}

void TestTextFileCodec::latin1CannotHoldEverything()
{
    const EncodedText encoded = encodeText(QStringLiteral("price: \u20ac5"),
                                           format(TextEncoding::Latin1, LineEnd::LF));
    QVERIFY(!encoded.lossless);
    QVERIFY(encodeText(QStringLiteral("\u00ff"), format(TextEncoding::Latin1, LineEnd::LF)).lossless);
}

void TestTextFileCodec::uneditableCharacters()
{
    QVERIFY(firstUneditableCharacter(u"plain\ttext\u2028 with\u00a0odd \u0001 bits").isNull());
    QCOMPARE(firstUneditableCharacter(u"a\u2029b"), QChar(0x2029));
    QCOMPARE(firstUneditableCharacter(u"a\ufdd0b"), QChar(0xFDD0));
    QCOMPARE(firstUneditableCharacter(u"a\ufdd1b"), QChar(0xFDD1));
}

QTEST_GUILESS_MAIN(TestTextFileCodec)
#include "tst_textfilecodec.moc"
