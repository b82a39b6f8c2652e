#include "imaging/plannedsize.h"

#include <QProcess>

namespace {

constexpr int SectorBytes = 2048;
constexpr int AnswerTimeoutMs = 10000;

} // namespace

qint64 PlannedImageBytes(const QString& program, const QStringList& arguments)
{
    QProcess builder;
    builder.setProcessChannelMode(QProcess::SeparateChannels);
    builder.setStandardInputFile(QProcess::nullDevice());
    builder.setStandardErrorFile(QProcess::nullDevice());
    builder.start(program,
                  QStringList{QStringLiteral("-print-size"), QStringLiteral("-quiet")} + arguments);
    if (!builder.waitForFinished(AnswerTimeoutMs)) {
        builder.kill();
        builder.waitForFinished();
        return -1;
    }
    bool ok = false;
    const qint64 sectors = builder.readAllStandardOutput().trimmed().toLongLong(&ok);
    if (builder.exitStatus() != QProcess::NormalExit || builder.exitCode() != 0 || !ok)
        return -1;
    return sectors * SectorBytes;
}
