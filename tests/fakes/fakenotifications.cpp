// Plays the desktop's notification service on the session bus: owns
// org.freedesktop.Notifications and appends each Notify call to the record
// file named by its argument, as "app_name\tsummary\tbody" with line breaks
// written as \n. Prints "ready" once it owns the name.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <cstdio>

class Notifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    explicit Notifications(QString record) : m_record(std::move(record)) {}

public slots:
    uint Notify(const QString& appName, uint /*replacesId*/, const QString& /*appIcon*/,
                const QString& summary, const QString& body, const QStringList& /*actions*/,
                const QVariantMap& /*hints*/, int /*expireTimeout*/)
    {
        QFile file(m_record);
        if (file.open(QIODevice::Append)) {
            const QString line = appName + u'\t' + summary + u'\t' + body;
            file.write(QString(line).replace(u'\n', QStringLiteral("\\n")).toUtf8() + '\n');
        }
        return ++m_id;
    }
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }
    QString GetServerInformation() { return QStringLiteral("fake"); }

private:
    QString m_record;
    uint m_id = 0;
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    Notifications service(QString::fromLocal8Bit(argv[1]));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
        std::fprintf(stderr, "cannot own org.freedesktop.Notifications\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}

#include "fakenotifications.moc"
