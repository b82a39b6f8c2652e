#include "controls/linklabel.h"
#include "controls/linkopener.h"
#include "qtprinters.h"
#include "support/eventloop.h"
#include "support/scriptedmessagebox.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

// Gives its verdict from the event loop, as the desktop's opener does, so a
// label that judges the click before the verdict shows up.
class SwitchableOpener : public LinkOpener
{
public:
    void OpenWithDesktop(const QString& address, QObject* context, LinkOpenDone done) override
    {
        opened.append(address);
        const LinkOpenResult result =
            works ? LinkOpenResult{} : LinkOpenResult{OpenLinkCode::NoAssociation, "no method"};
        QTimer::singleShot(0, context, [done = std::move(done), result] { done(result); });
    }
    QString BrowserCommand() override { return {}; }

    bool works = true;
    QStringList opened;
};

class LinkLabelTest : public ::testing::Test
{
protected:
    LinkLabelTest() { SetLinkOpener(&m_opener); }
    ~LinkLabelTest() override { SetLinkOpener(nullptr); }

    LinkLabel& AddLabel(const QString& text, QRect place, Qt::Alignment alignment = Qt::AlignLeft)
    {
        auto* label = new LinkLabel(&m_window);
        label->setText(text);
        label->setGeometry(place);
        label->setAlignment(alignment);
        label->SetMessageBoxPresenter(&m_boxes);
        return *label;
    }

    void Show()
    {
        m_window.resize(400, 300);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    static void Send(QWidget& widget, QEvent::Type type, QPoint at)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), button,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&widget, &event);
    }

    static void Click(QWidget& widget)
    {
        Send(widget, QEvent::MouseButtonPress, {2, 2});
        Send(widget, QEvent::MouseButtonRelease, {2, 2});
    }

    // Counts the clicks that reach the dialog behind the labels.
    class Dialog : public QDialog
    {
    public:
        int releases = 0;

    protected:
        void mouseReleaseEvent(QMouseEvent* /*event*/) override { ++releases; }
    };

    SwitchableOpener m_opener;
    ScriptedMessageBox m_boxes;
    Dialog m_window;
};

TEST_F(LinkLabelTest, AnEmptyTextShowsTheAddressAndNoAddressOpensTheText)
{
    LinkLabel& noText = AddLabel({}, {10, 10, 300, 30});
    noText.SetUrl("mailto:someone@example.org");
    LinkLabel& noUrl = AddLabel("https://example.org/home", {10, 50, 300, 30});
    Show();
    EXPECT_EQ(noText.text(), "mailto:someone@example.org");
    EXPECT_EQ(noUrl.Url(), "https://example.org/home");
    EXPECT_EQ(noUrl.toolTip(), "https://example.org/home");
    EXPECT_EQ(noUrl.cursor().shape(), Qt::PointingHandCursor);
    Click(noUrl);
    EXPECT_EQ(m_opener.opened, QStringList{"https://example.org/home"});
    EXPECT_EQ(m_window.releases, 0) << "the dialog does not get the click";
}

// Enter, Space and a screen reader's press open a link; the dialog's default
// button never hears the key. Modified keys are not the link's.
TEST_F(LinkLabelTest, EnterSpaceAndAScreenReadersPressOpenTheLink)
{
    LinkLabel& label = AddLabel("https://example.org/", {10, 10, 200, 30});
    auto* fallback = new QPushButton(QStringLiteral("Default"), &m_window);
    fallback->setDefault(true);
    int defaultPressed = 0;
    QObject::connect(fallback, &QPushButton::clicked, [&defaultPressed] { ++defaultPressed; });
    Show();
    label.setFocus();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&label);
    ASSERT_NE(face, nullptr);
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"Enter", [&label] { QTest::keyClick(&label, Qt::Key_Return); }},
        {"keypad Enter", [&label] { QTest::keyClick(&label, Qt::Key_Enter, Qt::KeypadModifier); }},
        {"Space", [&label] { QTest::keyClick(&label, Qt::Key_Space); }},
        {"press",
         [face] { face->actionInterface()->doAction(QAccessibleActionInterface::pressAction()); }},
        {"Ctrl+Space, no",
         [&label] { QTest::keyClick(&label, Qt::Key_Space, Qt::ControlModifier); }},
    };
    for (const auto& [name, open] : ways) {
        m_opener.opened.clear();
        open();
        const bool opens = !QByteArray(name).endsWith(", no");
        EXPECT_EQ(m_opener.opened.size(), opens ? 1 : 0) << name;
    }
    EXPECT_EQ(defaultPressed, 0);
    EXPECT_TRUE(label.focusPolicy() & Qt::TabFocus);
}

