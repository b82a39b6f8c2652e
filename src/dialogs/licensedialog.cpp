#include "dialogs/licensedialog.h"

#include "controls/fontunits.h"
#include "dialogs/columnfont.h"
#include "dialogs/viewtext.h"
#include "platform/installedlayout.h"
#include "platform/pathhelper.h"
#include "ui_licensedialog.h"

LicenseDialog::LicenseDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::LicenseDialog>())
{
    m_ui->setupUi(this);
    FontUnits::Apply(*this);
}

LicenseDialog::~LicenseDialog() = default;

void LicenseDialog::SetProgramFolder(const QString& folder)
{
    m_programFolder = folder;
}

int LicenseDialog::exec()
{
    LoadLicenseText();
    return QDialog::exec();
}

void LicenseDialog::LoadLicenseText()
{
    m_licenseText =
        ReadFileForView(JoinPath(DataFolder(m_programFolder), QStringLiteral("license.txt")));
    const QString shown = ViewTextForDisplay(m_licenseText);
    m_ui->licenseEdit->setFont(ColumnFont(shown));
    m_ui->licenseEdit->setPlainText(shown);
}

QString LicenseDialog::LicenseText() const
{
    return m_licenseText;
}
