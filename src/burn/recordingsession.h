#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class ChildProcess;
class DiscVerifier;
class ImageFingerprint;
class PowerOffService;
class ProgramSettings;
struct RecordingChoices;
class XorrisoRecording;
enum class RecordingResult;

enum class RecordingPhase
{
    Recording,
    Verifying,
};

enum class RecordingOutcome
{
    Recorded,
    Verified,
    PoweringOff,  // verified, and the system agreed to power off
    Refused,      // nothing was written: see RecordingReport::refusal
    Failed,       // xorriso failed or could not start
    Unconfirmed,  // xorriso exited 0 without reporting the whole image written
    VerifyFailed, // the disc does not hold the image
    Aborted,
};

struct RecordingReport
{
    RecordingOutcome outcome = RecordingOutcome::Failed;
    int exitCode = -1;
    QString refusal;

    [[nodiscard]] bool Succeeded() const;
};

// The user-facing text of a report; empty for an abort and a power-off.
[[nodiscard]] QString RecordingMessage(const RecordingReport& report);

// How one native recording is to run.
struct RecordingPlan
{
    QString recorder; // the xorriso program
    QString drive;
    QString speedText;
    bool erase = false;
    bool verify = false;
    bool eject = true;
    PowerOffService* powerOff = nullptr; // asked after a verified recording; null for never
};

// A complete image as the build left it.
struct BuiltImage
{
    QString outputFile;
    QStringList files;  // its file, or its chunks in order
    bool split = false; // the chunks are listed beside it for the recorder
};

// What became of a hand-over of a built image.
struct HandOverResult
{
    bool listWritten = true; // false: a split image's list could not be written
    bool taken = false;      // the image waits for StartPending
};

// One image from its check to the recorder: the image list, the hand-off to
// the Windows recorder, or, natively, the fingerprint, xorriso, the read-back,
// the eject and the decision to power off.
class RecordingSession : public QObject
{
    Q_OBJECT

public:
    RecordingSession();
    ~RecordingSession() override;
    RecordingSession(const RecordingSession&) = delete;
    RecordingSession& operator=(const RecordingSession&) = delete;

    // After a complete image, as the settings say: writes a split image's list,
    // then starts the Windows recorder at once, detached, or keeps what the check
    // read for xorriso, which waits for StartPending. chunkCount: the chunks the
    // build wrote. A list that cannot be written is skipped without a message.
    void HandOver(ProgramSettings& settings, const RecordingChoices& choices,
                  const QString& outputFile, int chunkCount);
    // The same for xorriso alone, as the caller decided: writes a split image's
    // list, then, when it is to be recorded, keeps its files for StartPending.
    HandOverResult HandOver(const BuiltImage& image, bool record);
    // Keeps an existing image (its file, or its chunks in order) for StartPending.
    // False when the files do not hold the file system they start; nothing is
    // pending then.
    [[nodiscard]] bool TakeImage(const QStringList& files);
    [[nodiscard]] bool HasPendingImage() const { return !m_pendingImage.isEmpty(); }
    // The bytes a recording of the taken image writes; 0 before one was taken.
    [[nodiscard]] qint64 ImageBytes() const;
    // The taken image's file, or its chunks in order; empty before one was taken.
    [[nodiscard]] QStringList ImageFiles() const;

    // Records the pending image. Ended follows, at once when it is refused.
    void StartPending(const RecordingPlan& plan);
    void Abort();
    // For a program that quits: forgets the pending image and stops a read-back,
    // without a report; the children end with the program.
    void Stop();
    [[nodiscard]] bool IsRunning() const;
    // The last xorriso run, kept after its end for its output; null before.
    [[nodiscard]] const XorrisoRecording* Recording() const { return m_recording.get(); }

signals:
    void Progress(int percent);
    void PhaseChanged(RecordingPhase phase);
    void Ended(const RecordingReport& report);

private:
    [[nodiscard]] QString Refusal(const QString& image) const;
    void OnRecorded(RecordingResult result, int exitCode);
    void OnVerified(bool matches);

    RecordingPlan m_plan;
    QString m_pendingImage; // waits for StartPending
    std::unique_ptr<ImageFingerprint> m_image;
    std::unique_ptr<XorrisoRecording> m_recording;
    std::unique_ptr<DiscVerifier> m_verifier;
    std::unique_ptr<ChildProcess> m_eject;
};

// The plan the settings and the window's choices make: the window always ejects.
[[nodiscard]] RecordingPlan PlanFromSettings(ProgramSettings& settings,
                                             const RecordingChoices& choices);
