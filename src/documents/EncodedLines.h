#pragma once

#include "TextFileCodec.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>

#include <optional>
#include <vector>

class QTextDocument;

// A document's bytes as pieces to write one after the other: runs of bytes the
// file already had, and lines encoded anew.
class EncodedPieces
{
public:
    explicit EncodedPieces(const QByteArray &known);

    void addKnown(qsizetype offset, qsizetype size);
    void addFresh(QByteArrayView bytes);
    std::vector<QByteArrayView> views() const;

private:
    struct Piece
    {
        bool fresh;
        qsizetype offset;
        qsizetype size;
    };
    void add(const Piece &piece);

    QByteArray m_known;
    QByteArray m_fresh;
    std::vector<Piece> m_pieces;
};

// Remembers, for every line of a document that has not changed since its file was
// read or written, where its bytes lie in that file's content. A save then writes
// those bytes as they are instead of taking the whole text out of the document and
// encoding it again, which is most of the time a large file takes to save. A line
// is forgotten as soon as any change touches it.
class EncodedLines : public QObject
{
public:
    explicit EncodedLines(QTextDocument &document);

    // bytes is the whole content, in format, of the file the document's text was
    // just read from or written to. Content that does not match the document line
    // for line is not taken.
    void adopt(const QByteArray &bytes, const TextFormat &format);

    // The document's content in format, its unchanged lines taken from the adopted
    // bytes. Nothing when format's encoding or line end is not the adopted one, when
    // more than half the lines changed (encoding the whole text is then as quick), or
    // when a changed line has a character the encoding cannot hold.
    std::optional<EncodedPieces> encode(const TextFormat &format) const;

private:
    // Gives every block the record of its line in bytes; false when they do not match.
    bool recordLines(const QByteArray &bytes, const TextFormat &format);
    void forgetChanged(int position, int added);
    void forgetAll();

    QTextDocument &m_document;
    bool m_adopted = false; // only then do lines carry their bytes
    QByteArray m_bytes;
    TextFormat m_format;
};
