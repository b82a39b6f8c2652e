#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

class QObject;

// Called once: true when the file manager took the files, false when it
// could not be reached or refused them.
using FileManagerDone = std::function<void(bool shown)>;

// The desktop's file manager, asked over D-Bus (org.freedesktop.FileManager1)
// to open the folders of files with the files selected. Tests install their
// own, or point one at a bus of their own.
class FileManager
{
public:
    // A file manager that has not answered by then counts as not reached.
    static constexpr std::chrono::milliseconds CallBound{5000};

    // connectionName: a QDBusConnection by name; empty for the session bus.
    explicit FileManager(QString connectionName = {});
    virtual ~FileManager() = default;
    FileManager(const FileManager&) = delete;
    FileManager& operator=(const FileManager&) = delete;

    // Asks without blocking; `done` gets the answer from the event loop, never
    // within this call, and not once `context` is gone.
    virtual void ShowItems(const QStringList& files, QObject* context, FileManagerDone done);

private:
    QString m_connectionName;
};

// The file manager in use; the desktop's unless a test installed another.
FileManager& CurrentFileManager();

// Installs a file manager (not owned); nullptr restores the desktop's.
void SetFileManager(FileManager* fileManager);
