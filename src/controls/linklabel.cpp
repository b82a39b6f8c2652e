#include "controls/linklabel.h"

#include "controls/linkopener.h"
#include "controls/messagebox.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace {

// A link to a screen reader: named by its text, described by its address,
// and pressed to open it, as a link of a web page is.
class LinkLabelAccessible : public QAccessibleWidget
{
public:
    explicit LinkLabelAccessible(LinkLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* label = static_cast<const LinkLabel*>(widget());
        if (t == QAccessible::Name && label->accessibleName().isEmpty())
            return label->text();
        if (t == QAccessible::Value)
            return label->Url();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            static_cast<LinkLabel*>(widget())->Activate();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* LinkLabelFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("LinkLabel") || !object->isWidgetType())
        return nullptr;
    return new LinkLabelAccessible(static_cast<LinkLabel*>(object));
}

} // namespace

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent)
{
    static const bool Installed = [] {
        QAccessible::installFactory(&LinkLabelFactory);
        return true;
    }();
    Q_UNUSED(Installed);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    m_hoverTimer.setInterval(HoverPollMs);
    connect(&m_hoverTimer, &QTimer::timeout, this, &LinkLabel::PollHover);
    ApplyColour();
}

LinkLabel::~LinkLabel() = default;

void LinkLabel::SetUrl(const QString& url)
{
    m_url = url;
    if (!m_attached)
        return;
    FitToText();
    setToolTip(m_url);
}

void LinkLabel::SetUnderlineMode(int mode)
{
    if (mode == m_underlineMode)
        return;
    if (m_attached) {
        setFont(mode == 1 ? m_underlineFont : m_normalFont);
        update();
    }
    m_underlineMode = mode;
}

void LinkLabel::SetVisited(bool visited)
{
    m_visited = visited;
    ApplyColour();
}

QColor LinkLabel::LinkColour()
{
    return QApplication::palette().color(QPalette::Link);
}

QColor LinkLabel::VisitedColour()
{
    return QApplication::palette().color(QPalette::LinkVisited);
}

QColor LinkLabel::TextColour() const
{
    if (m_hover)
        return m_hoverColour;
    // The label's own palette, which follows its window's and the theme's.
    return palette().color(m_visited ? QPalette::LinkVisited : QPalette::Link);
}

void LinkLabel::OpenLink(const QString& address, LinkOpenDone done)
{
    OpenLinkWith(CurrentLinkOpener(), address, this, std::move(done));
}

void LinkLabel::Attach()
{
    if (m_attached)
        return;
    m_attached = true;
    if (m_url.isEmpty())
        m_url = text();
    if (text().isEmpty())
        setText(m_url);
    m_normalFont = font();
    m_underlineFont = font();
    m_underlineFont.setUnderline(true);
    FitToText();
    if (m_underlineMode == 1)
        setFont(m_underlineFont);
    setToolTip(m_url);
}

void LinkLabel::showEvent(QShowEvent* event)
{
    Attach();
    QLabel::showEvent(event);
}

void LinkLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        ApplyColour();
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_hover) {
        m_hover = true;
        if (m_underlineMode == -1)
            setFont(m_underlineFont);
        ApplyColour();
        m_hoverTimer.start();
    }
    QLabel::mouseMoveEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    // The click belongs to the link alone; the dialog behind it never sees it.
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    if (rect().contains(event->position().toPoint()))
        Activate();
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    // Taken here, so Enter opens the link instead of pressing the dialog's
    // default button.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            event->accept();
            Activate();
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // A label draws no focus of its own; a link reached by Tab must show it.
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void LinkLabel::FitToText()
{
    if (!m_fitToText || !m_attached)
        return;
    // Measured with the underlined font, so hovering never clips the text.
    const QSize textSize = QFontMetrics(m_underlineFont).size(0, text());
    const QRect old = geometry();
    const int height = textSize.height() + (old.height() - contentsRect().height());
    const int width = textSize.width() + (old.width() - contentsRect().width());
    QRect fitted = old;
    if (alignment() & Qt::AlignVCenter) {
        const int shift = (old.height() - height) / 2;
        fitted.setTop(old.top() + shift);
        fitted.setBottom(old.bottom() - shift);
    } else {
        fitted.setHeight(height);
    }
    if (alignment() & Qt::AlignHCenter) {
        const int shift = (old.width() - width) / 2;
        fitted.setLeft(old.left() + shift);
        fitted.setRight(old.right() - shift);
    } else if (alignment() & Qt::AlignRight) {
        fitted.setLeft(old.left() + old.width() - width);
    } else {
        fitted.setWidth(width);
    }
    setGeometry(fitted);
}

void LinkLabel::PollHover()
{
    if (rect().contains(mapFromGlobal(QCursor::pos())))
        return;
    m_hover = false;
    m_hoverTimer.stop();
    if (m_underlineMode != 1)
        setFont(m_normalFont);
    ApplyColour();
}

void LinkLabel::Activate()
{
    m_hover = false;
    ApplyColour();
    OpenLink(m_url, [this](const LinkOpenResult& result) { Opened(result); });
}

void LinkLabel::Opened(const LinkOpenResult& result)
{
    SetVisited(result.Opened());
    if (!result.Opened())
        ReportError(result);
}

void LinkLabel::ApplyColour()
{
    // Setting the colour is itself a palette change: only a new one is set.
    if (palette().color(QPalette::WindowText) == TextColour())
        return;
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, TextColour());
    setPalette(colours);
}

void LinkLabel::ReportError(const LinkOpenResult& result)
{
    // The window that holds the label hands it the presenter; without one the
    // beep is all there is.
    if (m_presenter != nullptr)
        ReportOpenFailure(*m_presenter, result);
}
