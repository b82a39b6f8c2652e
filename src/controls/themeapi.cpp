#include "controls/themeapi.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

ThemeHandle ThemeApi::OpenThemeData(const QWidget* widget, const QString& className) const
{
    if (widget == nullptr || !IsAppThemed() ||
        className.compare(QLatin1String("BUTTON"), Qt::CaseInsensitive) != 0)
        return nullptr;
    return widget->style();
}

ThemeResult ThemeApi::CloseThemeData(ThemeHandle theme) const
{
    return theme != nullptr ? ThemeOk : ThemeFail;
}

ThemeResult ThemeApi::DrawThemeBackground(ThemeHandle theme, const QWidget* widget,
                                          QPainter& painter, int part, int state, const QRect& rect,
                                          const QRect* clip) const
{
    if (theme == nullptr || part != ThemePartPushButton || state < ThemeStateNormal ||
        state > ThemeStateDefaulted)
        return ThemeFail;
    // The parent's background needs no copy: Qt composes it beneath every
    // widget that does not fill its own.
    QStyleOptionButton option;
    if (widget != nullptr)
        option.initFrom(widget);
    option.rect = rect;
    option.state = QStyle::State_Enabled | QStyle::State_Raised;
    if (state == ThemeStateDefaulted)
        option.features |= QStyleOptionButton::DefaultButton;
    else if (state == ThemeStateHot)
        option.state |= QStyle::State_MouseOver;
    else if (state == ThemeStatePressed)
        option.state = QStyle::State_Enabled | QStyle::State_Sunken;
    else if (state == ThemeStateDisabled)
        option.state = QStyle::State_Raised;
    painter.save();
    if (clip != nullptr)
        painter.setClipRect(*clip);
    theme->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, widget);
    painter.restore();
    return ThemeOk;
}

bool ThemeApi::IsAppThemed() const
{
    const QStyle* style = QApplication::style();
    return style != nullptr &&
           style->name().compare(QLatin1String("windows"), Qt::CaseInsensitive) != 0;
}
