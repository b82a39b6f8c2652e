#include "app/maindialog.h"

#include "app/desktopnotification.h"
#include "app/finishnotice.h"
#include "app/manifest.h"
#include "app/poweroff.h"
#include "app/progressview.h"
#include "app/qtmessagebox.h"
#include "app/windowbuild.h"
#include "burn/drivespeeds.h"
#include "burn/recordingsession.h"
#include "controls/controlimages.h"
#include "controls/fontunits.h"
#include "controls/themedbutton.h"
#include "dialogs/logdialog.h"
#include "dialogs/settingsdialog.h"
#include "dialogs/settingsnotices.h"
#include "imaging/companionfiles.h"
#include "imaging/volumeid.h"
#include "platform/exitguard.h"
#include "platform/pathhelper.h"
#include "settings/programsettings.h"
#include "ui_maindialog.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

constexpr int WindowIcon = 129;

struct ButtonDecoration
{
    ThemedButton* Ui::MainDialog::*button;
    int icon;
    int tooltip;
};

// In the order the buttons are set up.
constexpr ButtonDecoration kButtons[] = {
    {&Ui::MainDialog::sourceBrowseButton, 131, 102},
    {&Ui::MainDialog::quitButton, 130, 105},
    {&Ui::MainDialog::abortButton, 164, 104},
    {&Ui::MainDialog::outputBrowseButton, 134, 103},
    {&Ui::MainDialog::imageButton, 135, 106},
    {&Ui::MainDialog::logButton, 139, 109},
};

std::unique_ptr<MessageBoxPresenter> OwnPresenterIfNone(MessageBoxPresenter* given, QWidget* window)
{
    if (given != nullptr)
        return nullptr;
    return std::make_unique<QtMessageBox>(window);
}

} // namespace

