#include "app/maindialog.h"
#include "app/progressview.h"
#include "controls/hoverbutton.h"
#include "controls/linklabel.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/licensedialog.h"
#include "dialogs/logdialog.h"
#include "dialogs/settingsdialog.h"
#include "platform/programtranslations.h"
#include "support/scriptedmessagebox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// The dialogs are laid out in units of their font, whatever the desktop's font,
// so every fixed text is checked against its control: nothing may be clipped.
// The room the button's painting leaves its caption, beside its icon or bitmap.
QRect CaptionRoom(const HoverButton& button)
{
    QRect caption = button.rect();
    if (button.text().isEmpty())
        return caption;
    if (!button.Icon().isNull()) {
        const QPixmap icon =
            HoverButton::FittedIcon(button.Icon(), button.size(), 1.0, false, button.style());
        HoverButton::PlaceImage(button.rect(), icon.size(), true, false, caption);
    }
    if (!button.Bitmap().isNull())
        HoverButton::PlaceImage(button.rect(), button.Bitmap().size(), true, false, caption);
    return caption;
}

void ExpectCaptionFits(const QPushButton& button)
{
    const QString text = button.text();
    if (const auto* drawn = qobject_cast<const HoverButton*>(&button)) {
        // Drawn by the program: wrapped at spaces, so a word too long or a line too many is
        // clipped.
        const QRect room = CaptionRoom(*drawn);
        const QRect needed = button.fontMetrics().boundingRect(
            room, Qt::TextWordWrap | Qt::AlignHCenter | Qt::TextShowMnemonic, text);
        EXPECT_LE(needed.width(), room.width()) << text.toStdString();
        EXPECT_LE(needed.height(), room.height()) << text.toStdString();
        return;
    }
    const int margin = button.style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button);
    const int needed = button.fontMetrics().size(Qt::TextShowMnemonic, text).width() + 2 * margin;
    EXPECT_LE(needed, button.width()) << text.toStdString();
}

void ExpectTextsFit(const QDialog& dialog)
{
    for (const QAbstractButton* box : dialog.findChildren<QAbstractButton*>()) {
        if (qobject_cast<const QCheckBox*>(box) != nullptr ||
            qobject_cast<const QRadioButton*>(box) != nullptr) {
            EXPECT_LE(box->sizeHint().width(), box->width()) << box->text().toStdString();
        }
    }
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        ExpectCaptionFits(*button);
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (qobject_cast<const LinkLabel*>(label) != nullptr)
            continue; // links size themselves to their text
        const QSize needed =
            label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : label->sizeHint();
        EXPECT_LE(needed.width(), label->width()) << label->text().toStdString();
        EXPECT_LE(needed.height(), label->height()) << label->text().toStdString();
    }
    for (const QComboBox* list : dialog.findChildren<QComboBox*>())
        EXPECT_LE(list->sizeHint().width(), list->width()) << list->currentText().toStdString();
    const QRect inside(QPoint(0, 0), dialog.size());
    for (const QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(inside.contains(child->geometry())) << child->objectName().toStdString();
}

// Recording on, with a recorder of this name in the program folder: xorriso
// is a stand-in that answers nothing, an .exe a Windows program with a version.
bool UseRecorder(const QTemporaryDir& folder, const char* name, const char* drive)
{
    const QString path = folder.filePath(QLatin1String(name));
    const bool exe = path.endsWith(QLatin1String(".exe"));
    if (!QFile::copy(exe ? QStringLiteral(ISOMINT_TEST_DATA_DIR "/pe/recorder-3.2.2.1.exe")
                         : QStringLiteral("/bin/true"),
                     path))
        return false;
    QFile ini(folder.filePath(QStringLiteral("stencil.ini")));
    return ini.open(QIODevice::WriteOnly) &&
           ini.write("BurnImageFile = 1\r\nDecrypterPath = " + path.toUtf8() +
                     "\r\nDriveletter = " + drive + "\r\n") > 0;
}

// The desktop's font for as long as it lives: the application font at a size
// in points, or as it is for 0.
class DesktopFont
{
public:
    explicit DesktopFont(int pointSize) : m_before(QApplication::font())
    {
        if (pointSize <= 0)
            return;
        QFont font = m_before;
        font.setPointSize(pointSize);
        QApplication::setFont(font);
    }
    ~DesktopFont() { QApplication::setFont(m_before); }
    DesktopFont(const DesktopFont&) = delete;
    DesktopFont& operator=(const DesktopFont&) = delete;

private:
    const QFont m_before;
};

