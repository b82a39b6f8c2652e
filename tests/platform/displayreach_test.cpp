#include "platform/displayreach.h"
#include "support/environment.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// X11 and Wayland need their display; other platforms are Qt's to judge.
TEST(DisplayReach, FollowsThePlatformQtWouldStart)
{
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    QFile socket(runtime.filePath(QStringLiteral("wayland-0")));
    ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
    const QString x = QStringLiteral(":0");
    const QString none;
    struct Case
    {
        const char* name;
        QStringList arguments;
        QProcessEnvironment environment;
        bool reachable;
    };
    const QStringList bare{QStringLiteral("isomint")};
    const Case cases[] = {
        {"nothing set", bare, QProcessEnvironment(), false},
        {"empty DISPLAY", bare, Environment({{"DISPLAY", none}}), false},
        {"X11", bare, Environment({{"DISPLAY", x}}), true},
        {"Wayland", bare, Environment({{"WAYLAND_DISPLAY", QStringLiteral("wayland-1")}}), true},
        {"Wayland's default socket", bare, Environment({{"XDG_RUNTIME_DIR", runtime.path()}}),
         true},
        {"xcb asked, only Wayland there", bare,
         Environment({{"QT_QPA_PLATFORM", QStringLiteral("xcb")},
                      {"WAYLAND_DISPLAY", QStringLiteral("wayland-1")}}),
         false},
        {"wayland-egl asked, only X11 there", bare,
         Environment({{"QT_QPA_PLATFORM", QStringLiteral("wayland-egl")}, {"DISPLAY", x}}), false},
        {"a list falls back", bare,
         Environment({{"QT_QPA_PLATFORM", QStringLiteral("wayland;xcb")}, {"DISPLAY", x}}), true},
        {"offscreen", bare, Environment({{"QT_QPA_PLATFORM", QStringLiteral("offscreen")}}), true},
        {"options after the name", bare,
         Environment({{"QT_QPA_PLATFORM", QStringLiteral("xcb:nograb")}}), false},
        {"-platform wins",
         {QStringLiteral("isomint"), QStringLiteral("-platform"), QStringLiteral("minimal")},
         Environment({{"QT_QPA_PLATFORM", QStringLiteral("xcb")}}),
         true},
        {"--platform wins",
         {QStringLiteral("isomint"), QStringLiteral("--platform"), QStringLiteral("xcb")},
         Environment({{"QT_QPA_PLATFORM", QStringLiteral("offscreen")}}),
         false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DisplayReachable(c.arguments, c.environment), c.reachable) << c.name;
}

} // namespace
