#include "controls/fontunits.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// A dialog unit's measures: the average width of the letters and the height
// of a line.
qreal AverageWidth(const QFont& font)
{
    static const QString letters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return QFontMetricsF(font).horizontalAdvance(letters) / letters.size();
}

qreal Factor(qreal current, qreal design)
{
    return design > 0 && current > 0 ? current / design : 1;
}

int Scale(int value, qreal factor)
{
    return static_cast<int>(std::lround(value * factor));
}

// Controls that Qt makes inside others (scroll bars, viewports) are placed by
// their owner; only the form's own names are scaled.
bool NamedByForm(const QWidget& widget)
{
    const QString name = widget.objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

} // namespace

FontUnits::FontUnits(const QFont& design, const QFont& current)
    : m_x(Factor(AverageWidth(current), AverageWidth(design))),
      m_y(Factor(QFontMetricsF(current).height(), QFontMetricsF(design).height()))
{}

QFont FontUnits::WindowFont(const QFont& application)
{
    QFont font = application;
    const qreal ratio = DesignPointSize / DefaultPointSize;
    if (application.pointSizeF() > 0)
        font.setPointSizeF(application.pointSizeF() * ratio);
    else if (application.pixelSize() > 0)
        font.setPixelSize(std::max(1, Scale(application.pixelSize(), ratio)));
    return font;
}

QFont FontUnits::DesignFont(const QFont& family)
{
    QFont font = family;
    font.setPointSizeF(DesignPointSize);
    return font;
}

void FontUnits::Apply(QWidget& window)
{
    const QFont font = WindowFont(QApplication::font());
    window.setFont(font);
    const FontUnits units(DesignFont(font), font);
    units.ScaleWidget(window);
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (!child->isWindow() && NamedByForm(*child))
            units.ScaleWidget(*child);
    }
}

void FontUnits::ScaleWidget(QWidget& widget) const
{
    // Limits first, so the scaled geometry is not held to the old ones; the
    // minimum is lifted while the maximum changes, whichever way they move.
    const QSize minimum = Scaled(widget.minimumSize());
    widget.setMinimumSize(0, 0);
    widget.setMaximumSize(Scaled(widget.maximumSize()));
    widget.setMinimumSize(minimum);
    widget.setGeometry(Scaled(widget.geometry()));
}

QRect FontUnits::Scaled(const QRect& rect) const
{
    // Edges are scaled, not sizes, so controls that touched still touch.
    const int left = ScaledX(rect.left());
    const int top = ScaledY(rect.top());
    return QRect(left, top, ScaledX(rect.left() + rect.width()) - left,
                 ScaledY(rect.top() + rect.height()) - top);
}

QSize FontUnits::Scaled(QSize size) const
{
    // The unlimited maximum stays unlimited.
    const int width = size.width() >= QWIDGETSIZE_MAX ? size.width() : ScaledX(size.width());
    const int height = size.height() >= QWIDGETSIZE_MAX ? size.height() : ScaledY(size.height());
    return QSize(width, height);
}

int FontUnits::ScaledX(int x) const
{
    return Scale(x, m_x);
}

int FontUnits::ScaledY(int y) const
{
    return Scale(y, m_y);
}
