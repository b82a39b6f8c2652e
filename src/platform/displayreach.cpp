#include "platform/displayreach.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The platforms Qt tries, in order: -platform (or --platform), else
// QT_QPA_PLATFORM, a list separated by ";", each optionally followed by
// ":options". Empty for Qt's default.
QStringList RequestedPlatforms(const QStringList& arguments, const QProcessEnvironment& environment)
{
    QString requested = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("-platform") ||
            arguments[i] == QLatin1String("--platform"))
            requested = arguments[i + 1];
    }
    QStringList names;
    for (const QString& entry : requested.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        names << entry.section(QLatin1Char(':'), 0, 0);
    return names;
}

bool Set(const QProcessEnvironment& environment, const char* name)
{
    return !environment.value(QLatin1String(name)).isEmpty();
}

bool X11Reachable(const QProcessEnvironment& environment)
{
    return Set(environment, "DISPLAY");
}

// Without WAYLAND_DISPLAY a Wayland client still tries wayland-0 in its
// runtime folder.
bool WaylandReachable(const QProcessEnvironment& environment)
{
    if (Set(environment, "WAYLAND_DISPLAY") || Set(environment, "WAYLAND_SOCKET"))
        return true;
    const QString runtime = environment.value(QStringLiteral("XDG_RUNTIME_DIR"));
    return QDir::isAbsolutePath(runtime) &&
           QFileInfo::exists(runtime + QStringLiteral("/wayland-0"));
}

bool PlatformReachable(const QString& name, const QProcessEnvironment& environment)
{
    if (name == QLatin1String("xcb"))
        return X11Reachable(environment);
    if (name.startsWith(QLatin1String("wayland")))
        return WaylandReachable(environment);
    return true;
}

} // namespace

bool DisplayReachable(const QStringList& arguments, const QProcessEnvironment& environment)
{
    QStringList platforms = RequestedPlatforms(arguments, environment);
    // Qt's default is X11 or Wayland, depending on the session.
    if (platforms.isEmpty())
        platforms = {QStringLiteral("xcb"), QStringLiteral("wayland")};
    for (const QString& platform : platforms) {
        if (PlatformReachable(platform, environment))
            return true;
    }
    return false;
}
