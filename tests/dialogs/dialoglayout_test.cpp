#include "app/maindialog.h"
#include "controls/hoverbutton.h"
#include "controls/linklabel.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/licensedialog.h"
#include "dialogs/logdialog.h"
#include "dialogs/settingsdialog.h"
#include "platform/programtranslations.h"
#include "support/scriptedmessagebox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace {

// The dialogs have fixed geometry made for a narrower font than the desktop's,
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

// Each test runs in English and in German, the longer texts.
class DialogLayout : public testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        if (std::string(GetParam()) != "en") {
            ASSERT_TRUE(m_translations.Installed()) << GetParam();
        }
    }

private:
    const ProgramTranslations m_translations{QStringLiteral(ISOMINT_PROGRAM_DIR),
                                             QLocale(QString::fromLatin1(GetParam()))};
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
        ExpectTextsFit(window);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, DialogLayout, testing::Values("en", "de"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

} // namespace
