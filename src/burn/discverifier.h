#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

class QThread;

// Reads a recorded disc back and compares it byte for byte with the image, off
// the UI thread. The disc is read for the image's length only, since a drive
// rounds the written area up with zeros.
class DiscVerifier : public QObject
{
    Q_OBJECT

public:
    DiscVerifier();
    ~DiscVerifier() override;
    DiscVerifier(const DiscVerifier&) = delete;
    DiscVerifier& operator=(const DiscVerifier&) = delete;

    // image: the image file, or a split image's chunks in order; length: the
    // image's bytes in them. drive: the recorder's device, "/dev/sr0" or "stdio:PATH".
    void Start(const QStringList& image, qint64 length, const QString& drive);
    // Stops at the next block and waits for the thread; Finished is not emitted.
    void Cancel();
    [[nodiscard]] bool IsRunning() const;

    // The file a device name reads from: the path of a stdio pseudo-drive, or the device.
    [[nodiscard]] static QString ReadablePath(const QString& drive);

    // True when the disc holds at least length bytes and they are the first
    // length bytes of the image. False when cancelled.
    [[nodiscard]] static bool Matches(const QStringList& image, qint64 length,
                                      const QString& discPath,
                                      const std::atomic<bool>* cancel = nullptr);

signals:
    void Finished(bool matches);

private:
    std::unique_ptr<QThread> m_thread;
    std::atomic<bool> m_cancel{false};
    bool m_matches = false;
};