TEST_F(LinkLabelTest, FitsItselfToItsTextKeepingItsAlignment)
{
    const QRect place(20, 20, 300, 41);
    LinkLabel& left = AddLabel("cdrtools Homepage", place, Qt::AlignLeft | Qt::AlignTop);
    LinkLabel& centred = AddLabel("cdrtools Homepage", place, Qt::AlignCenter);
    LinkLabel& right = AddLabel("cdrtools Homepage", place, Qt::AlignRight | Qt::AlignTop);
    left.setFrameStyle(QFrame::Box);
    Show();

    QFont underlined = left.font();
    underlined.setUnderline(true);
    const QSize text = QFontMetrics(underlined).size(0, "cdrtools Homepage");
    const int frame = 2 * left.frameWidth();
    EXPECT_EQ(left.geometry(), QRect(20, 20, text.width() + frame, text.height() + frame));

    EXPECT_NEAR(centred.geometry().center().x(), place.center().x(), 1);
    EXPECT_NEAR(centred.geometry().center().y(), place.center().y(), 1);
    EXPECT_NEAR(centred.width(), text.width(), 1);
    EXPECT_EQ(right.geometry().right(), place.right());
    EXPECT_EQ(right.width(), text.width());
    EXPECT_EQ(right.geometry().top(), place.top());

    centred.SetUrl("https://example.org/a/much/longer/address/than/before");
    EXPECT_EQ(centred.toolTip(), "https://example.org/a/much/longer/address/than/before");
}

TEST_F(LinkLabelTest, HoverTurnsRedAndUnderlinedUntilThePollFindsTheMouseGone)
{
    LinkLabel& label = AddLabel("https://example.org/", {10, 10, 200, 30});
    Show();
    EXPECT_EQ(label.TextColour(), LinkLabel::LinkColour());
    EXPECT_EQ(label.palette().color(QPalette::WindowText), LinkLabel::LinkColour());
    EXPECT_FALSE(label.font().underline());

    QCursor::setPos(label.mapToGlobal(QPoint(3, 3)));
    Send(label, QEvent::MouseMove, {3, 3});
    EXPECT_TRUE(label.IsHovered());
    EXPECT_EQ(label.palette().color(QPalette::WindowText), LinkLabel::HoverColour());
    EXPECT_TRUE(label.font().underline());
    QTest::qWait(LinkLabel::HoverPollMs * 2);
    EXPECT_TRUE(label.IsHovered()) << "the mouse is still over it";

    QCursor::setPos(label.mapToGlobal(QPoint(-50, -50)));
    QTest::qWait(LinkLabel::HoverPollMs * 2);
    EXPECT_FALSE(label.IsHovered());
    EXPECT_FALSE(label.font().underline());
    EXPECT_EQ(label.palette().color(QPalette::WindowText), LinkLabel::LinkColour());
}

TEST_F(LinkLabelTest, UnderlineModesAlwaysAndNever)
{
    LinkLabel& always = AddLabel("https://example.org/1", {10, 10, 200, 30});
    LinkLabel& never = AddLabel("https://example.org/2", {10, 50, 200, 30});
    always.SetUnderlineMode(1);
    never.SetUnderlineMode(0);
    Show();
    EXPECT_TRUE(always.font().underline());
    QCursor::setPos(m_window.mapToGlobal(QPoint(390, 290)));
    Send(never, QEvent::MouseMove, {3, 3});
    EXPECT_FALSE(never.font().underline());
    EXPECT_EQ(never.TextColour(), LinkLabel::HoverColour());
    Send(always, QEvent::MouseMove, {3, 3});
    QTest::qWait(LinkLabel::HoverPollMs * 2);
    EXPECT_FALSE(always.IsHovered());
    EXPECT_TRUE(always.font().underline()) << "mode 1 keeps the underline after leaving";
    always.SetUnderlineMode(0);
    EXPECT_FALSE(always.font().underline());
}

TEST_F(LinkLabelTest, ASuccessfulOpenMarksVisitedAndAFailedOneExplains)
{
    LinkLabel& label = AddLabel("https://example.org/", {10, 10, 200, 30});
    Show();
    Click(label);
    EXPECT_FALSE(label.IsVisited()) << "not before the opener's verdict";
    ASSERT_TRUE(RunUntil([&label] { return label.IsVisited(); }, 5000));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), LinkLabel::VisitedColour());
    EXPECT_EQ(m_boxes.Count(), 0);

    m_opener.works = false;
    Click(label);
    ASSERT_TRUE(RunUntil([this] { return m_boxes.Count() > 0; }, 5000));
    EXPECT_FALSE(label.IsVisited());
    EXPECT_EQ(label.palette().color(QPalette::WindowText), LinkLabel::LinkColour());
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(m_boxes.Last().text, OpenLinkErrorText(OpenLinkCode::NoAssociation, "no method"));
    EXPECT_EQ(m_boxes.Last().kind, BoxKind::AppWarning);
}

// A dark theme's palette, set after the label exists, gives its link colours.
TEST_F(LinkLabelTest, LinkColoursComeFromTheWindowsPalette)
{
    LinkLabel& label = AddLabel("https://example.org/", {10, 10, 200, 30});
    Show();
    QPalette dark = m_window.palette();
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    dark.setColor(QPalette::Link, QColor(120, 170, 255));
    dark.setColor(QPalette::LinkVisited, QColor(200, 150, 255));
    m_window.setPalette(dark);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(120, 170, 255));
    Click(label);
    ASSERT_TRUE(RunUntil([&label] { return label.IsVisited(); }, 5000));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(200, 150, 255));
}

} // namespace
