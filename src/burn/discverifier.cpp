#include "burn/discverifier.h"

#include <QCryptographicHash>
#include <QFile>
#include <QThread>

namespace {

constexpr qint64 kBlock = 1 << 20;

// Adds up to `limit` bytes of a file to the hash; returns how many were read.
qint64 HashFile(QCryptographicHash& hash, QFile& file, qint64 limit,
                const std::atomic<bool>* cancel)
{
    qint64 total = 0;
    while (total < limit && (cancel == nullptr || !cancel->load())) {
        const QByteArray block = file.read(std::min(kBlock, limit - total));
        if (block.isEmpty())
            break;
        hash.addData(block);
        total += block.size();
    }
    return total;
}

} // namespace

DiscVerifier::DiscVerifier() = default;

DiscVerifier::~DiscVerifier()
{
    Cancel();
}

QString DiscVerifier::ReadablePath(const QString& drive)
{
    if (drive.startsWith(QLatin1String("stdio:"), Qt::CaseInsensitive))
        return drive.mid(6);
    return drive;
}

bool DiscVerifier::Matches(const QStringList& image, const QString& discPath,
                           const std::atomic<bool>* cancel)
{
    QCryptographicHash imageHash(QCryptographicHash::Sha256);
    qint64 size = 0;
    for (const QString& part : image) {
        QFile file(part);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const qint64 read = HashFile(imageHash, file, file.size(), cancel);
        if (read != file.size())
            return false;
        size += read;
    }
    QFile disc(discPath);
    if (!disc.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    QCryptographicHash discHash(QCryptographicHash::Sha256);
    if (HashFile(discHash, disc, size, cancel) != size)
        return false;
    return discHash.result() == imageHash.result();
}

void DiscVerifier::Start(const QStringList& image, const QString& drive)
{
    Cancel();
    m_cancel = false;
    m_matches = false;
    const QString path = ReadablePath(drive);
    m_thread.reset(
        QThread::create([this, image, path] { m_matches = Matches(image, path, &m_cancel); }));
    connect(m_thread.get(), &QThread::finished, this, [this] {
        if (!m_cancel.load())
            emit Finished(m_matches);
    });
    m_thread->start();
}

void DiscVerifier::Cancel()
{
    if (m_thread == nullptr)
        return;
    m_cancel = true;
    m_thread->wait();
    m_thread.reset();
}

bool DiscVerifier::IsRunning() const
{
    return m_thread != nullptr && m_thread->isRunning();
}
