#pragma once

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

// Sends a mouse event straight to a widget, as the window would deliver it.
inline void SendMouse(QWidget& widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                      Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(pos), QPointF(widget.mapToGlobal(pos)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

inline void MoveMouse(QWidget& widget, QPoint pos, Qt::MouseButtons held = Qt::NoButton)
{
    SendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, held);
}

// The widget as drawn, at one device pixel per pixel.
inline QImage Render(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}
