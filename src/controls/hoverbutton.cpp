#include "controls/hoverbutton.h"

#include "controls/controlimages.h"
#include "controls/linkopener.h"
#include "controls/tooltiptext.h"
#include "platform/stringtable.h"

#include <QAccessibleWidget>
#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QToolTip>

#include <algorithm>

namespace {

// A one-pixel 3-D frame: top and left in one colour, bottom and right in the
// other, the bottom-right corner belonging to the second.
void Draw3dRect(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    painter.fillRect(r.left(), r.top(), r.width() - 1, 1, topLeft);
    painter.fillRect(r.left(), r.top(), 1, r.height() - 1, topLeft);
    painter.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
}

constexpr int TextFlags = Qt::TextWordWrap | Qt::AlignHCenter | Qt::TextShowMnemonic;

// The caption as read aloud: without the mnemonic marks, "&&" as one "&".
QString WithoutMnemonic(const QString& text)
{
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    return plain;
}

// A push button to a screen reader. Qt describes a widget by its tooltip, so a
// picture-only button, named by that tooltip, would be read twice; a
// description that repeats the name is left out.
class HoverButtonAccessible : public QAccessibleWidget
{
public:
    explicit HoverButtonAccessible(HoverButton* button)
        : QAccessibleWidget(button, QAccessible::Button)
    {}

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return Button().accessibleName().isEmpty() ? WithoutMnemonic(Button().text())
                                                       : Button().accessibleName();
        case QAccessible::Accelerator:
            return QKeySequence::mnemonic(Button().text()).toString(QKeySequence::NativeText);
        case QAccessible::Description:
            if (Button().accessibleDescription().isEmpty() &&
                Button().toolTip().simplified() == text(QAccessible::Name).simplified())
                return {};
            return QAccessibleWidget::text(t);
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = Button().isDown();
        state.defaultButton = Button().isDefault();
        return state;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (Button().isEnabled())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction() && Button().isEnabled())
            static_cast<HoverButton*>(widget())->click();
        else
            QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString& action) const override
    {
        if (action == pressAction() && !text(QAccessible::Accelerator).isEmpty())
            return {text(QAccessible::Accelerator)};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    const HoverButton& Button() const { return *static_cast<const HoverButton*>(widget()); }
};

QAccessibleInterface* HoverButtonFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("HoverButton") || !object->isWidgetType())
        return nullptr;
    return new HoverButtonAccessible(static_cast<HoverButton*>(object));
}

} // namespace

HoverButton::HoverButton(QWidget* parent) : QPushButton(parent)
{
    static const bool Installed = [] {
        QAccessible::installFactory(&HoverButtonFactory);
        return true;
    }();
    Q_UNUSED(Installed);
    setMouseTracking(true);
    LoadColours();
    connect(this, &QAbstractButton::clicked, this, &HoverButton::OnClicked);
}

int HoverButton::SetIcon(int iconId)
{
    ReleaseImages();
    m_icon = LoadIconResource(iconId);
    update();
    return m_icon.isNull() ? 1 : 0;
}

int HoverButton::SetBitmap(int bitmapId, const QColor& transparent)
{
    ReleaseImages();
    QPixmap bitmap = LoadBitmapResource(bitmapId);
    if (bitmap.isNull())
        return 1;
    const QBitmap mask = bitmap.createMaskFromColor(transparent, Qt::MaskInColor);
    if (mask.isNull())
        return 2;
    bitmap.setMask(mask);
    m_bitmap = bitmap;
    update();
    return 0;
}

void HoverButton::SetTooltipText(int stringId, bool activate)
{
    const QString text = LoadStringResource(stringId);
    if (text.isEmpty())
        return;
    setToolTip(activate ? WrapTooltipText(text, QFontMetrics(QToolTip::font())) : QString());
    // A button that shows only its picture is known to a screen reader by its tooltip.
    if (this->text().isEmpty())
        setAccessibleName(text.simplified());
}

QRect HoverButton::PlaceImage(const QRect& item, QSize image, bool hasText, bool pressed,
                              QRect& caption)
{
    int left = item.left() + (item.width() - image.width()) / 2;
    if (hasText) {
        left = item.left() + Margin;
        caption.setLeft(caption.left() + Margin + image.width());
    }
    const int top = item.top() + (item.height() - image.height()) / 2;
    const int offset = pressed ? PressedOffset : 0;
    return QRect(QPoint(left + offset, top + offset), image);
}

void HoverButton::DrawBackground(QPainter& painter, const QRect& item)
{
    painter.fillRect(item, CurrentPair(isDown()).background);
}

void HoverButton::DrawBorder(QPainter& painter, const QRect& item)
{
    if (!m_edge)
        return;
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    if (isDown())
        Draw3dRect(painter, item, shadow, light);
    else if (m_hover)
        Draw3dRect(painter, item, light, shadow);
}

void HoverButton::DrawIcon(QPainter& painter, bool hasText, const QRect& item, QRect& caption,
                           bool pressed, bool disabled)
{
    const QPixmap shown =
        FittedIcon(m_icon, item.size(), painter.device()->devicePixelRatioF(), disabled, style());
    const QRect place =
        PlaceImage(item, shown.deviceIndependentSize().toSize(), hasText, pressed, caption);
    painter.drawPixmap(place.topLeft(), shown);
}

