#pragma once

#include <QByteArray>
#include <QString>

// How a text file was written, so that saving it writes it the same way.
enum class LineEnd { LF, CRLF, CR };
enum class TextEncoding { Utf8, Latin1 };

struct TextFormat
{
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false; // UTF-8 only
    LineEnd lineEnd = LineEnd::LF;

    friend bool operator==(const TextFormat &a, const TextFormat &b)
    {
        return a.encoding == b.encoding && a.byteOrderMark == b.byteOrderMark && a.lineEnd == b.lineEnd;
    }
};

struct DecodedText
{
    QString text; // lines separated by '\n'; a final line end shows as a last empty line
    TextFormat format;
};

// Reads bytes as UTF-8 when they are valid UTF-8 (keeping a byte-order mark aside),
// otherwise as Latin-1, so that every byte becomes one character. Line ends of every
// style become '\n'; the format records the style of the first one.
DecodedText decodeText(const QByteArray &bytes);

struct EncodedText
{
    QByteArray bytes;
    bool lossless = true; // false when the encoding could not hold every character
};

// Writes text back in format. Both '\n' and U+2029 (the editor's block separator)
// end a line. Characters that Latin-1 cannot hold become '?' and clear lossless.
EncodedText encodeText(QStringView text, const TextFormat &format);

// The bytes that end a line in that style, and UTF-8's byte-order mark.
QByteArray lineEndBytes(LineEnd lineEnd);
QByteArray utf8ByteOrderMark();

// The first character that the editing pane cannot hold unchanged (it would turn
// it into a line break or a frame marker), or a null QChar when there is none.
QChar firstUneditableCharacter(QStringView text);
