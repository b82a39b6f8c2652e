#pragma once

#include <QString>

#include <cstdint>

class QPainter;
class QRect;
class QStyle;
class QWidget;

// A handle to the look a control is drawn in; null when there is none.
using ThemeHandle = const QStyle*;
using ThemeResult = std::int32_t;

constexpr ThemeResult ThemeOk = 0;
constexpr ThemeResult ThemeFail = static_cast<ThemeResult>(0x80004005u);

// The parts and states of a push button face.
constexpr int ThemePartPushButton = 1;
enum ThemeButtonState
{
    ThemeStateNormal = 1,
    ThemeStateHot = 2,
    ThemeStatePressed = 3,
    ThemeStateDisabled = 4,
    ThemeStateDefaulted = 5,
};

// Draws button faces in the application's visual style. The style counts as
// active unless it is Qt's classic "windows" style, which stands for the
// plain look; then every operation gives its fallback and buttons draw flat.
class ThemeApi
{
public:
    virtual ~ThemeApi() = default;

    // The style for a control class ("BUTTON" is the only one drawn), or null
    // when no visual style is active.
    ThemeHandle OpenThemeData(const QWidget* widget, const QString& className) const;
    ThemeResult CloseThemeData(ThemeHandle theme) const;
    // Draws the face of a part in a state over rect; ThemeFail without a
    // theme or for a part it does not know.
    ThemeResult DrawThemeBackground(ThemeHandle theme, const QWidget* widget, QPainter& painter,
                                    int part, int state, const QRect& rect,
                                    const QRect* clip) const;
    bool IsAppThemed() const;
};
