#include "app/poweroff.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>

namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");

class LogindPowerOff : public PowerOff
{
public:
    bool Available() override
    {
        const QDBusConnection bus = QDBusConnection::systemBus();
        if (!bus.isConnected() || bus.interface() == nullptr)
            return false;
        return bus.interface()->isServiceRegistered(kService).value();
    }

    bool Request() override
    {
        QDBusInterface manager(kService, QStringLiteral("/org/freedesktop/login1"),
                               QStringLiteral("org.freedesktop.login1.Manager"),
                               QDBusConnection::systemBus());
        if (!manager.isValid())
            return false;
        // Interactive: logind may ask the user for authorisation.
        const QDBusMessage reply = manager.call(QStringLiteral("PowerOff"), true);
        return reply.type() == QDBusMessage::ReplyMessage;
    }
};

} // namespace

std::unique_ptr<PowerOff> MakeLogindPowerOff()
{
    return std::make_unique<LogindPowerOff>();
}
