#include "burn/trackfeeder.h"

#include <QFileInfo>
#include <QProcess>

namespace {

constexpr qint64 kBlock = 1 << 20;

} // namespace

TrackFeeder::TrackFeeder(QProcess& child, QStringList files)
    : m_child(child), m_files(std::move(files))
{
    connect(&m_child, &QProcess::bytesWritten, this, &TrackFeeder::Feed);
}

qint64 TrackFeeder::TotalSize(const QStringList& files)
{
    qint64 total = 0;
    for (const QString& file : files) {
        const QFileInfo info(file);
        if (!info.isFile() || !info.isReadable())
            return -1;
        total += info.size();
    }
    return total;
}

void TrackFeeder::Begin()
{
    Feed();
}

bool TrackFeeder::OpenNext()
{
    m_current.close();
    if (m_next >= m_files.size())
        return false;
    m_current.setFileName(m_files.at(m_next++));
    if (!m_current.open(QIODevice::ReadOnly)) {
        m_failed = true;
        return false;
    }
    return true;
}

void TrackFeeder::Feed()
{
    // Only one block waits in the pipe's buffer at a time.
    while (!m_done && m_child.bytesToWrite() == 0) {
        if (!m_current.isOpen() || m_current.atEnd()) {
            if (!OpenNext()) {
                m_done = true;
                m_child.closeWriteChannel();
                return;
            }
            continue;
        }
        const QByteArray block = m_current.read(kBlock);
        if (block.isEmpty() && !m_current.atEnd()) {
            m_failed = true;
            m_done = true;
            m_child.closeWriteChannel();
            return;
        }
        m_child.write(block);
    }
}