MainDialog::MainDialog(const QString& programFolder, MessageBoxPresenter* presenter,
                       MonitorTimings timings)
    : QDialog(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_ui(std::make_unique<Ui::MainDialog>()), m_ownPresenter(OwnPresenterIfNone(presenter, this)),
      m_presenter(presenter != nullptr ? *presenter : *m_ownPresenter),
      m_programFolder(programFolder), m_settings(std::make_unique<SettingsDialog>(m_presenter)),
      m_log(std::make_unique<LogDialog>()), m_powerOff(MakeLogindPowerOff())
{
    m_ui->setupUi(this);
    FontUnits::Apply(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setMenuBar(m_ui->menuBar);
    layout->addWidget(m_ui->content);
    m_finishNotice = std::make_unique<FinishNotice>(
        m_presenter, *this, [this] { return m_engine != nullptr && m_engine->IsBuilding(); },
        &SendDesktopNotification);
    m_engine = std::make_unique<WindowBuild>(*this, *m_finishNotice, Settings(), timings);
    m_session = std::make_unique<RecordingSession>();
    m_speedQuery = std::make_unique<DriveSpeedQuery>();
    connect(m_speedQuery.get(), &DriveSpeedQuery::Answered, this, &MainDialog::OnDriveSpeeds);
    m_fields.volumeId = QString::fromLatin1(DefaultVolumeId);
    setAcceptDrops(true);
    SetUpSignals();
}

// The engine ends and reaps a child that is still running when it goes.
MainDialog::~MainDialog() = default;

ProgramSettings& MainDialog::Settings()
{
    return m_settings->Settings();
}

int MainDialog::exec()
{
    OnInitDialog();
    return QDialog::exec();
}

void MainDialog::showEvent(QShowEvent* event)
{
    OnInitDialog();
    QDialog::showEvent(event);
}

void MainDialog::OnInitDialog()
{
    if (m_initialised)
        return;
    m_initialised = true;
    ShowFieldValues();
    setWindowIcon(QIcon(LoadIconResource(WindowIcon)));
    SetPercentLabel(PercentLabelText(0));
    SetUpButtons();
    SetBuildTitle(*this, 0);
    m_engine->SetProgramFolder(m_programFolder);
    RunFirstTimeSetupIfNeeded();
    UpdateRecordingOptions();
    WriteManifest(m_programFolder);
    if (const std::optional<OutcomeText> missing = CheckCompanionFiles(m_programFolder))
        ShowOutcome(m_presenter, *missing);
    // As a dialog starts: the first control in tab order has the focus.
    m_ui->sourceEdit->setFocus(Qt::OtherFocusReason);
}

void MainDialog::RunFirstTimeSetupIfNeeded()
{
    Settings().SetProgramFolder(m_programFolder);
    const bool read = Settings().ReadSettings();
    ShowSettingsNotices(m_presenter, Settings());
    if (read)
        return;
    Settings().MarkFirstTimeSetup();
    m_settings->exec();
}

void MainDialog::SetUpButtons()
{
    for (const ButtonDecoration& decoration : kButtons) {
        ((*m_ui).*decoration.button)->Decorate(&m_theme, decoration.icon, decoration.tooltip);
    }
    m_ui->abortButton->setEnabled(false);
    m_ui->logButton->setEnabled(false);
}

void MainDialog::SetUpSignals()
{
    connect(m_ui->sourceBrowseButton, &QPushButton::clicked, this, &MainDialog::BrowseSource);
    connect(m_ui->outputBrowseButton, &QPushButton::clicked, this, &MainDialog::BrowseOutput);
    connect(m_ui->imageButton, &QPushButton::clicked, m_engine.get(), &WindowBuild::StartBuild);
    connect(m_ui->abortButton, &QPushButton::clicked, m_engine.get(), &WindowBuild::AbortBuild);
    connect(m_engine.get(), &WindowBuild::ImageBuilt, this, &MainDialog::OnImageBuilt);
    connect(m_engine.get(), &WindowBuild::BuildFinished, this, &MainDialog::StartPendingRecording);
    connect(m_ui->abortButton, &QPushButton::clicked, this, &MainDialog::AbortRecording);
    ConnectRecordingSession();
    connect(m_ui->logButton, &QPushButton::clicked, this, &MainDialog::ShowLog);
    connect(m_ui->quitButton, &QPushButton::clicked, this, &MainDialog::reject);
    connect(m_ui->shutdownCheck, &QCheckBox::clicked, this, [this] { TakeFieldValues(); });
    connect(m_ui->verifyCheck, &QCheckBox::clicked, this, [this] { TakeFieldValues(); });
    connect(m_ui->speedCombo, &QComboBox::activated, this, &MainDialog::StoreWriteSpeed);
    connect(m_ui->recordImageAction, &QAction::triggered, this, &MainDialog::RecordImage);
    connect(m_ui->programSettingsAction, &QAction::triggered, this, &MainDialog::ShowSettings);
    connect(m_ui->helpAction, &QAction::triggered, this, &MainDialog::ShowHelp);
    connect(m_ui->infoAction, &QAction::triggered, this, &MainDialog::ShowAbout);
    connect(m_ui->licenseAction, &QAction::triggered, this, &MainDialog::ShowLicense);
    connect(m_ui->donationAction, &QAction::triggered, this, &MainDialog::ShowDonation);
    // F1 is the help key, as the platform's help command.
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            &MainDialog::ShowHelp);
    for (QWidget* field : {m_ui->sourceEdit, m_ui->outputEdit, m_ui->volumeEdit})
        field->installEventFilter(this);
}

bool MainDialog::eventFilter(QObject* watched, QEvent* event)
{
    // A field that loses the focus hands its text to the stored values.
    if (event->type() == QEvent::FocusOut)
        TakeFieldValues();
    return QDialog::eventFilter(watched, event);
}

void MainDialog::keyPressEvent(QKeyEvent* event)
{
    // Escape never closes the window; Enter reaches the default button "&Image".
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainDialog::Terminate()
{
    // Within the two seconds a session gives: a short grace for xorriso to
    // stop writing cleanly, then SIGKILL.
    constexpr std::chrono::milliseconds kGrace(700);
    m_session->Stop();
    ExitGuard::EndAll(kGrace);
    // Every running loop ends, a box's as well as the window's; a box opened
    // after this returns at once.
    QCoreApplication::exit(0);
}

void MainDialog::reject()
{
    if ((m_engine->IsBuilding() || IsRecording()) && !ConfirmAbortOnClose())
        return;
    m_engine->AbortAndWait();
    AbortRecording();
    QDialog::reject();
}
