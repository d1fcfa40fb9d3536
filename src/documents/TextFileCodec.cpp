#include "TextFileCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace {

// Turns every CR LF, lone CR and lone LF into LF, in place, and tells which came first.
LineEnd normaliseLineEnds(QByteArray &bytes)
{
    const qsizetype firstBreak = [&] {
        for (qsizetype i = 0; i < bytes.size(); ++i)
            if (bytes[i] == '\r' || bytes[i] == '\n')
                return i;
        return qsizetype(-1);
    }();
    if (firstBreak < 0)
        return LineEnd::LF;

    LineEnd first = LineEnd::LF;
    if (bytes.at(firstBreak) == '\r')
        first = firstBreak + 1 < bytes.size() && bytes.at(firstBreak + 1) == '\n' ? LineEnd::CRLF
                                                                                  : LineEnd::CR;
    if (!bytes.contains('\r'))
        return first;

    char *data = bytes.data();
    const qsizetype size = bytes.size();
    qsizetype out = firstBreak;
    for (qsizetype in = firstBreak; in < size; ++in) {
        if (data[in] == '\r') {
            data[out++] = '\n';
            if (in + 1 < size && data[in + 1] == '\n')
                ++in;
        } else {
            data[out++] = data[in];
        }
    }
    bytes.truncate(out);
    return first;
}

bool isLineBreak(char16_t c)
{
    return c == u'\n' || c == QChar::ParagraphSeparator;
}

} // namespace

QByteArray lineEndBytes(LineEnd lineEnd)
{
    switch (lineEnd) {
    case LineEnd::CRLF:
        return QByteArrayLiteral("\r\n");
    case LineEnd::CR:
        return QByteArrayLiteral("\r");
    case LineEnd::LF:
        break;
    }
    return QByteArrayLiteral("\n");
}

QByteArray utf8ByteOrderMark()
{
    return QByteArrayLiteral("\xEF\xBB\xBF");
}

DecodedText decodeText(const QByteArray &bytes)
{
    DecodedText decoded;
    const QByteArray mark = utf8ByteOrderMark();
    QByteArray body = bytes;
    decoded.format.byteOrderMark = body.startsWith(mark);
    if (decoded.format.byteOrderMark)
        body.remove(0, mark.size());
    decoded.format.lineEnd = normaliseLineEnds(body);

    // A second byte-order mark after the first is text, not a mark.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    decoded.text = utf8.decode(body);
    if (utf8.hasError()) {
        decoded.format.encoding = TextEncoding::Latin1;
        decoded.format.byteOrderMark = false;
        QByteArray latin1 = bytes;
        normaliseLineEnds(latin1);
        decoded.text = QString::fromLatin1(latin1);
    }
    return decoded;
}

EncodedText encodeText(QStringView text, const TextFormat &format)
{
    const bool utf8 = format.encoding == TextEncoding::Utf8;
    const QByteArray lineEnd = lineEndBytes(format.lineEnd);
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);

    // Room for the mark and three bytes per character, more than any character or
    // line end takes.
    const QByteArray mark = utf8ByteOrderMark();
    EncodedText encoded;
    QByteArray &out = encoded.bytes;
    out.resize(mark.size() + 3 * text.size());
    char *cursor = out.data();
    if (utf8 && format.byteOrderMark)
        cursor = std::copy(mark.begin(), mark.end(), cursor);

    // Characters that fit one byte go straight through. The rest of a line with a
    // wider one goes through Qt's UTF-8 encoder, or becomes '?' in Latin-1.
    const char16_t oneByte = utf8 ? 0x80 : 0x100;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i].unicode();
        if (c < oneByte && c != u'\n') {
            *cursor++ = static_cast<char>(c);
        } else if (isLineBreak(c)) {
            cursor = std::copy(lineEnd.begin(), lineEnd.end(), cursor);
        } else if (utf8) {
            qsizetype end = i + 1;
            while (end < size && !isLineBreak(text[end].unicode()))
                ++end;
            cursor = encoder.appendToBuffer(cursor, text.sliced(i, end - i));
            i = end - 1;
        } else {
            *cursor++ = '?';
            encoded.lossless = false;
        }
    }
    out.truncate(cursor - out.constData());
    encoded.lossless = encoded.lossless && !encoder.hasError();
    return encoded;
}

QChar firstUneditableCharacter(QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == QChar::ParagraphSeparator || u == 0xFDD0 || u == 0xFDD1)
            return c;
    }
    return {};
}
