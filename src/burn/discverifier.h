#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

class QThread;

// Reads a recorded disc back and compares its checksum with the image's, off
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

    // image: the image file, or a split image's chunks in order. drive: the
    // recorder's device, "/dev/sr0" or "stdio:PATH".
    void Start(const QStringList& image, const QString& drive);
    void Cancel();
    [[nodiscard]] bool IsRunning() const;

    // The file a device name reads from: the path of a stdio pseudo-drive, or the device.
    [[nodiscard]] static QString ReadablePath(const QString& drive);

    // True when the disc starts with exactly the image's bytes (SHA-256).
    [[nodiscard]] static bool Matches(const QStringList& image, const QString& discPath,
                                      const std::atomic<bool>* cancel = nullptr);

signals:
    void Finished(bool matches);

private:
    std::unique_ptr<QThread> m_thread;
    std::atomic<bool> m_cancel{false};
    bool m_matches = false;
};
