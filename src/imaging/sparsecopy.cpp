#include "imaging/sparsecopy.h"

#include <QByteArray>
#include <QDir>

#include <unistd.h>

namespace {

constexpr qint64 BufferSize = 1 << 20;

} // namespace

bool SparseCopy::Create()
{
    m_file.setFileTemplate(QDir::tempPath() + QStringLiteral("/isomint-check-XXXXXX.iso"));
    return m_file.open() && m_file.resize(m_stream.Size());
}

bool SparseCopy::Copy(qint64 offset, qint64 length)
{
    QByteArray buffer(qMin(length, BufferSize), Qt::Uninitialized);
    while (length > 0) {
        const qint64 count = qMin(length, BufferSize);
        if (!m_stream.Read(offset, buffer.data(), count) ||
            pwrite(m_file.handle(), buffer.constData(), static_cast<size_t>(count),
                   static_cast<off_t>(offset)) != count)
            return false;
        offset += count;
        length -= count;
    }
    return true;
}
