#pragma once

#include "burn/xorrisocommand.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

class ChildProcess;
class TrackFeeder;

enum class RecordingResult
{
    Success,
    Failed,
    Aborted,
    Unconfirmed, // exit code 0, but xorriso did not report the whole image written
};

// Follows one xorriso recording run, started without a shell in a process
// group of its own: its output lines, the percentage they report, and its end.
// The group is ended on Abort and when this object goes, so nothing outlives it.
class XorrisoRecording : public QObject
{
    Q_OBJECT

public:
    XorrisoRecording();
    ~XorrisoRecording() override;
    XorrisoRecording(const XorrisoRecording&) = delete;
    XorrisoRecording& operator=(const XorrisoRecording&) = delete;

    // Records sources to the call's drive: one image file as it is, or several
    // chunks streamed in order as one track. False when it cannot start; the
    // reason is in Output().
    [[nodiscard]] bool Start(const QString& program, XorrisoCall call, const QStringList& sources);

    // Ends the run's process group (SIGTERM, SIGKILL after a grace) without
    // waiting; Ended(Aborted) follows once it has ended.
    void Abort();

    [[nodiscard]] bool IsRunning() const;
    [[nodiscard]] qint64 Pid() const;

    // Everything the run wrote, and the reason of a failed start.
    [[nodiscard]] QString Output() const { return m_output; }

    // The user-facing texts of a result.
    [[nodiscard]] static QString ResultText(RecordingResult result, int exitCode);

signals:
    void Progress(int percent);
    void Ended(RecordingResult result, int exitCode);

private:
    void ReadOutput();
    void TakeLine(const QString& line);
    void OnFinished(int exitCode, QProcess::ExitStatus status);
    void ExpectWrite(const XorrisoCall& call, const QStringList& sources);
    [[nodiscard]] bool WriteConfirmed() const;
    [[nodiscard]] QString UnconfirmedReason() const;

    std::unique_ptr<ChildProcess> m_child;
    std::unique_ptr<TrackFeeder> m_feeder;
    QString m_output;
    QByteArray m_partial;
    bool m_aborted = false;
    QString m_completionLine; // xorriso's own word that the write succeeded
    bool m_completed = false;
    qint64 m_expectedBytes = -1;
    qint64 m_reportedBlocks = -1; // the data blocks of the medium after the write
};
