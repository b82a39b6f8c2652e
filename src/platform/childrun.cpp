#include "platform/childrun.h"

#include <QPointer>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <memory>
#include <set>

namespace {

class ChildRun : public QObject
{
public:
    ChildRun(QObject* context, ChildRunDone done)
        : m_context(context), m_hasContext(context != nullptr), m_done(std::move(done))
    {}

    void Start(const ChildRunSpec& spec);

private:
    void Collect();
    void Finish();

    std::unique_ptr<ChildProcess> m_child;
    QTimer m_bound;
    ChildRunResult m_result;
    QPointer<QObject> m_context;
    bool m_hasContext;
    ChildRunDone m_done;
};

// Runs that have not finished. Never destroyed, not even at exit: destroying
// one would end a child that is to outlive the program.
std::set<ChildRun*>& Running()
{
    static auto* running = new std::set<ChildRun*>;
    return *running;
}

QString Resolve(const QString& program)
{
    return program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
}

void ChildRun::Start(const ChildRunSpec& spec)
{
    const QString program = Resolve(spec.program);
    int startError = ENOENT;
    if (!program.isEmpty())
        m_child =
            ChildProcess::Start(program, spec.arguments, ChildStreams{QString(), false, spec.kept},
                                spec.tie, &startError);
    if (!m_child) {
        m_result.startError = startError;
        QTimer::singleShot(0, this, &ChildRun::Finish);
        return;
    }
    connect(&m_child->Channels(), &QIODevice::readyRead, this, &ChildRun::Collect);
    connect(m_child.get(), &ChildProcess::Ended, this, &ChildRun::Finish);
    if (spec.bound) {
        m_bound.setSingleShot(true);
        connect(&m_bound, &QTimer::timeout, this, [this, grace = spec.grace] {
            m_result.overran = true;
            m_child->End(grace);
        });
        m_bound.start(*spec.bound);
    }
}

void ChildRun::Collect()
{
    m_result.output.append(m_child->Channels().readAll());
    if (m_result.output.size() > ChildRunOutputKept)
        m_result.output.remove(0, m_result.output.size() - ChildRunOutputKept);
}

void ChildRun::Finish()
{
    m_bound.stop();
    if (m_child) {
        Collect();
        m_result.status = m_child->Status().value_or(ChildStatus{});
    }
    Running().erase(this);
    if (m_done && (!m_hasContext || m_context))
        m_done(m_result);
    deleteLater();
}

} // namespace

bool ChildRunResult::Succeeded() const
{
    return startError == 0 && !overran && status.exited && status.code == 0;
}

void RunChild(const ChildRunSpec& spec, QObject* context, ChildRunDone done)
{
    auto* run = new ChildRun(context, std::move(done));
    Running().insert(run);
    run->Start(spec);
}
