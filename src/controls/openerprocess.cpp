#include "controls/openerprocess.h"

#include <QPointer>
#include <QProcess>
#include <QTimer>

#include <memory>
#include <set>

namespace {

// Openers still running. Held here so that none is destroyed (which would kill
// it) and none counts as leaked when the program ends before it does.
std::set<QProcess*>& Running()
{
    static std::set<QProcess*> running;
    return running;
}

constexpr qsizetype MaxErrorBytes = 4096;

struct Verdict
{
    QPointer<QObject> context;
    LinkOpenDone done;
    QByteArray errors;
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

void Forget(QProcess* process)
{
    Running().erase(process);
    process->deleteLater();
}

} // namespace

void RunOpenerProcess(const QString& program, const QString& address, QObject* context,
                      std::chrono::milliseconds patience, LinkOpenDone done)
{
    auto verdict = std::make_shared<Verdict>();
    verdict->context = context;
    verdict->done = std::move(done);
    auto* process = new QProcess;
    Running().insert(process);
    process->setProgram(program);
    process->setArguments({address});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::readyReadStandardError, process, [process, verdict] {
        const QByteArray more = process->readAllStandardError();
        verdict->errors.append(more.left(MaxErrorBytes - verdict->errors.size()));
    });
    QObject::connect(process, &QProcess::finished, process,
                     [process, verdict](int exitCode, QProcess::ExitStatus status) {
                         verdict->errors.append(process->readAllStandardError());
                         if (status == QProcess::NormalExit && exitCode == 0)
                             verdict->Give({});
                         else
                             verdict->Give({OpenLinkCodeOfOpenerExit(
                                                status == QProcess::NormalExit ? exitCode : -1),
                                            LastLine(verdict->errors)});
                         Forget(process);
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, verdict](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         verdict->Give({OpenLinkCode::FileNotFound, process->errorString()});
                         Forget(process);
                     });
    QTimer::singleShot(patience, process, [verdict] { verdict->Give({}); });
    process->start();
}
