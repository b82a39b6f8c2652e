#pragma once

#include "controls/themeapi.h"

#include <QDialog>
#include <QString>

#include <memory>

class MessageBoxPresenter;

namespace Ui {
class AboutDialog;
}

// The About box: name, version and build date, the links, the mkisofs credit,
// the external modules from mod.ver and the donation picture button. Made for
// one showing.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

    void SetProgramFolder(const QString& folder);
    // Where the links explain an address they cannot open.
    void SetMessageBoxPresenter(MessageBoxPresenter* presenter);

    // Gives the links their targets and fills the three texts; mod.ver is
    // read afresh each time.
    void Prepare();
    // Prepare, then run the box modally.
    int PrepareAndShow();

    QString VersionText() const { return m_versionText; }
    QString CreditText() const { return m_creditText; }
    QString ModuleText() const { return m_moduleText; }

private:
    void Decorate();

    ThemeApi m_theme;
    std::unique_ptr<Ui::AboutDialog> m_ui;
    QString m_programFolder;
    QString m_versionText;
    QString m_creditText;
    QString m_moduleText;
};
