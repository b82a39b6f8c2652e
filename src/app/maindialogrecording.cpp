// The main window's view of a recording: busy state, progress, title, log and
// the outcome's box. The recording itself runs in the RecordingSession.
#include "app/maindialog.h"

#include "app/poweroff.h"
#include "app/progressview.h"
#include "burn/recordingchoices.h"
#include "burn/recordingsession.h"
#include "controls/messagebox.h"
#include "dialogs/settingsnotices.h"
#include "ui_maindialog.h"

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

void MainDialog::OnRecordingPhase(RecordingPhase phase)
{
    if (phase == RecordingPhase::Verifying) {
        setWindowTitle(tr("Verifying… %1").arg(BuildTitleText(0)));
        return;
    }
    OnRecordingProgress(0);
    SetInputsEnabled(false);
}

void MainDialog::OnRecordingProgress(int percent)
{
    m_ui->progressBar->setValue(percent);
    SetPercentLabel(PercentLabelText(percent));
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
    ShowWindowBox(m_presenter, report.Succeeded() ? tr("Information") : tr("Recording Failed"),
                  text, report.Succeeded() ? BoxKind::Information : BoxKind::Error);
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
