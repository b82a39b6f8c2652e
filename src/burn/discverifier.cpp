#include "burn/discverifier.h"

#include "burn/recordingdevice.h"

#include <QFile>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

// Large page-aligned reads keep a drive streaming; small enough that a cancel
// is seen within a fraction of a second even on a slow disc.
constexpr qint64 kBlock = 1 << 20;
constexpr size_t kAlignment = 4096;

constexpr int kCancelPollMs = 100;

class ReadFile
{
public:
    ReadFile(const QString& path, const std::atomic<bool>* cancel)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC)), m_cancel(cancel)
    {
        if (m_fd >= 0)
            ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    }
    ~ReadFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    ReadFile(const ReadFile&) = delete;
    ReadFile& operator=(const ReadFile&) = delete;

    [[nodiscard]] bool IsOpen() const { return m_fd >= 0; }

    // Reads length bytes; false at an error, a cancel, or when the file ends first.
    [[nodiscard]] bool ReadExactly(char* data, qint64 length) const
    {
        while (length > 0) {
            if (!WaitForData())
                return false;
            const ssize_t got = ::read(m_fd, data, static_cast<size_t>(length));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            data += got;
            length -= got;
        }
        return true;
    }

private:
    // A file or a drive is always ready; a pipe may hold a read for good,
    // so a cancel is looked for while it gives nothing.
    [[nodiscard]] bool WaitForData() const
    {
        pollfd wait = {m_fd, POLLIN, 0};
        for (;;) {
            if (m_cancel != nullptr && m_cancel->load())
                return false;
            const int ready = ::poll(&wait, 1, kCancelPollMs);
            if (ready > 0 || (ready < 0 && errno != EINTR))
                return true; // the read itself reports what went wrong
        }
    }

    int m_fd;
    const std::atomic<bool>* m_cancel;
};

struct FreeBuffer
{
    void operator()(char* buffer) const { std::free(buffer); }
};
using Buffer = std::unique_ptr<char, FreeBuffer>;

Buffer AlignedBuffer()
{
    return Buffer(static_cast<char*>(std::aligned_alloc(kAlignment, kBlock)));
}

} // namespace

DiscVerifier::DiscVerifier() = default;

DiscVerifier::~DiscVerifier()
{
    Cancel();
}

QString DiscVerifier::ReadablePath(const QString& drive)
{
    // The same prefix, in the same case, as the device check accepts.
    const QLatin1String prefix(PseudoDrivePrefix);
    return drive.startsWith(prefix) ? drive.mid(prefix.size()) : drive;
}

bool DiscVerifier::Matches(const QStringList& image, qint64 length, const QString& discPath,
                           const std::atomic<bool>* cancel)
{
    const ReadFile disc(discPath, cancel);
    const Buffer discBlock = AlignedBuffer();
    const Buffer imageBlock = AlignedBuffer();
    if (!disc.IsOpen() || !discBlock || !imageBlock || length < 0)
        return false;
    // Compared as read, so a difference ends the work at once.
    for (const QString& part : image) {
        const ReadFile file(part, cancel);
        const qint64 partSize = std::min(QFile(part).size(), length);
        if (!file.IsOpen())
            return false;
        for (qint64 done = 0; done < partSize;) {
            const qint64 step = std::min(kBlock, partSize - done);
            if (!file.ReadExactly(imageBlock.get(), step) ||
                !disc.ReadExactly(discBlock.get(), step) ||
                std::memcmp(imageBlock.get(), discBlock.get(), static_cast<size_t>(step)) != 0)
                return false;
            done += step;
        }
        length -= partSize;
    }
    return length == 0;
}

void DiscVerifier::Start(const QStringList& image, qint64 length, const QString& drive)
{
    Cancel();
    m_cancel = false;
    m_matches = false;
    const QString path = ReadablePath(drive);
    m_thread.reset(QThread::create(
        [this, image, length, path] { m_matches = Matches(image, length, path, &m_cancel); }));
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
