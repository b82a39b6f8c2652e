#include "controls/openerprocess.h"

#include "platform/childrun.h"

#include <QPointer>
#include <QTimer>

#include <cerrno>
#include <memory>

namespace {

struct Verdict
{
    QPointer<QObject> context;
    LinkOpenDone done;
    bool given = false;

    void Give(const LinkOpenResult& result)
    {
        if (given)
            return;
        given = true;
        if (context && done)
            done(result);
    }
};

// The opener's conclusion: what it printed last (xdg-open first lists each
// browser it tried and did not find).
QString LastLine(const QByteArray& bytes)
{
    return QString::fromLocal8Bit(bytes).trimmed().section(QLatin1Char('\n'), -1).trimmed();
}

LinkOpenResult ResultOfRun(const ChildRunResult& run)
{
    // A missing opener is a missing package, not a missing address; the
    // system's words would only repeat that.
    if (run.startError == ENOENT)
        return {OpenLinkCode::NoOpener, {}};
    // Worded as a failed start of the opener has always been reported.
    if (run.startError != 0)
        return {OpenLinkCode::FileNotFound,
                QStringLiteral("execvp: ") + qt_error_string(run.startError)};
    if (run.Succeeded())
        return {};
    return {OpenLinkCodeOfOpenerExit(run.status.exited ? run.status.code : -1),
            LastLine(run.output)};
}

} // namespace

void RunOpenerProcess(const QString& program, const QString& address, QObject* context,
                      std::chrono::milliseconds patience, LinkOpenDone done)
{
    auto verdict = std::make_shared<Verdict>();
    verdict->context = context;
    verdict->done = std::move(done);
    ChildRunSpec spec;
    spec.program = program;
    spec.arguments = {address};
    spec.kept = ChildOutput::ErrorOnly;
    spec.tie = ChildTie::Loose;
    RunChild(spec, context,
             [verdict](const ChildRunResult& run) { verdict->Give(ResultOfRun(run)); });
    if (context != nullptr)
        QTimer::singleShot(patience, context, [verdict] { verdict->Give({}); });
}
