#pragma once

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class LicenseDialog;
}

// Shows license.txt from the program's data folder (DataFolder), read afresh
// at every showing.
class LicenseDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LicenseDialog(QWidget* parent = nullptr);
    ~LicenseDialog() override;

    void SetProgramFolder(const QString& folder);

    // Loads the text, then runs the dialog. A missing file gives an empty box.
    int exec() override;

    void LoadLicenseText();
    // The text in view form: lines end with CR LF.
    QString LicenseText() const;

private:
    std::unique_ptr<Ui::LicenseDialog> m_ui;
    QString m_programFolder;
    QString m_licenseText;
};
