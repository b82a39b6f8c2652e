// The main window's commands: browsing, the other windows, the recording options.
#include "app/maindialog.h"

#include "app/poweroff.h"

#include "app/windowbuild.h"
#include "burn/drivespeeds.h"
#include "burn/recordingoptions.h"
#include "burn/xorrisorecording.h"
#include "controls/cxfiledialog.h"
#include "controls/folderpicker.h"
#include "controls/messagebox.h"
#include "controls/recorderwords.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/donation.h"
#include "dialogs/helppage.h"
#include "dialogs/licensedialog.h"
#include "dialogs/logdialog.h"
#include "dialogs/settingsdialog.h"
#include "dialogs/settingsnotices.h"
#include "imaging/volumeid.h"
#include "platform/pathhelper.h"
#include "recorder/nativerecorder.h"
#include "settings/programsettings.h"
#include "ui_maindialog.h"

#include <QFileInfo>

namespace {

constexpr char SourceTitle[] =
    QT_TRANSLATE_NOOP("MainDialog", "Choose a Directory which contains the DVD File structure:");
constexpr int SourceBrowseFlags = 0x49;
constexpr char NoSourceText[] = QT_TRANSLATE_NOOP("MainDialog", "Can't get dir...");
constexpr char ImageFilter[] = QT_TRANSLATE_NOOP(
    "MainDialog", "ISO Image (*.iso)|*.iso|Image File (*.img)|*.img|All Files (*.*)||");

// Trailing separators go, but the root stays the root rather than becoming empty.
QString WithoutTrailingSeparators(QString path)
{
    while (path.size() > 1 && path.endsWith(NativeSeparator))
        path.chop(1);
    return path;
}

} // namespace

void MainDialog::BrowseSource()
{
    FolderPicker picker;
    // It starts where the user is: the current Source Directory, when there is one.
    const QString current = m_fields.sourceDirectory;
    const QString start = QFileInfo(current).isDir() ? current : DefaultBrowseFolder();
    if (picker.Browse(tr(SourceTitle), start, SourceBrowseFlags, this) != FolderPicker::ResultOk) {
        // Stored only: the field shows it at the next transfer to the controls.
        m_fields.sourceDirectory = tr(NoSourceText);
        return;
    }
    m_fields.sourceDirectory = WithoutTrailingSeparators(picker.GetPath());
    m_fields.volumeId = ProposeVolumeId(LastComponentOf(m_fields.sourceDirectory));
    ShowFieldValues();
}

void MainDialog::BrowseOutput()
{
    CXFileDialog dialog(false, QStringLiteral("iso"), m_fields.volumeId + QStringLiteral(".iso"),
                        CXFileDialog::FlagOverwritePrompt, tr(ImageFilter), this);
    if (!m_fields.outputFile.isEmpty())
        dialog.SetInitialFolder(FolderOf(m_fields.outputFile));
    if (dialog.DoModal() != CXFileDialog::ResultOk)
        return;
    m_fields.outputFile = dialog.GetPathName();
    ShowFieldValues();
}

void MainDialog::ShowLog()
{
    m_log->LoadCapture(m_engine->CaptureFilePath());
    // A native recording's output follows the build's.
    if (Recording() != nullptr)
        m_log->SetLogText(m_log->LogText() + Recording()->Output());
    m_log->exec();
}

void MainDialog::ShowAbout()
{
    AboutDialog about(this);
    about.SetProgramFolder(m_programFolder);
    about.SetMessageBoxPresenter(&m_presenter);
    about.PrepareAndShow();
}

bool MainDialog::OnSysCommand(unsigned command)
{
    // The system keeps the low four bits of a window-menu command for itself.
    if ((command & 0xFFF0u) != AboutSysCommand)
        return false;
    ShowAbout();
    return true;
}

void MainDialog::ShowHelp()
{
    OpenHelpPage(m_programFolder, this, m_presenter);
}

void MainDialog::ShowSettings()
{
    m_settings->exec();
    UpdateRecordingOptions();
}

void MainDialog::ShowLicense()
{
    LicenseDialog license;
    license.SetProgramFolder(m_programFolder);
    license.exec();
}

void MainDialog::ShowDonation()
{
    OpenDonationPage(this, m_presenter);
}

bool MainDialog::ConfirmAbortOnClose()
{
    return ShowWindowBox(m_presenter, tr("Warning"), tr("A build is running. Abort it and quit?"),
                         BoxKind::WarningYesNo) == BoxAnswer::Yes;
}

void MainDialog::StoreWriteSpeed()
{
    TakeFieldValues();
    const QString speed = SelectedSpeedText();
    if (speed.isEmpty())
        return;
    Settings().SetWriteSpeed(speed);
    Settings().WriteSettings();
    ShowSettingsNotices(m_presenter, Settings());
}

void MainDialog::UpdateRecordingOptions()
{
    const bool burn = Settings().GetBurnImageFile();
    ShowSettingsNotices(m_presenter, Settings());
    RecordingOptionsState state = DecideRecordingOptions(burn, Settings().DecrypterVersion());
    if (burn && IsXorrisoRecorder(Settings().GetDecrypterPath()))
        state = NativeRecordingOptions(m_powerOff->Available());
    if (burn) {
        if (state.clearShutdown)
            m_shutdown = false;
        if (state.clearVerify)
            m_verify = false;
    }
    m_ui->shutdownCheck->setEnabled(state.shutdownEnabled);
    m_ui->verifyCheck->setEnabled(state.verifyEnabled);
    m_ui->speedCombo->setEnabled(state.speedEnabled);
    m_ui->speedLabel->setEnabled(state.speedEnabled);
    ShowRecorderWords(*this,
                      {{"shutdownCheck", "text",
                        QT_TRANSLATE_NOOP("RecorderWords", "&Power off after recording")}},
                      IsXorrisoRecorder(Settings().GetDecrypterPath()));
    if (state.speedEnabled)
        FillSpeedList();
    ShowFieldValues();
}

void MainDialog::FillSpeedList()
{
    ShowSpeedItems(SpeedListItems(LocaleDecimalSeparator()));
    // The native recorder's drive says what it can do; the fixed list stands
    // until it has answered, or when it does not.
    if (IsXorrisoRecorder(Settings().GetDecrypterPath()))
        m_speedQuery->Start(Settings().GetDecrypterPath(), Settings().GetDriveletter());
}

void MainDialog::OnDriveSpeeds(const QString& listSpeedsOutput)
{
    const QStringList items = DriveSpeedItems(listSpeedsOutput, LocaleDecimalSeparator());
    if (!items.isEmpty())
        ShowSpeedItems(items);
}

void MainDialog::ShowSpeedItems(const QStringList& items)
{
    m_ui->speedCombo->clear();
    m_ui->speedCombo->addItems(items);
    m_ui->speedCombo->setCurrentIndex(SpeedSelection(items, Settings().GetWriteSpeed()));
    ShowFieldValues();
}
