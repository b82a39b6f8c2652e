#pragma once

#include <QByteArray>

// Follows a growing capture file the way a reader would that takes all new
// text in pieces of at most PieceLength characters (each piece ends after a
// line feed, after PieceLength characters, or at the end of the file) and keeps
// only the last piece. Instead of reading every piece, it finds that last
// piece from the end of the file, so that a poll costs the same however much
// was printed since the previous one; only the length of the newest line counts.
class NewestPieceReader
{
public:
    static constexpr int PieceLength = 253;

    // Reads what was appended to fd since the last call. Returns false when
    // nothing was; the piece then keeps the text of an earlier call.
    bool Poll(int fd);

    // The last piece read; empty before any.
    const QByteArray& Piece() const { return m_piece; }

    // Where the next read starts.
    qint64 Offset() const { return m_offset; }

    // The start of the last piece among the bytes [from, end) of fd. -1 on a read error.
    static qint64 LastPieceStart(int fd, qint64 from, qint64 end);

private:
    qint64 m_offset = 0;
    QByteArray m_piece;
};

// What atoi gives for the text: leading white space skipped, an optional sign,
// then decimal digits up to the first other character; no digits give 0.
// Values beyond int are clamped, so they stay out of any percentage range.
[[nodiscard]] int LeadingNumber(const QByteArray& text);
