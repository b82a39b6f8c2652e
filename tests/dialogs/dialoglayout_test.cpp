#include "controls/linklabel.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/licensedialog.h"
#include "dialogs/logdialog.h"
#include "dialogs/settingsdialog.h"
#include "support/scriptedmessagebox.h"

#include <QCheckBox>
#include <QLabel>
#include <gtest/gtest.h>

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
    const QRect inside(QPoint(0, 0), dialog.size());
    for (const QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(inside.contains(child->geometry())) << child->objectName().toStdString();
}

TEST(DialogLayout, EveryTextFitsItsControl)
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

} // namespace
