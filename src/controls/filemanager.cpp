#include "controls/filemanager.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

namespace {

FileManager* g_fileManager = nullptr;

QDBusConnection Bus(const QString& connectionName)
{
    return connectionName.isEmpty() ? QDBusConnection::sessionBus()
                                    : QDBusConnection(connectionName);
}

// Gives `done` its answer from the event loop, as long as `context` lives.
void AnswerLater(QObject* context, FileManagerDone done, bool shown)
{
    QObject* receiver = context != nullptr ? context : QCoreApplication::instance();
    QTimer::singleShot(0, receiver, [done = std::move(done), shown] { done(shown); });
}

// The file: addresses the interface takes, made absolute.
QStringList FileUris(const QStringList& files)
{
    QStringList uris;
    for (const QString& file : files)
        uris.append(QString::fromLatin1(
            QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toEncoded()));
    return uris;
}

} // namespace

FileManager::FileManager(QString connectionName) : m_connectionName(std::move(connectionName)) {}

void FileManager::ShowItems(const QStringList& files, QObject* context, FileManagerDone done)
{
    if (!done)
        done = [](bool) {};
    QDBusConnection bus = Bus(m_connectionName);
    if (!bus.isConnected() || files.isEmpty()) {
        AnswerLater(context, std::move(done), false);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    // No startup id: the program does not take part in startup notification.
    call << FileUris(files) << QString();
    auto* watcher = new QDBusPendingCallWatcher(
        bus.asyncCall(call, static_cast<int>(CallBound.count())), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [done = std::move(done)](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         done(!finished->isError());
                     });
}

FileManager& CurrentFileManager()
{
    static FileManager desktop;
    return g_fileManager != nullptr ? *g_fileManager : desktop;
}

void SetFileManager(FileManager* fileManager)
{
    g_fileManager = fileManager;
}
