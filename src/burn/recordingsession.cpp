#include "burn/recordingsession.h"

#include "burn/discverifier.h"
#include "burn/imagefingerprint.h"
#include "burn/imagehandover.h"
#include "burn/imagelist.h"
#include "burn/poweroffservice.h"
#include "burn/recordingchoices.h"
#include "burn/recordingdevice.h"
#include "burn/xorrisocommand.h"
#include "burn/xorrisorecording.h"
#include "platform/childprocess.h"
#include "recorder/nativerecorder.h"
#include "settings/programsettings.h"

#include <QCoreApplication>
#include <QProcess>

#include <algorithm>

bool RecordingReport::Succeeded() const
{
    return outcome == RecordingOutcome::Recorded || outcome == RecordingOutcome::Verified ||
           outcome == RecordingOutcome::PoweringOff;
}

QString RecordingMessage(const RecordingReport& report)
{
    switch (report.outcome) {
    case RecordingOutcome::Recorded:
        return XorrisoRecording::ResultText(RecordingResult::Success, 0);
    case RecordingOutcome::Verified:
        return QCoreApplication::translate("Recording",
                                           "The image was recorded and verified successfully.");
    case RecordingOutcome::Refused:
        return report.refusal;
    case RecordingOutcome::Failed:
        return XorrisoRecording::ResultText(RecordingResult::Failed, report.exitCode);
    case RecordingOutcome::Unconfirmed:
        return XorrisoRecording::ResultText(RecordingResult::Unconfirmed, report.exitCode);
    case RecordingOutcome::VerifyFailed:
        return QCoreApplication::translate(
            "Recording", "Verification failed: the disc does not match the image.\n"
                         "See log for details.");
    case RecordingOutcome::PoweringOff:
    case RecordingOutcome::Aborted:
        break;
    }
    return {};
}

RecordingPlan PlanFromSettings(ProgramSettings& settings, const RecordingChoices& choices)
{
    RecordingPlan plan;
    plan.recorder = settings.GetDecrypterPath();
    plan.drive = settings.GetDriveletter();
    plan.erase = settings.GetEraseMedia();
    plan.speedText = choices.speedText;
    plan.verify = choices.verify;
    return plan;
}

RecordingSession::RecordingSession() = default;
RecordingSession::~RecordingSession() = default;

void RecordingSession::HandOver(ProgramSettings& settings, const RecordingChoices& choices,
                                const QString& outputFile, int chunkCount)
{
    if (!IsXorrisoRecorder(settings.GetDecrypterPath())) {
        HandOverImage(settings, choices, outputFile, chunkCount);
        return;
    }
    const bool split = settings.GetSplitImageFile();
    const bool record = settings.GetBurnImageFile();
    const QStringList files =
        split ? ImageChunkFiles(outputFile, chunkCount) : QStringList{outputFile};
    // A failed fingerprint still leaves the image pending, so that its
    // recording is refused with a box rather than skipped silently.
    const HandOverResult result = HandOver({outputFile, files, split}, record);
    if (record && !result.taken)
        m_pendingImage = outputFile;
}

HandOverResult RecordingSession::HandOver(const BuiltImage& image, bool record)
{
    HandOverResult result;
    if (image.split)
        result.listWritten =
            WriteImageListFile(image.outputFile, static_cast<int>(image.files.size()));
    result.taken = record && TakeImage(image.files);
    return result;
}

bool RecordingSession::TakeImage(const QStringList& files)
{
    // An image that was not taken must not stay pending from an earlier one.
    m_pendingImage.clear();
    m_image = std::make_unique<ImageFingerprint>();
    if (m_image->Take(files)) {
        m_pendingImage = files.value(0);
        return true;
    }
    m_image.reset();
    return false;
}

qint64 RecordingSession::ImageBytes() const
{
    return m_image == nullptr ? 0 : std::max<qint64>(m_image->ImageLength(), 0);
}

QStringList RecordingSession::ImageFiles() const
{
    return m_image == nullptr ? QStringList() : m_image->Files();
}

