#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

// The windows are laid out in pixels of their design font, 8 pt, which is
// how they look on a desktop with Qt's own default font. Those pixels are
// font units, as dialog units are: a window set up for a larger desktop font
// gets a larger font and every place and size grows with the font's average
// character width and line height, so texts keep fitting and the window keeps
// its proportions.
class FontUnits
{
public:
    static constexpr qreal DesignPointSize = 8;
    // Qt's application font where no platform theme sets one.
    static constexpr qreal DefaultPointSize = 9;

    FontUnits(const QFont& design, const QFont& current);

    // The windows' font for a desktop font: in the ratio of the design font to
    // Qt's default, so the default gives the design font itself.
    [[nodiscard]] static QFont WindowFont(const QFont& application);
    // The design font in the family of the given font.
    [[nodiscard]] static QFont DesignFont(const QFont& family);

    // Gives a window freshly set up from its form the windows' font for the
    // application's font, and scales the places and sizes of the window and
    // of every control the form named.
    static void Apply(QWidget& window);

    [[nodiscard]] QRect Scaled(const QRect& rect) const;
    [[nodiscard]] QSize Scaled(QSize size) const;
    [[nodiscard]] int ScaledX(int x) const;
    [[nodiscard]] int ScaledY(int y) const;

private:
    void ScaleWidget(QWidget& widget) const;

    qreal m_x = 1;
    qreal m_y = 1;
};
