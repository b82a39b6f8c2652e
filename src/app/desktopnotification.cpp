#include "app/desktopnotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

bool SendDesktopNotification(const QString& summary, const QString& body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout.
    // Servers may read the body as markup, so it is escaped.
    call << QStringLiteral("Isomint Stencil") << 0u << QStringLiteral("isomint-stencil") << summary
         << body.toHtmlEscaped() << QStringList() << QVariantMap() << -1;
    // Not waited for: a missing or slow service must not hold up the outcome box.
    return bus.send(call);
}
