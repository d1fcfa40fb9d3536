#include "EncodedLines.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// Where a line's bytes lie in the adopted content (without its line end), and how
// many characters the line had then: a block whose length differs has changed.
// Kept small, since a large file has hundreds of thousands of them.
struct LineBytes : QTextBlockUserData
{
    LineBytes(qsizetype offset, qsizetype size, int characters, bool endKept)
        : offset(quint32(offset))
        , size(quint32(size))
        , characters(characters)
        , endKept(endKept)
    {
    }
    quint32 offset;
    quint32 size;
    int characters;
    bool endKept; // the line end after it is the one the file is saved with
};

// The lines of a file's content, each ended by CR LF, CR or LF as the reader sees them.
class LineSplitter
{
public:
    LineSplitter(const QByteArray &bytes, qsizetype start)
        : m_begin(bytes.constData())
        , m_end(m_begin + bytes.size())
        , m_next(m_begin + start)
    {
    }

    bool atEnd() const { return m_next == nullptr; }

    // The next line's offset and size; then the one after it.
    std::pair<qsizetype, qsizetype> take()
    {
        const char *line = m_next;
        const char *end = std::min(nextOf('\n', m_lf, line), nextOf('\r', m_cr, line));
        if (end == m_end)
            m_next = nullptr;
        else
            m_next = end + (*end == '\r' && end + 1 < m_end && end[1] == '\n' ? 2 : 1);
        return {line - m_begin, end - line};
    }

private:
    // The first c at or after from, kept in found between calls; m_end when none.
    const char *nextOf(char c, const char *&found, const char *from) const
    {
        if (found == nullptr || (found < from && found != m_end)) {
            found = static_cast<const char *>(std::memchr(from, c, size_t(m_end - from)));
            if (found == nullptr)
                found = m_end;
        }
        return found;
    }

    const char *m_begin;
    const char *m_end;
    const char *m_next;
    const char *m_lf = nullptr;
    const char *m_cr = nullptr;
};

// Whether size bytes can hold characters UTF-16 units in the encoding: one byte
// each in Latin-1, one to three per unit in UTF-8.
bool plausible(qsizetype size, int characters, TextEncoding encoding)
{
    if (encoding == TextEncoding::Latin1)
        return size == characters;
    return size >= characters && size <= 3 * qsizetype(characters);
}

} // namespace

EncodedPieces::EncodedPieces(const QByteArray &known)
    : m_known(known)
{
}

void EncodedPieces::addKnown(qsizetype offset, qsizetype size)
{
    add({false, offset, size});
}

void EncodedPieces::addFresh(QByteArrayView bytes)
{
    add({true, m_fresh.size(), bytes.size()});
    m_fresh.append(bytes);
}

void EncodedPieces::add(const Piece &piece)
{
    // Pieces that follow each other in the same bytes are written as one.
    if (!m_pieces.empty()) {
        Piece &last = m_pieces.back();
        if (last.fresh == piece.fresh && last.offset + last.size == piece.offset) {
            last.size += piece.size;
            return;
        }
    }
    m_pieces.push_back(piece);
}

std::vector<QByteArrayView> EncodedPieces::views() const
{
    std::vector<QByteArrayView> views;
    views.reserve(m_pieces.size());
    for (const Piece &piece : m_pieces)
        views.push_back(QByteArrayView(piece.fresh ? m_fresh : m_known).sliced(piece.offset, piece.size));
    return views;
}

EncodedLines::EncodedLines(QTextDocument &document)
    : m_document(document)
{
    connect(&document, &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { forgetChanged(position, added); });
}

void EncodedLines::adopt(const QByteArray &bytes, const TextFormat &format)
{
    m_adopted = false;
    if (!recordLines(bytes, format)) {
        forgetAll();
        return;
    }
    m_bytes = bytes;
    m_format = format;
    m_adopted = true;
}

bool EncodedLines::recordLines(const QByteArray &bytes, const TextFormat &format)
{
    const bool marked = format.encoding == TextEncoding::Utf8 && format.byteOrderMark;
    if ((marked && !bytes.startsWith(utf8ByteOrderMark())) || bytes.size() > qsizetype(UINT32_MAX))
        return false;
    LineSplitter lines(bytes, marked ? utf8ByteOrderMark().size() : 0);
    const QByteArray lineEnd = lineEndBytes(format.lineEnd);
    // Every block gets a new record, which replaces its old one.
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        const int characters = block.length() - 1;
        if (lines.atEnd())
            return false;
        const auto [offset, size] = lines.take();
        if (!plausible(size, characters, format.encoding))
            return false;
        const bool endKept = QByteArrayView(bytes).sliced(offset + size).startsWith(lineEnd);
        block.setUserData(new LineBytes(offset, size, characters, endKept));
    }
    return lines.atEnd();
}

std::optional<EncodedPieces> EncodedLines::encode(const TextFormat &format) const
{
    if (!m_adopted || format.encoding != m_format.encoding || format.lineEnd != m_format.lineEnd)
        return std::nullopt;
    EncodedPieces pieces(m_bytes);
    if (format.encoding == TextEncoding::Utf8 && format.byteOrderMark)
        pieces.addFresh(utf8ByteOrderMark());
    const QByteArray lineEnd = lineEndBytes(format.lineEnd);
    TextFormat lineFormat = format;
    lineFormat.byteOrderMark = false;

    const int changedLimit = m_document.blockCount() / 2;
    int changed = 0;
    for (QTextBlock block = m_document.begin(); block.isValid();) {
        const QTextBlock next = block.next();
        const auto *line = static_cast<const LineBytes *>(block.userData());
        if (line && line->characters == block.length() - 1) {
            // With the line end that followed it in the file, when it is the one to write.
            const bool withEnd = next.isValid() && line->endKept;
            pieces.addKnown(qsizetype(line->offset), qsizetype(line->size) + (withEnd ? lineEnd.size() : 0));
            if (next.isValid() && !withEnd)
                pieces.addFresh(lineEnd);
        } else {
            if (++changed > changedLimit)
                return std::nullopt;
            const EncodedText encoded = encodeText(block.text(), lineFormat);
            if (!encoded.lossless)
                return std::nullopt;
            pieces.addFresh(encoded.bytes);
            if (next.isValid())
                pieces.addFresh(lineEnd);
        }
        block = next;
    }
    return pieces;
}

void EncodedLines::forgetChanged(int position, int added)
{
    if (!m_adopted)
        return;
    // Every block from the one the change starts in to the one it ends in; a block
    // split off or joined by it is among them.
    for (QTextBlock block = m_document.findBlock(position);
         block.isValid() && block.position() <= position + added; block = block.next())
        block.setUserData(nullptr);
}

void EncodedLines::forgetAll()
{
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next())
        block.setUserData(nullptr);
    m_bytes.clear();
    m_adopted = false;
}