// Each test runs in English and in German, the longer texts, at the default
// desktop font and at a large one.
class DialogLayout : public testing::TestWithParam<std::tuple<const char*, int>>
{
protected:
    static const char* Language() { return std::get<0>(GetParam()); }

    void SetUp() override
    {
        if (std::string(Language()) != "en") {
            ASSERT_TRUE(m_translations.Installed()) << Language();
        }
    }

private:
    const ProgramTranslations m_translations{QStringLiteral(ISOMINT_PROGRAM_DIR),
                                             QLocale(QString::fromLatin1(Language()))};
    const DesktopFont m_font{std::get<1>(GetParam())};
};

TEST_P(DialogLayout, EveryTextFitsItsControl)
{
    LogDialog log;
    ExpectTextsFit(log);
    AboutDialog about;
    about.SetProgramFolder(QStringLiteral(ISOMINT_PROGRAM_DIR));
    about.Prepare();
    ExpectTextsFit(about);
    LicenseDialog license;
    ExpectTextsFit(license);
    ScriptedMessageBox boxes;
    SettingsDialog settings(boxes);
    ExpectTextsFit(settings);
}

// Recording on with either recorder: the settings and the main window name
// its controls in that recorder's words, and the list shows a whole stdio:
// pseudo-drive path.
TEST_P(DialogLayout, EitherRecordersWordsAndDeviceFit)
{
    for (const auto& [recorder, device] :
         {std::pair{"rec.exe", "E:"}, std::pair{"xorriso", "stdio:/home/user/Videos/disc.iso"}}) {
        SCOPED_TRACE(recorder);
        QTemporaryDir folder;
        ASSERT_TRUE(UseRecorder(folder, recorder, device));
        ScriptedMessageBox boxes;
        SettingsDialog settings(boxes);
        settings.Settings().SetProgramFolder(folder.path());
        settings.PrepareOpening();
        ASSERT_EQ(settings.findChild<QComboBox*>(QStringLiteral("driveList"))->currentText(),
                  device);
        ExpectTextsFit(settings);
        MainDialog window(folder.path(), &boxes);
        window.show();
        // The longest the label grows: full, a fast rate, and the longest time it shows.
        window.SetPercentLabel(ProgressLabelText(100, 9999.9, 999 * 60 + 59));
        ExpectTextsFit(window);
    }
}

INSTANTIATE_TEST_SUITE_P(LanguagesAndFonts, DialogLayout,
                         testing::Combine(testing::Values("en", "de"), testing::Values(0, 14)),
                         [](const testing::TestParamInfo<std::tuple<const char*, int>>& info) {
                             const int points = std::get<1>(info.param);
                             return std::string(std::get<0>(info.param)) +
                                    (points > 0 ? "_" + std::to_string(points) + "pt"
                                                : std::string("_default"));
                         });

// Every window's size, as laid out for the desktop's font now.
std::vector<std::pair<const char*, QSize>> WindowSizes(const QString& programFolder)
{
    ScriptedMessageBox boxes;
    MainDialog window(programFolder, &boxes);
    window.layout()->activate();
    SettingsDialog settings(boxes);
    return {{"main window", window.size()},
            {"settings", settings.size()},
            {"about", AboutDialog().size()},
            {"log", LogDialog().size()},
            {"license", LicenseDialog().size()}};
}

// A larger desktop font gives every window a larger size of the same shape.
TEST(DialogShape, ALargerDesktopFontGivesLargerWindowsOfTheSameProportions)
{
    QTemporaryDir folder;
    const auto normal = WindowSizes(folder.path());
    const DesktopFont large(14);
    const auto larger = WindowSizes(folder.path());
    for (size_t i = 0; i < normal.size(); ++i) {
        SCOPED_TRACE(normal[i].first);
        const QSize before = normal[i].second;
        const QSize after = larger[i].second;
        EXPECT_GT(after.width(), before.width() * 5 / 4);
        EXPECT_GT(after.height(), before.height() * 5 / 4);
        const double shapeBefore = double(before.width()) / before.height();
        const double shapeAfter = double(after.width()) / after.height();
        EXPECT_NEAR(shapeAfter / shapeBefore, 1.0, 0.05);
    }
}

} // namespace
