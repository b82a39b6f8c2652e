#include "buttontesthelpers.h"
#include "controls/controlimages.h"
#include "controls/hoverbutton.h"
#include "controls/linkopener.h"
#include "controls/tooltiptext.h"
#include "platform/stringtable.h"
#include "qtprinters.h"

#include <QAccessible>
#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QSet>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

constexpr QSize ButtonSize(100, 40);

// A shown, active window holding buttons, so focus and activation are real.
class Window : public ::testing::Test
{
protected:
    void Show()
    {
        m_window.resize(300, 200);
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }

    QDialog m_window;
};

using HoverButtonWindow = Window;

TEST_F(HoverButtonWindow, HoverFollowsTheMouseButNotADragOntoTheButton)
{
    HoverButton button(&m_window);
    button.setGeometry(QRect(QPoint(10, 10), ButtonSize));
    Show();

    MoveMouse(button, {5, 5}, Qt::LeftButton);
    EXPECT_FALSE(button.IsHovered()) << "dragging onto the button must not light it";
    MoveMouse(button, {6, 5});
    EXPECT_TRUE(button.IsHovered());
    MoveMouse(button, {7, 5}, Qt::LeftButton);
    EXPECT_TRUE(button.IsHovered()) << "a held button keeps an existing hover";

    MoveMouse(button, {-3, 5}, Qt::LeftButton);
    EXPECT_FALSE(button.IsHovered()) << "moving off the button while captured";

    MoveMouse(button, {5, 5});
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    EXPECT_FALSE(button.IsHovered());
}

