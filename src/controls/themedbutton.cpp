#include "controls/themedbutton.h"

#include "controls/themeapi.h"

ThemedButton::ThemedButton(QWidget* parent) : HoverButton(parent)
{
    SetEdgeFlag(false);
}

void ThemedButton::BindTheme(const ThemeApi* theme)
{
    m_theme = theme;
    if (m_theme == nullptr || !m_theme->IsAppThemed())
        SetEdgeFlag(true);
}

int ThemedButton::ThemeState() const
{
    // Later rules win: disabled over pressed over hot over defaulted.
    int state = IsDefaultButton() ? ThemeStateDefaulted : ThemeStateNormal;
    if (IsHovered())
        state = ThemeStateHot;
    if (IsPressed())
        state = ThemeStatePressed;
    if (!isEnabled())
        state = ThemeStateDisabled;
    return state;
}

void ThemedButton::DrawBackground(QPainter& painter, const QRect& item)
{
    const ThemeHandle theme =
        IsThemed() ? m_theme->OpenThemeData(this, QStringLiteral("BUTTON")) : nullptr;
    if (theme == nullptr) {
        HoverButton::DrawBackground(painter, item);
        return;
    }
    m_theme->DrawThemeBackground(theme, this, painter, ThemePartPushButton, ThemeState(), item,
                                 nullptr);
    m_theme->CloseThemeData(theme);
}

void ThemedButton::DrawBorder(QPainter& painter, const QRect& item)
{
    if (!IsThemed())
        HoverButton::DrawBorder(painter, item);
}

bool ThemedButton::IsThemed() const
{
    return m_theme != nullptr && m_theme->IsAppThemed();
}

void ThemedButton::Decorate(const ThemeApi* theme, int iconId, int tooltipId)
{
    BindTheme(theme);
    SetIcon(iconId);
    if (tooltipId == 0)
        return;
    EnableBalloonTooltip();
    SetTooltipText(tooltipId, true);
}
