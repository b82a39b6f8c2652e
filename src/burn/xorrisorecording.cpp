#include "burn/xorrisorecording.h"

#include "burn/trackfeeder.h"
#include "platform/childstart.h"

#include <algorithm>
#include <csignal>
#include <unistd.h>

namespace {

constexpr int kGraceMs = 3000;

} // namespace

XorrisoRecording::XorrisoRecording()
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    KeepChildWithThisProgram(m_process);
    connect(&m_process, &QProcess::readyRead, this, &XorrisoRecording::ReadOutput);
    connect(&m_process, &QProcess::finished, this, &XorrisoRecording::OnFinished);
}

XorrisoRecording::~XorrisoRecording()
{
    m_process.disconnect(this);
    Abort();
}

bool XorrisoRecording::Start(const QString& program, XorrisoCall call, const QStringList& sources)
{
    m_output.clear();
    m_partial.clear();
    m_aborted = false;
    m_feeder.reset();
    if (sources.size() > 1) {
        call.trackSize = TrackFeeder::TotalSize(sources);
        if (call.trackSize < 0) {
            m_output = QStringLiteral("A chunk of the image cannot be read.\n");
            return false;
        }
        m_feeder = std::make_unique<TrackFeeder>(m_process, sources);
    } else {
        call.trackSize = -1;
        call.source = sources.value(0);
    }
    const QStringList arguments = XorrisoArguments(call);
    m_output = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) + QLatin1Char('\n');
    m_process.start(program, arguments,
                    m_feeder ? QIODevice::ReadWrite : QIODevice::ReadOnly | QIODevice::Unbuffered);
    if (!m_process.waitForStarted()) {
        m_output += m_process.errorString() + QLatin1Char('\n');
        return false;
    }
    if (m_feeder)
        m_feeder->Begin();
    return true;
}

void XorrisoRecording::Abort()
{
    if (!IsRunning())
        return;
    m_aborted = true;
    const qint64 pid = m_process.processId();
    if (pid > 0)
        ::kill(-static_cast<pid_t>(pid), SIGTERM);
    if (!m_process.waitForFinished(kGraceMs) && pid > 0) {
        ::kill(-static_cast<pid_t>(pid), SIGKILL);
        m_process.waitForFinished(-1);
    }
}

void XorrisoRecording::ReadOutput()
{
    m_partial += m_process.readAll();
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
    if (result == RecordingResult::Success)
        emit Progress(100);
    emit Ended(result, status == QProcess::NormalExit ? exitCode : -1);
}

QString XorrisoRecording::ResultText(RecordingResult result, int exitCode)
{
    if (result == RecordingResult::Success)
        return QStringLiteral("The image was recorded successfully.");
    if (result == RecordingResult::Aborted)
        return QStringLiteral("Recording was aborted.");
    return QStringLiteral("Recording failed (xorriso exit code %1).\nSee log for details.")
        .arg(exitCode);
}
