// The main window's side of native recording: after a build, xorriso is
// followed here like a build, with busy state, progress, Abort, log and outcome.
#include "app/maindialog.h"

#include "app/poweroff.h"
#include "burn/discverifier.h"
#include "burn/imagefingerprint.h"
#include "burn/imagehandover.h"
#include "burn/imagelist.h"
#include "burn/recordingdevice.h"
#include "burn/xorrisocommand.h"
#include "burn/xorrisorecording.h"
#include "dialogs/logdialog.h"
#include "imaging/progressview.h"
#include "platform/childprocess.h"
#include "platform/messagebox.h"
#include "settings/programsettings.h"
#include "ui_maindialog.h"

#include <QProcess>

bool MainDialog::IsRecording() const
{
    return (m_recording != nullptr && m_recording->IsRunning()) ||
           (m_verifier != nullptr && m_verifier->IsRunning());
}

void MainDialog::OnImageBuilt(const QString& outputFile, int chunkCount)
{
    if (!IsXorrisoRecorder(Settings().GetDecrypterPath())) {
        HandOverImage(Settings(), *this, outputFile, chunkCount);
        return;
    }
    WriteImageList(Settings(), outputFile, chunkCount);
    if (Settings().GetBurnImageFile() != 1)
        return;
    // The build still shows its own outcome and leaves the busy state first.
    // What its check has just read is kept, so that only that image is recorded.
    m_pendingImage = outputFile;
    m_image = std::make_unique<ImageFingerprint>();
    const QStringList files = Settings().GetSplitImageFile() == 1
                                  ? ImageChunkFiles(outputFile, chunkCount)
                                  : QStringList{outputFile};
    if (!m_image->Take(files))
        m_image.reset();
}

// Why the pending image must not be recorded; empty when it may be.
QString MainDialog::RecordingRefusal(const QString& image, const QString& drive) const
{
    if (!IsRecordingDevice(drive))
        return RecordingDeviceRefusal(drive);
    const QString changed = m_image == nullptr ? image : m_image->ChangedFile();
    if (changed.isEmpty())
        return {};
    return QStringLiteral("Nothing was recorded: \"%1\" is no longer the file that was built "
                          "and checked.\nBuild the image again.")
        .arg(changed);
}

void MainDialog::StartPendingRecording()
{
    if (m_pendingImage.isEmpty())
        return;
    const QString image = m_pendingImage;
    m_pendingImage.clear();
    m_drive = Settings().GetDriveletter();
    const QString refusal = RecordingRefusal(image, m_drive);
    if (!refusal.isEmpty()) {
        ShowWindowBox(m_presenter, QStringLiteral("Recording Failed"), refusal, BoxKind::Error);
        return;
    }
    XorrisoCall call;
    call.drive = m_drive;
    call.erase = Settings().GetEraseMedia() == 1;
    call.speedText = SelectedSpeedText();
    call.imageLength = m_image->ImageLength();
    // The disc stays in until it has been read back.
    call.eject = m_verify == 0;
    m_recording = std::make_unique<XorrisoRecording>();
    connect(m_recording.get(), &XorrisoRecording::Progress, this, &MainDialog::OnRecordingProgress);
    connect(m_recording.get(), &XorrisoRecording::Ended, this, &MainDialog::OnRecordingEnded);
    OnRecordingProgress(0);
    SetInputsEnabled(false);
    if (!m_recording->Start(Settings().GetDecrypterPath(), call, m_image->Files()))
        OnRecordingEnded(RecordingResult::Failed, -1);
}

void MainDialog::OnRecordingProgress(int percent)
{
    m_ui->progressBar->setValue(percent);
    SetPercentLabel(PercentLabelText(percent));
    setWindowTitle(QStringLiteral("%1 % Recording… %2").arg(percent).arg(BuildTitleText(0)));
}

void MainDialog::OnRecordingEnded(RecordingResult result, int exitCode)
{
    if (result == RecordingResult::Aborted) {
        EndRecording(false, QString());
        return;
    }
    if (result == RecordingResult::Success && m_verify != 0) {
        setWindowTitle(QStringLiteral("Verifying… %1").arg(BuildTitleText(0)));
        m_verifier = std::make_unique<DiscVerifier>();
        connect(m_verifier.get(), &DiscVerifier::Finished, this, &MainDialog::OnVerified);
        m_verifier->Start(m_image->Files(), m_image->ImageLength(), m_drive);
        return;
    }
    EndRecording(result == RecordingResult::Success,
                 XorrisoRecording::ResultText(result, exitCode));
}

void MainDialog::SetPowerOff(std::unique_ptr<PowerOff> powerOff)
{
    m_powerOff = std::move(powerOff);
    UpdateRecordingOptions();
}

void MainDialog::OnVerified(bool matches)
{
    // Followed like every child, so that it ends with the program; a failed
    // eject only leaves the disc in.
    int ejectError = 0;
    m_eject = ChildProcess::Start(Settings().GetDecrypterPath(),
                                  XorrisoEjectArguments(Settings().GetDriveletter()),
                                  QProcess::nullDevice(), &ejectError);
    // Only a disc known to be good may end the session unattended.
    if (matches && m_shutdown != 0 && m_powerOff->Available() && m_powerOff->Request()) {
        EndRecording(true, QString());
        return;
    }
    EndRecording(matches, matches
                              ? QStringLiteral("The image was recorded and verified successfully.")
                              : QStringLiteral("Verification failed: the disc does not match the "
                                               "image.\nSee log for details."));
}

void MainDialog::EndRecording(bool success, const QString& text)
{
    SetInputsEnabled(true);
    SetBuildTitle(*this, 0);
    EnableLog();
    if (text.isEmpty())
        return;
    ShowWindowBox(m_presenter,
                  success ? QStringLiteral("Information") : QStringLiteral("Recording Failed"),
                  text, success ? BoxKind::Information : BoxKind::Error);
}

void MainDialog::AbortRecording()
{
    if (m_recording != nullptr && m_recording->IsRunning())
        m_recording->Abort();
    if (m_verifier != nullptr && m_verifier->IsRunning()) {
        m_verifier->Cancel();
        EndRecording(false, QString());
    }
}
