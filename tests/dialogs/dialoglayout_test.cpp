#include "controls/linklabel.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/licensedialog.h"
#include "dialogs/logdialog.h"
#include "settings/settingsdialog.h"
#include "support/scriptedmessagebox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// Dialog units of the 8-point dialog font: 1.5 px across, 1.625 px down.
QSize Scaled(int width, int height)
{
    return QSize(qRound(width * 1.5), qRound(height * 1.625));
}

// Every fixed text must fit the control it is in: nothing clipped.
void ExpectTextsFit(const QDialog& dialog)
{
    for (const QCheckBox* box : dialog.findChildren<QCheckBox*>())
        EXPECT_LE(box->sizeHint().width(), box->width()) << box->text().toStdString();
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (qobject_cast<const LinkLabel*>(label) != nullptr)
            continue; // links size themselves to their text
        const int height =
            label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
        EXPECT_LE(height, label->height()) << label->text().toStdString();
        if (!label->wordWrap()) {
            EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
        }
    }
    const QRect inside(QPoint(0, 0), dialog.size());
    for (const QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(inside.contains(child->geometry())) << child->objectName().toStdString();
}

// The focus chain from the first widget, as Tab walks it.
QStringList TabOrder(QWidget& first)
{
    QStringList names;
    QWidget* widget = &first;
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            names << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != &first);
    return names;
}

TEST(DialogLayout, LogWindow)
{
    LogDialog dialog;
    EXPECT_EQ(dialog.size(), Scaled(237, 207));
    EXPECT_EQ(dialog.findChild<QPlainTextEdit*>()->geometry(), QRect(11, 11, 334, 278));
    ExpectTextsFit(dialog);
}

TEST(DialogLayout, AboutBox)
{
    AboutDialog dialog;
    dialog.Prepare();
    EXPECT_EQ(dialog.size(), Scaled(197, 247));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Isomint stencil"));
    ExpectTextsFit(dialog);
    // The links fit their text but keep their places.
    for (const LinkLabel* link : dialog.findChildren<LinkLabel*>())
        EXPECT_LE(link->geometry().right(), dialog.width()) << link->text().toStdString();
}

TEST(DialogLayout, LicenseWindow)
{
    LicenseDialog dialog;
    EXPECT_EQ(dialog.size(), Scaled(334, 203));
    auto& ok = *dialog.findChild<QPushButton*>();
    EXPECT_TRUE(ok.isDefault());
    EXPECT_EQ(TabOrder(ok),
              QStringList({QStringLiteral("okButton"), QStringLiteral("licenseEdit")}));
    ExpectTextsFit(dialog);
}

TEST(DialogLayout, SettingsDialogTabOrderAndTexts)
{
    ScriptedMessageBox boxes;
    SettingsDialog dialog(boxes);
    EXPECT_EQ(dialog.size(), Scaled(285, 199));
    EXPECT_EQ(TabOrder(*dialog.findChild<QCheckBox*>("splitCheck")),
              QStringList({"splitCheck", "checkSizeCheck", "burnCheck", "eraseCheck", "pathEdit",
                           "exeButton", "driveList", "saveButton", "cancelButton"}));
    QStringList texts;
    for (const QCheckBox* box : dialog.findChildren<QCheckBox*>())
        texts << box->text();
    EXPECT_EQ(texts, QStringList({"&Split image into 1GB chunks (recommended for FAT32 partitions)",
                                  "Chec&k source directory size?",
                                  "&Burn generated image using DVD Decrypter",
                                  "&Erase non empty rewriteable media"}));
    EXPECT_TRUE(dialog.findChild<QPushButton*>("saveButton")->isDefault());
    ExpectTextsFit(dialog);
}

} // namespace
