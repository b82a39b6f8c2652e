#pragma once

#include "controls/hoverbutton.h"

class ThemeApi;

// The button every dialog uses: with a visual style active its face is the
// style's push button and no flat edges are drawn; otherwise it is drawn as
// a HoverButton.
class ThemedButton : public HoverButton
{
    Q_OBJECT

public:
    explicit ThemedButton(QWidget* parent = nullptr);

    // The theme is not owned. The edges of the flat look are decided here,
    // once: on when there is no theme or no visual style at this moment.
    void BindTheme(const ThemeApi* theme);

    // The dialogs' set-up of a button, in its order: theme, icon, then the
    // tooltip from the string table (none for id 0).
    void Decorate(const ThemeApi* theme, int iconId, int tooltipId = 0);

    // The face the style draws now, from the button's flags.
    int ThemeState() const;

protected:
    void DrawBackground(QPainter& painter, const QRect& item) override;
    void DrawBorder(QPainter& painter, const QRect& item) override;

private:
    bool IsThemed() const;

    const ThemeApi* m_theme = nullptr;
};