TEST_F(HoverButtonWindow, HoverIsCancelledByFocusLossDeactivationAndDisabling)
{
    HoverButton button(&m_window);
    QLineEdit edit(&m_window);
    button.setGeometry(QRect(QPoint(10, 10), ButtonSize));
    edit.setGeometry(10, 60, 100, 20);
    Show();

    button.setFocus();
    MoveMouse(button, {5, 5});
    ASSERT_TRUE(button.IsHovered());
    edit.setFocus();
    EXPECT_FALSE(button.IsHovered()) << "focus loss";

    MoveMouse(button, {5, 5});
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(button.IsHovered()) << "window deactivated";

    QApplication::setActiveWindow(&m_window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    MoveMouse(button, {5, 5});
    ASSERT_TRUE(button.IsHovered());
    button.setEnabled(false);
    EXPECT_FALSE(button.IsHovered()) << "disabled";
}

TEST_F(HoverButtonWindow, DisablingMovesTheFocusToTheNextTabStopEvenWithoutHavingItElseToTheParent)
{
    QLineEdit first(&m_window);
    HoverButton middle(&m_window);
    QLineEdit after(&m_window);
    first.setGeometry(0, 0, 50, 20);
    middle.setGeometry(0, 30, 50, 20);
    after.setGeometry(0, 60, 50, 20);
    Show();

    first.setFocus();
    middle.setEnabled(false);
    EXPECT_TRUE(after.hasFocus());

    middle.setEnabled(true);
    middle.setFocus();
    middle.setEnabled(false);
    EXPECT_TRUE(after.hasFocus());

    first.setEnabled(false);
    after.setEnabled(false);
    middle.setEnabled(true);
    middle.setFocus();
    middle.setEnabled(false);
    EXPECT_EQ(QApplication::focusWidget(), &m_window) << "no tab stop left: the parent";
}

TEST_F(HoverButtonWindow, TracksWhichButtonIsTheDialogsDefault)
{
    HoverButton save(&m_window);
    HoverButton cancel(&m_window);
    QLineEdit edit(&m_window);
    save.setGeometry(0, 0, 50, 20);
    cancel.setGeometry(0, 30, 50, 20);
    edit.setGeometry(0, 60, 50, 20);
    save.setDefault(true);
    Show();

    edit.setFocus();
    EXPECT_TRUE(save.IsDefaultButton());
    cancel.setFocus();
    EXPECT_TRUE(cancel.IsDefaultButton()) << "a focused push button becomes the default";
    EXPECT_FALSE(save.IsDefaultButton());
    edit.setFocus();
    EXPECT_TRUE(save.IsDefaultButton()) << "the default returns when the focus leaves buttons";
    EXPECT_FALSE(cancel.IsDefaultButton());
}

TEST(HoverButton, ADoubleClickCountsAsASecondClick)
{
    HoverButton button;
    button.resize(ButtonSize);
    int clicks = 0;
    QObject::connect(&button, &QAbstractButton::clicked, [&clicks] { ++clicks; });
    const QPoint at(10, 10);
    SendMouse(button, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(button, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    SendMouse(button, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(button, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(clicks, 2);
}

// The face and an icon drawn where the button should draw it.
QImage Expected(const HoverButton& button, QPoint iconAt)
{
    QImage image(ButtonSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(button.palette().color(QPalette::Button));
    QPainter painter(&image);
    painter.drawPixmap(iconAt, button.Icon());
    return image;
}

// Each state's face: the icon centred, one pixel down and right while pressed;
// no edge at rest, raised under the mouse, sunken while pressed.
TEST(HoverButton, DrawsEachStatesIconPlaceAndEdge)
{
    struct Case
    {
        const char* state;
        bool hovered;
        bool down;
        QPoint iconAt;
        QPalette::ColorRole topLeft;
        QPalette::ColorRole bottomRight;
    };
    for (const Case& c : {Case{"rest", false, false, {34, 4}, QPalette::Button, QPalette::Button},
                          Case{"hovered", true, false, {34, 4}, QPalette::Light, QPalette::Dark},
                          Case{"pressed", false, true, {35, 5}, QPalette::Dark, QPalette::Light}}) {
        SCOPED_TRACE(c.state);
        HoverButton button;
        button.resize(ButtonSize);
        ASSERT_EQ(button.SetIcon(164), 0);
        ASSERT_EQ(button.Icon().size(), QSize(32, 32));
        if (c.hovered)
            MoveMouse(button, {5, 5});
        button.setDown(c.down);
        const QImage image = Render(button);
        const QRect inside(1, 1, 98, 38);
        EXPECT_EQ(image.copy(inside), Expected(button, c.iconAt).copy(inside));
        const QPalette colours = button.palette();
        EXPECT_EQ(image.pixel(5, 0), colours.color(c.topLeft).rgb());
        EXPECT_EQ(image.pixel(0, 5), colours.color(c.topLeft).rgb());
        EXPECT_EQ(image.pixel(5, 39), colours.color(c.bottomRight).rgb());
        EXPECT_EQ(image.pixel(99, 5), colours.color(c.bottomRight).rgb());
    }
}

TEST(HoverButton, DrawsTheIconAtTheMarginWithTextAndTheFaceInThePalettesColour)
{
    HoverButton button;
    button.resize(ButtonSize);
    button.SetIcon(164);
    button.setText(QStringLiteral("&Abort"));
    const QRect iconColumn(0, 0, HoverButton::Margin + 32, 40);
    EXPECT_EQ(Render(button).copy(iconColumn), Expected(button, {3, 4}).copy(iconColumn));

    QPalette colours = button.palette();
    colours.setColor(QPalette::Button, QColor(200, 30, 40));
    button.setPalette(colours);
    EXPECT_EQ(Render(button).pixel(2, 20), QColor(200, 30, 40).rgb());
}

TEST(HoverButton, CentresTheCaptionInTheSpaceRightOfTheIcon)
{
    HoverButton button;
    button.resize(ButtonSize);
    button.SetIcon(164);
    button.setText(QStringLiteral("Log"));
    const QImage image = Render(button);
    const QColor face = button.palette().color(QPalette::Button);
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 3 + 32; x < image.width(); ++x)
            if (image.pixel(x, y) != face.rgb())
                ink |= QRect(x, y, 1, 1);
    ASSERT_TRUE(ink.isValid());
    const int spaceCentre = (35 + 100) / 2;
    EXPECT_NEAR(ink.center().x(), spaceCentre, 2);
    EXPECT_NEAR(ink.center().y(), 20, 3);
}

// Distinct colours among the clearly visible pixels of a picture.
int VisibleColours(const QPixmap& picture)
{
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 200)
                colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

// Normal and disabled alike; the disabled one greyed, keeping the picture's detail.
TEST(HoverButton, IconsFitTheFaceAndStaySharpAtEachPixelRatioAndGreyWhenDisabled)
{
    HoverButton button;
    ASSERT_EQ(button.SetIcon(164), 0);
    for (const qreal ratio : {1.0, 2.0}) {
        for (const QSize face : {QSize(45, 30), QSize(81, 32), QSize(100, 40)}) {
            SCOPED_TRACE(testing::Message()
                         << "ratio " << ratio << ", face " << face.width() << "x" << face.height());
            const QPixmap shown =
                HoverButton::FittedIcon(button.Icon(), face, ratio, false, button.style());
            const QSize logical = shown.deviceIndependentSize().toSize();
            EXPECT_LE(logical.height(), face.height() - 2 * (HoverButton::Margin + 1));
            EXPECT_EQ(shown.size(), logical * ratio) << "one image pixel per device pixel";
            EXPECT_EQ(shown.devicePixelRatio(), ratio);
            const QPixmap disabled =
                HoverButton::FittedIcon(button.Icon(), face, ratio, true, button.style());
            EXPECT_EQ(disabled.size(), shown.size());
            EXPECT_NE(disabled.toImage(), shown.toImage());
            EXPECT_GT(VisibleColours(disabled), 4) << "not a flat shape";
        }
    }

    // Drawn on a disabled 30-pixel button, the picture keeps off the edges.
    button.resize(81, 30);
    button.setText(QStringLiteral("&Abort"));
    button.setEnabled(false);
    const QImage image = Render(button);
    const QRgb face = button.palette().color(QPalette::Button).rgb();
    for (int x = 0; x < 3 + 24; ++x) {
        EXPECT_EQ(image.pixel(x, 1), face) << x;
        EXPECT_EQ(image.pixel(x, 28), face) << x;
    }
}

TEST(HoverButton, PlacesImagesByTheMarginAndPressedOffset)
{
    QRect caption(0, 0, 80, 30);
    EXPECT_EQ(HoverButton::PlaceImage({0, 0, 80, 30}, {16, 16}, true, false, caption),
              QRect(3, 7, 16, 16));
    EXPECT_EQ(caption.left(), 3 + 16);
    caption = QRect(0, 0, 81, 31);
    EXPECT_EQ(HoverButton::PlaceImage({0, 0, 81, 31}, {16, 16}, false, true, caption),
              QRect(32 + 1, 7 + 1, 16, 16));
    EXPECT_EQ(caption.left(), 0) << "without text the caption keeps its place";
}

TEST(HoverButton, DisabledCaptionIsEngravedInHighlightAndShadow)
{
    HoverButton button;
    button.resize(ButtonSize);
    button.setText(QStringLiteral("Image"));
    QPalette colours = button.palette();
    colours.setColor(QPalette::Light, QColor(255, 255, 255));
    colours.setColor(QPalette::Dark, QColor(10, 120, 10));
    colours.setColor(QPalette::ButtonText, QColor(0, 0, 200));
    button.setPalette(colours);
    button.setEnabled(false);
    const QImage image = Render(button);
    bool light = false, dark = false, text = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            light |= image.pixelColor(x, y) == QColor(255, 255, 255);
            dark |= image.pixelColor(x, y) == QColor(10, 120, 10);
            text |= image.pixelColor(x, y) == QColor(0, 0, 200);
        }
    }
    EXPECT_TRUE(light);
    EXPECT_TRUE(dark);
    EXPECT_FALSE(text);
}

TEST(HoverButton, BitmapShowsTheFaceThroughItsTransparentColour)
{
    HoverButton button;
    button.resize(93, 91);
    ASSERT_EQ(button.SetBitmap(140, QColor(0, 255, 0)), 0);
    ASSERT_EQ(LoadBitmapResource(140).size(), QSize(91, 88));
    ASSERT_EQ(LoadBitmapResource(140).toImage().pixelColor(0, 0), QColor(0, 255, 0));
    const QImage image = Render(button);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_NE(image.pixelColor(x, y), QColor(0, 255, 0)) << x << "," << y;
    // The bitmap sits at (1, 1); its top-left pixels are the transparent colour.
    EXPECT_EQ(image.pixel(1, 2), button.palette().color(QPalette::Button).rgb());
}

TEST(HoverButton, UnknownPicturesReportFailureAndReleaseTheOldImage)
{
    HoverButton button;
    ASSERT_EQ(button.SetIcon(131), 0);
    EXPECT_EQ(button.SetIcon(999), 1);
    EXPECT_TRUE(button.Icon().isNull());
    ASSERT_EQ(button.SetIcon(138), 0);
    EXPECT_EQ(button.Icon().size(), QSize(16, 16));
    EXPECT_EQ(button.SetBitmap(999, Qt::green), 1);
    EXPECT_TRUE(button.Icon().isNull()) << "a new image replaces the icon";
}

TEST(HoverButton, EveryButtonPictureExists)
{
    for (int id : {129, 130, 131, 132, 133, 134, 135, 136, 137, 139, 164, 165})
        EXPECT_EQ(LoadIconResource(id).size(), QSize(32, 32)) << id;
}

TEST(HoverButton, TooltipComesFromTheStringTable)
{
    HoverButton button;
    button.SetTooltipText(102);
    EXPECT_EQ(button.toolTip(), LoadStringResource(102));
    button.SetTooltipText(999);
    EXPECT_EQ(button.toolTip(), LoadStringResource(102)) << "an empty string changes nothing";
    button.SetTooltipText(105, false);
    EXPECT_TRUE(button.toolTip().isEmpty());
}

// A screen reader hears a button's name once, without the mnemonic mark, the
// tooltip only where it adds to the name, and can press it while it is enabled.
TEST(HoverButton, IsAPushButtonToAScreenReader)
{
    struct Case
    {
        const char* text;
        int tooltip;
        const char* name;
        const char* accelerator;
        bool described;
    };
    const Case cases[] = {
        {"", 102, "Get the Source Directory. This directory must contain your VIDEO_TS directory.",
         "", false},
        {"&Log", 109, "Log", "Alt+L", true},
        {"Save && go", 0, "Save & go", "", false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.text);
        HoverButton button;
        button.setText(QString::fromUtf8(test.text));
        if (test.tooltip != 0)
            button.SetTooltipText(test.tooltip);
        int clicks = 0;
        QObject::connect(&button, &QAbstractButton::clicked, [&clicks] { ++clicks; });
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&button);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->role(), QAccessible::Button);
        EXPECT_EQ(face->text(QAccessible::Name).simplified(), test.name);
        EXPECT_EQ(face->text(QAccessible::Accelerator), test.accelerator);
        EXPECT_EQ(face->text(QAccessible::Description).isEmpty(), !test.described);
        QAccessibleActionInterface& actions = *face->actionInterface();
        actions.doAction(QAccessibleActionInterface::pressAction());
        button.setEnabled(false);
        EXPECT_FALSE(actions.actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions.doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(clicks, 1);
    }
}

TEST(TooltipText, WrapsLongLinesAtBlanksAndKeepsLineBreaks)
{
    const QFontMetrics metrics(QToolTip::font());
    const QString word = QStringLiteral("donation");
    QStringList words;
    for (int i = 0; i < 60; ++i)
        words.append(word);
    const QString wrapped = WrapTooltipText(QStringLiteral("first\n") + words.join(' '), metrics);
    const QStringList lines = wrapped.split('\n');
    ASSERT_GT(lines.size(), 2);
    EXPECT_EQ(lines[0], "first");
    for (const QString& line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line), TooltipMaxWidth) << line.toStdString();
    EXPECT_EQ(QString(wrapped).replace('\n', ' '), QStringLiteral("first ") + words.join(' '));
}

class RecordingOpener : public LinkOpener
{
public:
    void OpenWithDesktop(const QString& address, QObject* /*context*/, LinkOpenDone done) override
    {
        opened.append(address);
        if (done)
            done({OpenLinkCode::NoAssociation, {}});
    }
    QStringList opened;
};

TEST(HoverButton, AClickOpensItsAddressAndStillReachesTheDialog)
{
    RecordingOpener opener;
    SetLinkOpener(&opener);
    HoverButton button;
    button.resize(ButtonSize);
    int handled = 0;
    QObject::connect(&button, &QAbstractButton::clicked, [&handled] { ++handled; });
    button.click();
    EXPECT_TRUE(opener.opened.isEmpty()) << "no address, nothing opened";
    button.SetUrl(QStringLiteral("https://example.org/donate?item_name=x"));
    button.click();
    SetLinkOpener(nullptr);
    EXPECT_EQ(opener.opened, QStringList{"https://example.org/donate?item_name=x"});
    EXPECT_EQ(handled, 2);
}

} // namespace