// Why the pending image must not be recorded; empty when it may be.
QString RecordingSession::Refusal(const QString& image) const
{
    if (!IsRecordingDevice(m_plan.drive))
        return RecordingDeviceRefusal(m_plan.drive);
    const QString changed = m_image == nullptr ? image : m_image->ChangedFile();
    if (changed.isEmpty())
        return {};
    return QCoreApplication::translate(
               "Recording", "Nothing was recorded: \"%1\" is no longer the file that was built "
                            "and checked.\nBuild the image again.")
        .arg(changed);
}

void RecordingSession::StartPending(const RecordingPlan& plan)
{
    if (m_pendingImage.isEmpty())
        return;
    const QString image = m_pendingImage;
    m_pendingImage.clear();
    m_plan = plan;
    const QString refusal = Refusal(image);
    if (!refusal.isEmpty()) {
        emit Ended({RecordingOutcome::Refused, -1, refusal});
        return;
    }
    XorrisoCall call;
    call.drive = plan.drive;
    call.erase = plan.erase;
    call.speedText = plan.speedText;
    call.imageLength = m_image->ImageLength();
    // The disc stays in until it has been read back.
    call.eject = plan.eject && !plan.verify;
    m_recording = std::make_unique<XorrisoRecording>();
    connect(m_recording.get(), &XorrisoRecording::Progress, this, &RecordingSession::Progress);
    connect(m_recording.get(), &XorrisoRecording::Ended, this, &RecordingSession::OnRecorded);
    emit PhaseChanged(RecordingPhase::Recording);
    if (!m_recording->Start(plan.recorder, call, m_image->Files()))
        OnRecorded(RecordingResult::Failed, -1);
}

void RecordingSession::OnRecorded(RecordingResult result, int exitCode)
{
    if (result == RecordingResult::Success && m_plan.verify) {
        emit PhaseChanged(RecordingPhase::Verifying);
        m_verifier = std::make_unique<DiscVerifier>();
        connect(m_verifier.get(), &DiscVerifier::Finished, this, &RecordingSession::OnVerified);
        m_verifier->Start(m_image->Files(), m_image->ImageLength(), m_plan.drive);
        return;
    }
    RecordingOutcome outcome = RecordingOutcome::Failed;
    if (result == RecordingResult::Success)
        outcome = RecordingOutcome::Recorded;
    else if (result == RecordingResult::Aborted)
        outcome = RecordingOutcome::Aborted;
    else if (result == RecordingResult::Unconfirmed)
        outcome = RecordingOutcome::Unconfirmed;
    emit Ended({outcome, exitCode, QString()});
}

void RecordingSession::OnVerified(bool matches)
{
    // Followed like every child, so that it ends with the program; a failed
    // eject only leaves the disc in.
    if (m_plan.eject) {
        int ejectError = 0;
        m_eject = ChildProcess::Start(m_plan.recorder, XorrisoEjectArguments(m_plan.drive),
                                      QProcess::nullDevice(), &ejectError);
    }
    // Only a disc known to be good may end the session unattended.
    PowerOffService* powerOff = m_plan.powerOff;
    if (matches && powerOff != nullptr && powerOff->Available() && powerOff->Request()) {
        emit Ended({RecordingOutcome::PoweringOff, 0, QString()});
        return;
    }
    emit Ended({matches ? RecordingOutcome::Verified : RecordingOutcome::VerifyFailed, 0, {}});
}

bool RecordingSession::IsRunning() const
{
    return (m_recording != nullptr && m_recording->IsRunning()) ||
           (m_verifier != nullptr && m_verifier->IsRunning());
}

void RecordingSession::Abort()
{
    if (m_recording != nullptr && m_recording->IsRunning())
        m_recording->Abort();
    if (m_verifier != nullptr && m_verifier->IsRunning()) {
        m_verifier->Cancel();
        emit Ended({RecordingOutcome::Aborted, -1, QString()});
    }
}

void RecordingSession::Stop()
{
    m_pendingImage.clear();
    if (m_verifier != nullptr)
        m_verifier->Cancel();
}
