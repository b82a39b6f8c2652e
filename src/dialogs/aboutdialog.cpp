#include "dialogs/aboutdialog.h"

#include "controls/fontunits.h"
#include "dialogs/abouttexts.h"
#include "dialogs/projectaddresses.h"
#include "dialogs/viewtext.h"
#include "ui_aboutdialog.h"

namespace {

constexpr int OkIcon = 138;
constexpr int OkTooltip = 105;
constexpr int DonationBitmap = 140;
constexpr int DonationTooltip = 112;

void SetLink(LinkLabel& label, const QString& address)
{
    label.SetUrl(address);
    label.SetUnderlineMode(-1);
}

// A label breaks lines at LF, so the CR of a CR LF pair is left out; a final
// line break would only make the label ask for an empty line more.
void ShowText(QLabel& label, const QString& text)
{
    QString shown = ViewTextToFile(text);
    while (shown.endsWith(u'\n'))
        shown.chop(1);
    label.setText(shown);
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::AboutDialog>())
{
    m_ui->setupUi(this);
    FontUnits::Apply(*this);
    Decorate();
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::SetProgramFolder(const QString& folder)
{
    m_programFolder = folder;
}

void AboutDialog::SetMessageBoxPresenter(MessageBoxPresenter* presenter)
{
    for (LinkLabel* link : {m_ui->homepageLink, m_ui->emailLink, m_ui->cdrtoolsLink})
        link->SetMessageBoxPresenter(presenter);
}

void AboutDialog::Prepare()
{
    SetLink(*m_ui->emailLink, QStringLiteral("mailto:") + QLatin1String(ProjectAddress::Email));
    SetLink(*m_ui->homepageLink, QLatin1String(ProjectAddress::Homepage));
    SetLink(*m_ui->cdrtoolsLink, QLatin1String(ProjectAddress::Cdrtools));
    m_versionText = AboutVersionText();
    m_creditText = AboutCreditText();
    m_moduleText = ReadModuleText(m_programFolder);
    ShowText(*m_ui->versionLabel, m_versionText);
    ShowText(*m_ui->creditLabel, m_creditText);
    ShowText(*m_ui->moduleLabel, m_moduleText);
}

int AboutDialog::PrepareAndShow()
{
    Prepare();
    return exec();
}

void AboutDialog::Decorate()
{
    m_ui->okButton->Decorate(&m_theme, OkIcon, OkTooltip);

    // "OK" has the first focus and is the default: Enter closes the box. The
    // links are tab stops of their own; the picture is the mouse's, since its
    // page is reached as well by "&Donation".
    m_ui->okButton->setDefault(true);
    m_ui->okButton->setFocus(Qt::OtherFocusReason);

    ThemedButton& donation = *m_ui->donationButton;
    donation.setDefault(false);
    donation.setAutoDefault(false);
    donation.setFocusPolicy(Qt::NoFocus);
    donation.BindTheme(&m_theme);
    donation.SetBitmap(DonationBitmap, QColor(0, 255, 0));
    donation.SetUrl(QLatin1String(ProjectAddress::Donation));
    donation.EnableBalloonTooltip();
    donation.SetTooltipText(DonationTooltip, true);
}
