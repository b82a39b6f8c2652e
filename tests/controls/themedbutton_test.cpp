#include "buttontesthelpers.h"
#include "controls/themeapi.h"
#include "controls/themedbutton.h"
#include "qtprinters.h"

#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <gtest/gtest.h>

namespace {

// Runs a test under one application style and restores the one before.
class StyleScope
{
public:
    explicit StyleScope(const QString& name) : m_previous(QApplication::style()->name())
    {
        QApplication::setStyle(QStyleFactory::create(name));
    }
    ~StyleScope() { QApplication::setStyle(QStyleFactory::create(m_previous)); }

private:
    QString m_previous;
};

TEST(ThemeApi, VisualStylesAreActiveUnlessTheClassicStyleRuns)
{
    ThemeApi theme;
    ThemedButton button;
    {
        StyleScope fusion(QStringLiteral("Fusion"));
        EXPECT_TRUE(theme.IsAppThemed());
        EXPECT_NE(theme.OpenThemeData(&button, QStringLiteral("button")), nullptr);
        EXPECT_EQ(theme.OpenThemeData(&button, QStringLiteral("EDIT")), nullptr);
    }
    StyleScope classic(QStringLiteral("Windows"));
    EXPECT_FALSE(theme.IsAppThemed());
    const ThemeHandle none = theme.OpenThemeData(&button, QStringLiteral("BUTTON"));
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(theme.CloseThemeData(none), ThemeFail);
    QImage image(10, 10, QImage::Format_ARGB32);
    QPainter painter(&image);
    EXPECT_EQ(theme.DrawThemeBackground(none, &button, painter, ThemePartPushButton,
                                        ThemeStateNormal, image.rect(), nullptr),
              ThemeFail);
}

TEST(ThemedButton, BindingDecidesTheEdgesOnce)
{
    ThemeApi theme;
    ThemedButton unbound;
    EXPECT_FALSE(unbound.EdgeFlag()) << "cleared until bound";
    unbound.BindTheme(nullptr);
    EXPECT_TRUE(unbound.EdgeFlag());

    StyleScope fusion(QStringLiteral("Fusion"));
    ThemedButton themed;
    themed.BindTheme(&theme);
    EXPECT_FALSE(themed.EdgeFlag());
    {
        StyleScope classic(QStringLiteral("Windows"));
        ThemedButton plain;
        plain.BindTheme(&theme);
        EXPECT_TRUE(plain.EdgeFlag());
        EXPECT_FALSE(themed.EdgeFlag()) << "a style change later does not bring edges back";
    }
}

TEST(ThemedButton, PicksTheFaceStateWithTheLaterRuleWinning)
{
    ThemedButton button;
    button.resize(80, 30);
    EXPECT_EQ(button.ThemeState(), ThemeStateNormal);
    button.setDefault(true);
    EXPECT_EQ(button.ThemeState(), ThemeStateDefaulted);
    MoveMouse(button, {5, 5});
    EXPECT_EQ(button.ThemeState(), ThemeStateHot);
    button.setDown(true);
    EXPECT_EQ(button.ThemeState(), ThemeStatePressed);
    button.setEnabled(false);
    EXPECT_EQ(button.ThemeState(), ThemeStateDisabled);
}

TEST(ThemedButton, ThemedFaceReplacesTheFlatLook)
{
    StyleScope fusion(QStringLiteral("Fusion"));
    ThemeApi theme;
    ThemedButton button;
    button.resize(80, 30);
    button.BindTheme(&theme);
    MoveMouse(button, {5, 5});
    const QColor face = button.palette().color(QPalette::Button);
    const QColor light = button.palette().color(QPalette::Light);
    const QImage themed = Render(button);
    EXPECT_NE(themed.pixel(40, 0), light.rgb()) << "no flat raised edge";
    EXPECT_NE(themed.pixel(1, 1), face.rgb()) << "the style's rounded bevel, not a flat fill";

    // Switched to the classic style while open: flat face, but no edges,
    // since those were decided at binding.
    StyleScope classic(QStringLiteral("Windows"));
    const QImage flat = Render(button);
    EXPECT_EQ(flat.pixel(40, 0), face.rgb());
    EXPECT_EQ(flat.pixel(1, 1), face.rgb());
}

TEST(ThemedButton, WithoutVisualStylesHoverAndPressDrawTheFlatEdges)
{
    StyleScope classic(QStringLiteral("Windows"));
    ThemeApi theme;
    ThemedButton button;
    button.resize(80, 30);
    button.BindTheme(&theme);
    const QColor light = button.palette().color(QPalette::Light);
    const QColor dark = button.palette().color(QPalette::Dark);
    MoveMouse(button, {5, 5});
    EXPECT_EQ(Render(button).pixel(40, 0), light.rgb());
    button.setDown(true);
    EXPECT_EQ(Render(button).pixel(40, 0), dark.rgb());
}

} // namespace
