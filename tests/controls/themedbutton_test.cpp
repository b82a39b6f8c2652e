#include "buttontesthelpers.h"
#include "controls/themeapi.h"
#include "controls/themedbutton.h"
#include "qtprinters.h"

#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <gtest/gtest.h>

#include <optional>
#include <string>

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

// A hovered button as bound under one style and drawn under another: the
// style's face without flat edges, the flat edges without visual styles, and
// no edges after a switch to the classic style, as they were decided at binding.
TEST(ThemedButton, TheFaceFollowsTheStyleAndTheEdgesTheStyleAtBinding)
{
    struct Case
    {
        const char* bound;
        const char* drawn;
        std::optional<QPalette::ColorRole> top; // none: the style's own face
    };
    for (const Case& c :
         {Case{"Fusion", "Fusion", std::nullopt}, Case{"Windows", "Windows", QPalette::Light},
          Case{"Fusion", "Windows", QPalette::Button}}) {
        SCOPED_TRACE(std::string(c.bound) + " then " + c.drawn);
        const StyleScope binding(QString::fromLatin1(c.bound));
        ThemeApi theme;
        ThemedButton button;
        button.resize(80, 30);
        button.BindTheme(&theme);
        MoveMouse(button, {5, 5});
        const StyleScope drawing(QString::fromLatin1(c.drawn));
        const QImage image = Render(button);
        const QPalette colours = button.palette();
        if (c.top) {
            EXPECT_EQ(image.pixel(40, 0), colours.color(*c.top).rgb());
            EXPECT_EQ(image.pixel(1, 1), colours.color(QPalette::Button).rgb());
        } else {
            EXPECT_NE(image.pixel(40, 0), colours.color(QPalette::Light).rgb());
            EXPECT_NE(image.pixel(1, 1), colours.color(QPalette::Button).rgb()) << "not flat";
        }
    }
}

} // namespace
