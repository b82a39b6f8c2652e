#include "imaging/newestpiece.h"

#include <climits>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 ScanBlock = 4096;

// Position of the last line feed in [from, end) of fd, or -1.
qint64 LastLineFeed(int fd, qint64 from, qint64 end, bool* failed)
{
    char block[ScanBlock];
    while (end > from) {
        const qint64 start = end - ScanBlock > from ? end - ScanBlock : from;
        const ssize_t got = pread(fd, block, static_cast<size_t>(end - start), start);
        if (got != end - start) {
            *failed = true;
            return -1;
        }
        if (const void* hit = memrchr(block, '\n', static_cast<size_t>(got)))
            return start + (static_cast<const char*>(hit) - block);
        end = start;
    }
    return -1;
}

} // namespace

qint64 NewestPieceReader::LastPieceStart(int fd, qint64 from, qint64 end)
{
    // The newest line starts after the last line feed before the final byte (a
    // line feed there ends the newest line), or where the previous reading stopped.
    bool failed = false;
    const qint64 feed = LastLineFeed(fd, from, end - 1, &failed);
    if (failed)
        return -1;
    const qint64 lineStart = feed < 0 ? from : feed + 1;
    // Pieces run in PieceLength steps from the start of the line.
    return lineStart + (end - lineStart - 1) / PieceLength * PieceLength;
}

bool NewestPieceReader::Poll(int fd)
{
    struct stat info;
    if (fstat(fd, &info) != 0 || info.st_size <= m_offset)
        return false;
    const qint64 end = info.st_size;
    const qint64 start = LastPieceStart(fd, m_offset, end);
    if (start < 0)
        return false;
    QByteArray piece(end - start, Qt::Uninitialized);
    if (pread(fd, piece.data(), static_cast<size_t>(piece.size()), start) != piece.size())
        return false;
    m_piece = piece;
    m_offset = end;
    return true;
}

int LeadingNumber(const QByteArray& text)
{
    const char* p = text.constData();
    const char* const end = p + text.size();
    while (p < end && (*p == ' ' || (*p >= '\t' && *p <= '\r')))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    long long value = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        return static_cast<int>(-value < INT_MIN ? INT_MIN : -value);
    return static_cast<int>(value > INT_MAX ? INT_MAX : value);
}
