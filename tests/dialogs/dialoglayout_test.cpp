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
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace {

// The dialogs have fixed geometry made for a narrower font than the desktop's,
// so every fixed text is checked against its control: nothing may be clipped.
void ExpectTextsFit(const QDialog& dialog)
{
    for (const QCheckBox* box : dialog.findChildren<QCheckBox*>())
        EXPECT_LE(box->sizeHint().width(), box->width()) << box->text().toStdString();
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

// With xorriso the settings speak of the recorder and its device, and the
// list shows a whole stdio: pseudo-drive path.
TEST_P(DialogLayout, TheNativeRecordersWordsAndDeviceFit)
{
    QTemporaryDir folder;
    const QString xorriso = folder.filePath(QStringLiteral("xorriso"));
    ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/true"), xorriso));
    QFile ini(folder.filePath(QStringLiteral("stencil.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("BurnImageFile = 1\r\nDecrypterPath = " + xorriso.toUtf8() +
              "\r\nDriveletter = stdio:/home/user/Videos/disc.iso\r\n");
    ini.close();
    ScriptedMessageBox boxes;
    SettingsDialog settings(boxes);
    settings.Settings().SetProgramFolder(folder.path());
    settings.PrepareOpening();
    ASSERT_EQ(settings.findChild<QComboBox*>(QStringLiteral("driveList"))->currentText(),
              "stdio:/home/user/Videos/disc.iso");
    ExpectTextsFit(settings);
}

INSTANTIATE_TEST_SUITE_P(Languages, DialogLayout, testing::Values("en", "de"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

} // namespace