QPixmap HoverButton::FittedIcon(const QPixmap& icon, QSize item, qreal ratio, bool disabled,
                                const QStyle* style)
{
    // Inside the face with a margin on every side, never larger than drawn.
    const int room = std::min(item.width(), item.height()) - 2 * (Margin + 1);
    const QSize logical =
        icon.size().scaled(QSize(room, room), Qt::KeepAspectRatio).boundedTo(icon.size());
    if (logical.isEmpty())
        return {};
    QPixmap fitted = icon.scaled(logical * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    fitted.setDevicePixelRatio(ratio);
    if (!disabled)
        return fitted;
    // The platform's own look of a disabled picture: recognisable, but greyed.
    QStyleOption option;
    QPixmap greyed = style->generatedIconPixmap(QIcon::Disabled, fitted, &option);
    greyed.setDevicePixelRatio(ratio);
    return greyed;
}

void HoverButton::DrawBitmap(QPainter& painter, bool hasText, const QRect& item, QRect& caption,
                             bool pressed, bool /*disabled*/)
{
    const QRect place = PlaceImage(item, m_bitmap.size(), hasText, pressed, caption);
    painter.drawPixmap(place.topLeft(), m_bitmap);
}

void HoverButton::DrawCaption(QPainter& painter, const QString& text, QRect caption, bool pressed,
                              bool disabled)
{
    if (pressed)
        caption.translate(PressedOffset, PressedOffset);
    const QRect measured = painter.boundingRect(caption, TextFlags, text);
    const QRect block(caption.left() + (caption.width() - measured.width()) / 2,
                      caption.top() + (caption.height() - measured.height()) / 2, measured.width(),
                      measured.height());
    if (disabled) {
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(block.translated(1, 1), TextFlags, text);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawText(block, TextFlags, text);
        return;
    }
    painter.setPen(CurrentPair(pressed).text);
    painter.drawText(block, TextFlags, text);
}

void HoverButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QRect item = rect();
    const bool pressed = isDown();
    const bool disabled = !isEnabled();
    DrawBackground(painter, item);
    DrawBorder(painter, item);
    const QString caption = text();
    QRect captionRect = item;
    if (!m_icon.isNull())
        DrawIcon(painter, !caption.isEmpty(), item, captionRect, pressed, disabled);
    if (!m_bitmap.isNull())
        DrawBitmap(painter, !caption.isEmpty(), item, captionRect, pressed, disabled);
    if (!caption.isEmpty())
        DrawCaption(painter, caption, captionRect, pressed, disabled);
}

void HoverButton::mouseMoveEvent(QMouseEvent* event)
{
    QPushButton::mouseMoveEvent(event);
    // Dragging onto the button with the left button held does not light it.
    if (event->buttons().testFlag(Qt::LeftButton) && !m_hover)
        return;
    if (!rect().contains(event->position().toPoint())) {
        CancelHover();
        return;
    }
    if (!m_hover) {
        m_hover = true;
        update();
    }
}

void HoverButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A fast second click is a click like the first, not a gesture of its own.
    mousePressEvent(event);
}

void HoverButton::leaveEvent(QEvent* event)
{
    QPushButton::leaveEvent(event);
    CancelHover();
}

void HoverButton::focusOutEvent(QFocusEvent* event)
{
    QPushButton::focusOutEvent(event);
    CancelHover();
}

void HoverButton::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled()) {
            MoveFocusOnDisable();
            CancelHover();
        }
        break;
    case QEvent::PaletteChange:
        LoadColours();
        update();
        break;
    default:
        break;
    }
}

bool HoverButton::event(QEvent* event)
{
    // The window passes its deactivation down to every child.
    if (event->type() == QEvent::WindowDeactivate)
        CancelHover();
    return QPushButton::event(event);
}

void HoverButton::CancelHover()
{
    if (!m_hover)
        return;
    m_hover = false;
    update();
}

void HoverButton::MoveFocusOnDisable()
{
    // Whether or not this button had the focus, it goes to the next tab stop,
    // so the keyboard never rests on a control that cannot act.
    for (QWidget* next = nextInFocusChain(); next != nullptr && next != this;
         next = next->nextInFocusChain()) {
        if (next->window() == window() && next->isEnabled() && next->isVisible() &&
            (next->focusPolicy() & Qt::TabFocus) == Qt::TabFocus) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    if (parentWidget() != nullptr)
        parentWidget()->setFocus(Qt::OtherFocusReason);
}

void HoverButton::LoadColours()
{
    const ColourPair system{palette().color(QPalette::Button),
                            palette().color(QPalette::ButtonText)};
    m_hoverColours = system;
    m_normalColours = system;
    m_focusColours = system;
}

void HoverButton::ReleaseImages()
{
    m_icon = QPixmap();
    m_bitmap = QPixmap();
}

void HoverButton::OnClicked()
{
    setFocus(Qt::MouseFocusReason);
    // Failures are not reported: the button's own action still follows.
    if (!m_url.isEmpty())
        CurrentLinkOpener().OpenWithDesktop(m_url, this, {});
}

const HoverButton::ColourPair& HoverButton::CurrentPair(bool pressed) const
{
    if (m_hover || pressed)
        return m_hoverColours;
    return hasFocus() ? m_focusColours : m_normalColours;
}
