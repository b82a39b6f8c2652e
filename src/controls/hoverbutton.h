#pragma once

#include <QColor>
#include <QPixmap>
#include <QPushButton>

class QPainter;
class QStyle;

// The program's push button: an icon or a bitmap and the caption on a flat
// face that lights up under the mouse, a tooltip from the string table, and an
// optional web address opened on click. Subclasses redraw face and edge.
class HoverButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(bool hovered READ IsHovered)
    Q_PROPERTY(bool isPressed READ IsPressed)
    Q_PROPERTY(bool isDefaultButton READ IsDefaultButton)
    Q_PROPERTY(bool edgeFlag READ EdgeFlag)

public:
    static constexpr int Margin = 3;
    static constexpr int PressedOffset = 1;
    static constexpr int BalloonStyle = 0x40;

    explicit HoverButton(QWidget* parent = nullptr);

    // 0 on success; 1 when the picture cannot be loaded (the images are
    // released then).
    int SetIcon(int iconId);
    // 0 on success; 1 when the bitmap cannot be loaded, 2 when its mask
    // cannot be made. Pixels of the transparent colour let the face through.
    int SetBitmap(int bitmapId, const QColor& transparent);

    // Qt has one tooltip look; the style bit is kept for callers that ask.
    void EnableBalloonTooltip() { m_tooltipStyle |= BalloonStyle; }
    int TooltipStyle() const { return m_tooltipStyle; }
    // Takes the text from the string table; an empty string changes nothing.
    void SetTooltipText(int stringId, bool activate = true);

    void SetUrl(const QString& url) { m_url = url; }
    QString Url() const { return m_url; }

    bool IsHovered() const { return m_hover; }
    bool IsPressed() const { return isDown(); }
    bool IsDefaultButton() const { return isDefault(); }
    bool EdgeFlag() const { return m_edge; }
    QPixmap Icon() const { return m_icon; }
    QPixmap Bitmap() const { return m_bitmap; }

    // The icon as drawn on a face of the given size at a device pixel ratio:
    // shrunk to leave a margin, sharp at that ratio, and in the style's
    // disabled look when disabled.
    static QPixmap FittedIcon(const QPixmap& icon, QSize item, qreal ratio, bool disabled,
                              const QStyle* style);

    // Where an image of the given size goes; moves the caption's left edge
    // past the image when there is text.
    static QRect PlaceImage(const QRect& item, QSize image, bool hasText, bool pressed,
                            QRect& caption);

protected:
    virtual void DrawBackground(QPainter& painter, const QRect& item);
    virtual void DrawBorder(QPainter& painter, const QRect& item);
    virtual void DrawIcon(QPainter& painter, bool hasText, const QRect& item, QRect& caption,
                          bool pressed, bool disabled);
    virtual void DrawBitmap(QPainter& painter, bool hasText, const QRect& item, QRect& caption,
                            bool pressed, bool disabled);
    virtual void DrawCaption(QPainter& painter, const QString& text, QRect caption, bool pressed,
                             bool disabled);

    void SetEdgeFlag(bool edge) { m_edge = edge; }
    bool IsFocused() const { return hasFocus(); }

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct ColourPair
    {
        QColor background;
        QColor text;
    };

    void CancelHover();
    void MoveFocusOnDisable();
    void LoadColours();
    void ReleaseImages();
    void OnClicked();
    const ColourPair& CurrentPair(bool pressed) const;

    bool m_hover = false;
    bool m_edge = true;
    ColourPair m_hoverColours;
    ColourPair m_normalColours;
    ColourPair m_focusColours;
    QPixmap m_icon;
    QPixmap m_bitmap;
    int m_tooltipStyle = 0;
    QString m_url;
};
