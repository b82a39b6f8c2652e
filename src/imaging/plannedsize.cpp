#include "imaging/plannedsize.h"

#include "platform/childrun.h"

namespace {

constexpr int SectorBytes = 2048;
constexpr std::chrono::seconds AnswerTimeout{10};

} // namespace

void AskPlannedImageBytes(const QString& program, const QStringList& arguments, QObject* context,
                          std::function<void(qint64 bytes)> done)
{
    ChildRunSpec spec;
    spec.program = program;
    spec.arguments =
        QStringList{QStringLiteral("-print-size"), QStringLiteral("-quiet")} + arguments;
    spec.kept = ChildOutput::OutputOnly;
    spec.bound = AnswerTimeout;
    RunChild(spec, context, [done = std::move(done)](const ChildRunResult& result) {
        bool ok = false;
        const qint64 sectors = result.output.trimmed().toLongLong(&ok);
        done(result.Succeeded() && ok ? sectors * SectorBytes : -1);
    });
}
