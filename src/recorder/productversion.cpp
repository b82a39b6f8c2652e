#include "recorder/productversion.h"

#include "platform/elidedtext.h"
#include "recorder/decrypterprogram.h"
#include "recorder/peversionreader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

// Reads the executable piece by piece instead of loading it whole.
class FileByteSource : public ByteSource
{
public:
    explicit FileByteSource(QFile& file) : m_file(file) {}

    bool ReadAt(std::uint64_t offset, void* out, std::size_t size) override
    {
        const auto fileSize = static_cast<std::uint64_t>(m_file.size());
        if (offset > fileSize || size > fileSize - offset)
            return false;
        if (!m_file.seek(static_cast<qint64>(offset)))
            return false;
        return m_file.read(static_cast<char*>(out), static_cast<qint64>(size)) ==
               static_cast<qint64>(size);
    }

private:
    QFile& m_file;
};

PeVersionResult ReadFromFile(const QString& path)
{
    // Only a regular file: a fifo or a device named here could block or never end.
    QFile file(path);
    if (path.isEmpty() || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    FileByteSource source(file);
    return ReadPeProductVersion(source);
}

} // namespace

ProductVersion ReadProductVersion(const QString& path)
{
    const PeVersionResult result = ReadFromFile(path);
    ProductVersion read;
    if (result.status == PeVersionStatus::NoVersionInfo)
        read.warning =
            QCoreApplication::translate("Recorder", Decrypter::NoFileInformationMessage) +
            ElideMiddle(path);
    if (result.status == PeVersionStatus::Found)
        read.version = QString::asprintf(Decrypter::VersionFormat, result.product[0],
                                         result.product[1], result.product[2], result.product[3]);
    return read;
}
