#include "burn/xorrisorecording.h"

#include "burn/trackfeeder.h"
#include "platform/childprocess.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

// xorriso ends a write cleanly on SIGTERM; a drive may need a moment for that.
constexpr std::chrono::milliseconds kGrace(3000);
constexpr qint64 kBlockBytes = 2048;
// A drive, and xorriso's pseudo-drive, may pad the track up to its 64 KiB write unit.
constexpr qint64 kPadBlocks = 32;

// A text as xorriso quotes it in its messages: in single quotes, each quote as '"'"'.
QString XorrisoQuoted(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\"'\"'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// The data blocks of "Media summary: 1 session, 321 data blocks, 642k data, ..."; -1 for others.
qint64 SummaryBlocks(const QString& line)
{
    static const QRegularExpression summary(
        QStringLiteral("^Media summary: \\d+ sessions?, (\\d+) data blocks?,"));
    const QRegularExpressionMatch match = summary.match(line);
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

} // namespace

XorrisoRecording::XorrisoRecording() = default;

// The child goes first: its group is ended there, and no signal of it reaches
// a recording that is half destroyed.
XorrisoRecording::~XorrisoRecording()
{
    m_feeder.reset();
    if (!m_child)
        return;
    m_child->disconnect(this);
    m_child->EndGroup(kGrace);
    m_child.reset();
}

bool XorrisoRecording::IsRunning() const
{
    return m_child && !m_child->Reaped();
}

qint64 XorrisoRecording::Pid() const
{
    return m_child ? m_child->Pid() : 0;
}

bool XorrisoRecording::Start(const QString& program, XorrisoCall call, const QStringList& sources)
{
    m_output.clear();
    m_partial.clear();
    m_aborted = false;
    m_feeder.reset();
    m_child.reset();
    const bool streamed = sources.size() > 1;
    if (streamed) {
        call.trackSize = TrackFeeder::TotalSize(sources);
        if (call.trackSize < 0) {
            m_output =
                QCoreApplication::translate("Recording", "A chunk of the image cannot be read.\n");
            return false;
        }
    } else {
        call.trackSize = -1;
        call.source = sources.value(0);
    }
    ExpectWrite(call, sources);
    const QStringList arguments = XorrisoArguments(call);
    m_output = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) + QLatin1Char('\n');
    int startError = 0;
    m_child =
        ChildProcess::Start(program, arguments, ChildStreams{QString(), streamed}, &startError);
    if (!m_child) {
        m_output += qt_error_string(startError) + QLatin1Char('\n');
        return false;
    }
    connect(&m_child->Channels(), &QProcess::readyRead, this, &XorrisoRecording::ReadOutput);
    connect(m_child.get(), &ChildProcess::Ended, this, [this] {
        const ChildStatus status = m_child->Status().value_or(ChildStatus{});
        OnFinished(status.exited ? status.code : status.signal,
                   status.exited ? QProcess::NormalExit : QProcess::CrashExit);
    });
    if (streamed) {
        m_feeder = std::make_unique<TrackFeeder>(m_child->Channels(), sources);
        m_feeder->Begin();
    }
    return true;
}

void XorrisoRecording::Abort()
{
    if (!IsRunning())
        return;
    m_aborted = true;
    m_child->End(kGrace);
}

void XorrisoRecording::ReadOutput()
{
    m_partial += m_child->Channels().readAll();
    // Progress lines may end with a carriage return only.
    for (;;) {
        const auto end = std::find_if(m_partial.cbegin(), m_partial.cend(),
                                      [](char c) { return c == '\n' || c == '\r'; });
        if (end == m_partial.cend())
            return;
        const qsizetype at = end - m_partial.cbegin();
        TakeLine(QString::fromLocal8Bit(m_partial.left(at)).trimmed());
        m_partial.remove(0, at + 1);
    }
}

void XorrisoRecording::TakeLine(const QString& line)
{
    if (line.isEmpty())
        return;
    m_output += line + QLatin1Char('\n');
    if (const std::optional<int> percent = RecordingPercent(line))
        emit Progress(*percent);
    if (line == m_completionLine)
        m_completed = true;
    // Only the medium as xorriso finds it again after the write counts.
    const qint64 blocks = SummaryBlocks(line);
    if (m_completed && blocks >= 0)
        m_reportedBlocks = blocks;
}

void XorrisoRecording::ExpectWrite(const XorrisoCall& call, const QStringList& sources)
{
    m_completionLine =
        QStringLiteral("Writing to %1 completed successfully.").arg(XorrisoQuoted(call.drive));
    m_completed = false;
    m_reportedBlocks = -1;
    m_expectedBytes = call.imageLength;
    if (m_expectedBytes < 0)
        m_expectedBytes = call.trackSize >= 0 ? call.trackSize : QFileInfo(sources.value(0)).size();
}

// An exit code 0 alone proves nothing: a wrong program, or a write that went
// elsewhere, exits 0 too. xorriso must say the write to this device completed,
// and the medium must then hold the image's blocks, no fewer and no more than padding.
bool XorrisoRecording::WriteConfirmed() const
{
    const qint64 expected = (m_expectedBytes + kBlockBytes - 1) / kBlockBytes;
    const qint64 padded = (expected + kPadBlocks - 1) / kPadBlocks * kPadBlocks;
    return m_completed && m_reportedBlocks >= expected && m_reportedBlocks <= padded;
}

// For the log: what was missing from xorriso's report.
QString XorrisoRecording::UnconfirmedReason() const
{
    if (!m_completed)
        return QCoreApplication::translate("Recording", "xorriso did not report \"%1\"\n")
            .arg(m_completionLine);
    return QCoreApplication::translate(
               "Recording", "xorriso reported %1 data blocks on the medium; the image has %2.\n")
        .arg(m_reportedBlocks)
        .arg((m_expectedBytes + kBlockBytes - 1) / kBlockBytes);
}

void XorrisoRecording::OnFinished(int exitCode, QProcess::ExitStatus status)
{
    ReadOutput();
    if (!m_partial.isEmpty())
        TakeLine(QString::fromLocal8Bit(m_partial).trimmed());
    m_partial.clear();
    RecordingResult result = RecordingResult::Success;
    if (m_aborted)
        result = RecordingResult::Aborted;
    else if (status != QProcess::NormalExit || exitCode != 0 || (m_feeder && m_feeder->Failed()))
        result = RecordingResult::Failed;
    else if (!WriteConfirmed()) {
        result = RecordingResult::Unconfirmed;
        m_output += UnconfirmedReason();
    }
    if (result == RecordingResult::Success)
        emit Progress(100);
    emit Ended(result, status == QProcess::NormalExit ? exitCode : -1);
}

QString XorrisoRecording::ResultText(RecordingResult result, int exitCode)
{
    if (result == RecordingResult::Success)
        return QCoreApplication::translate("Recording", "The image was recorded successfully.");
    if (result == RecordingResult::Aborted)
        return QCoreApplication::translate("Recording", "Recording was aborted.");
    if (result == RecordingResult::Unconfirmed)
        return QCoreApplication::translate(
            "Recording", "Recording failed: xorriso did not report the whole image as "
                         "written.\nSee log for details.");
    return QCoreApplication::translate(
               "Recording", "Recording failed (xorriso exit code %1).\nSee log for details.")
        .arg(exitCode);
}
