#include "imaging/isovolume.h"

#include <QByteArray>

#include <optional>

namespace {

constexpr qint64 BlockSize = 2048;
constexpr qint64 FirstDescriptor = 16;
constexpr int DescriptorLimit = 32;
// Far more than a DVD-Video folder's directories need; stops a damaged record
// from asking for gigabytes.
constexpr qint64 DirectoryLimit = 16 << 20;

struct Record
{
    qint64 offset = 0;
    qint64 size = 0;
    bool folder = false;
    QByteArray name;
};

quint32 Le32(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return u[0] | (u[1] << 8) | (u[2] << 16) | (static_cast<quint32>(u[3]) << 24);
}

quint32 Le16(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return u[0] | (u[1] << 8);
}

// The primary volume descriptor, searched among the descriptors from block 16 on.
std::optional<QByteArray> PrimaryDescriptor(const ChunkStream& stream)
{
    QByteArray block(BlockSize, Qt::Uninitialized);
    for (int n = 0; n < DescriptorLimit; ++n) {
        if (!stream.Read((FirstDescriptor + n) * BlockSize, block.data(), BlockSize) ||
            block.mid(1, 5) != "CD001")
            return std::nullopt;
        const auto type = static_cast<unsigned char>(block[0]);
        if (type == 1 && Le16(block.constData() + 128) == BlockSize)
            return block;
        if (type == 255)
            return std::nullopt;
    }
    return std::nullopt;
}

// A directory record; records are at least 34 bytes, and the name follows at 33.
Record ParseRecord(const char* p)
{
    const int nameLength = static_cast<unsigned char>(p[32]);
    return {Le32(p + 2) * BlockSize, Le32(p + 10), (p[25] & 2) != 0,
            QByteArray(p + 33, nameLength)};
}

// The records of a directory. Records never cross a block; a zero length ends a block.
std::optional<QList<Record>> ReadDirectory(const ChunkStream& stream, const Record& directory)
{
    if (directory.size > DirectoryLimit)
        return std::nullopt;
    QByteArray data(directory.size, Qt::Uninitialized);
    if (!stream.Read(directory.offset, data.data(), data.size()))
        return std::nullopt;
    QList<Record> records;
    qint64 at = 0;
    while (at < data.size()) {
        const int length = static_cast<unsigned char>(data[at]);
        const qint64 blockEnd = (at / BlockSize + 1) * BlockSize;
        if (length == 0) {
            at = blockEnd;
            continue;
        }
        if (length < 34 || at + length > qMin<qint64>(blockEnd, data.size()) ||
            33 + static_cast<unsigned char>(data[at + 32]) > length)
            return std::nullopt;
        records.append(ParseRecord(data.constData() + at));
        at += length;
    }
    return records;
}

} // namespace

qint64 IsoVolumeBytes(const ChunkStream& stream)
{
    const auto descriptor = PrimaryDescriptor(stream);
    return descriptor ? Le32(descriptor->constData() + 80) * BlockSize : -1;
}

qint64 IsoFirstFileOffset(const ChunkStream& stream, const QByteArray& folder)
{
    const auto descriptor = PrimaryDescriptor(stream);
    if (!descriptor)
        return -1;
    const auto root = ReadDirectory(stream, ParseRecord(descriptor->constData() + 156));
    if (!root)
        return -1;
    for (const Record& entry : *root) {
        if (!entry.folder || entry.name != folder)
            continue;
        const auto files = ReadDirectory(stream, entry);
        if (!files)
            return -1;
        qint64 first = -1;
        for (const Record& file : *files)
            if (!file.folder && file.size > 0 && (first < 0 || file.offset < first))
                first = file.offset;
        return first;
    }
    return -1;
}
