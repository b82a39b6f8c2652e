// The main window's view of a recording: busy state, progress, title, log and
// the outcome's box, after a build or for an image made earlier. The
// recording itself runs in the RecordingSession.
#include "app/maindialog.h"

#include "app/imagerecording.h"
#include "app/poweroff.h"
#include "app/progressview.h"
#include "burn/decrypterburn.h"
#include "burn/existingimage.h"
#include "burn/recordingchoices.h"
#include "burn/recordingsession.h"
#include "controls/messagebox.h"
#include "controls/showinfolder.h"
#include "dialogs/settingsnotices.h"
#include "recorder/nativerecorder.h"
#include "settings/programsettings.h"
#include "ui_maindialog.h"

namespace {

// The settings' word on recording, with its notices; a box says when it is off.
bool RecordingIsOn(ProgramSettings& settings, MessageBoxPresenter& presenter)
{
    const bool burn = settings.GetBurnImageFile();
    ShowSettingsNotices(presenter, settings);
    if (!burn)
        ShowWindowBox(presenter, MainDialog::tr("Recording Failed"),
                      MainDialog::tr("Recording is turned off in the Program Settings."),
                      BoxKind::Error);
    return burn;
}

} // namespace

bool MainDialog::IsRecording() const
{
    return m_session->IsRunning();
}

const XorrisoRecording* MainDialog::Recording() const
{
    return m_session->Recording();
}

void MainDialog::ConnectRecordingSession()
{
    connect(m_session.get(), &RecordingSession::Progress, this, &MainDialog::OnRecordingProgress);
    connect(m_session.get(), &RecordingSession::PhaseChanged, this, &MainDialog::OnRecordingPhase);
    connect(m_session.get(), &RecordingSession::Ended, this, &MainDialog::OnRecordingEnded);
}

void MainDialog::OnImageBuilt(const QString& outputFile, int chunkCount)
{
    // The build still shows its own outcome and leaves the busy state before
    // a native recording starts.
    m_session->HandOver(Settings(), RecordingChoices{m_shutdown, m_verify, SelectedSpeedText()},
                        outputFile, chunkCount);
    ShowSettingsNotices(m_presenter, Settings());
}

void MainDialog::StartPendingRecording()
{
    if (!m_session->HasPendingImage())
        return;
    RecordingPlan plan =
        PlanFromSettings(Settings(), RecordingChoices{m_shutdown, m_verify, SelectedSpeedText()});
    ShowSettingsNotices(m_presenter, Settings());
    plan.powerOff = m_shutdown ? m_powerOff.get() : nullptr;
    m_session->StartPending(plan);
}

void MainDialog::RecordImage()
{
    if (m_engine->IsBuilding() || IsRecording())
        return;
    const QString image = ChooseImageToRecord(this, m_fields.outputFile);
    if (image.isEmpty() || !RecordingIsOn(Settings(), m_presenter))
        return;
    // The checks of a build's own read-back, since nobody checked this image.
    const bool native = IsXorrisoRecorder(Settings().GetDecrypterPath());
    const ExistingImage checked =
        native ? TakeExistingImage(*m_session, image) : CheckExistingImage(image);
    if (checked.outcome != BuildOutcome::Built) {
        ShowWindowBox(m_presenter, tr("Recording Failed"), ImageRefusalText(checked),
                      BoxKind::Error);
        return;
    }
    if (native) {
        StartPendingRecording();
        return;
    }
    // The Windows recorder gets it as after a build: the image or its list, detached.
    DecrypterBurnSource(Settings(), RecordingChoices{m_shutdown, m_verify, SelectedSpeedText()},
                        image);
    ShowSettingsNotices(m_presenter, Settings());
}

void MainDialog::OnRecordingPhase(RecordingPhase phase)
{
    if (phase == RecordingPhase::Verifying) {
        setWindowTitle(tr("Verifying… %1").arg(BuildTitleText(0)));
        return;
    }
    Rate().Begin(static_cast<double>(m_session->ImageBytes()));
    OnRecordingProgress(0);
    SetInputsEnabled(false);
}

void MainDialog::OnRecordingProgress(int percent)
{
    m_ui->progressBar->setValue(percent);
    SetPercentLabel(ProgressLabelText(Rate().Sample(percent)));
    setWindowTitle(tr("%1 % Recording… %2").arg(percent).arg(BuildTitleText(0)));
}

void MainDialog::OnRecordingEnded(const RecordingReport& report)
{
    const QString text = RecordingMessage(report);
    // A refusal comes before the window turned busy.
    if (report.outcome != RecordingOutcome::Refused) {
        SetInputsEnabled(true);
        SetBuildTitle(*this, 0);
        EnableLog();
    }
    if (text.isEmpty())
        return;
    const bool succeeded = report.Succeeded();
    const QStringList image = succeeded ? m_session->ImageFiles() : QStringList();
    if (ShowWindowBox(m_presenter, succeeded ? tr("Information") : tr("Recording Failed"), text,
                      succeeded ? BoxKind::Information : BoxKind::Error,
                      image.isEmpty() ? QString() : ShowInFolderText()) == BoxAnswer::Extra)
        ShowInFolder(image, this, m_presenter);
}

void MainDialog::SetPowerOff(std::unique_ptr<PowerOff> powerOff)
{
    m_powerOff = std::move(powerOff);
    UpdateRecordingOptions();
}

void MainDialog::AbortRecording()
{
    m_session->Abort();
}
