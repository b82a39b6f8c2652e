#include "imaging/buildmonitor.h"

#include "imaging/outcome.h"
#include "platform/childprocess.h"
#include "support/eventloop.h"

#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

const MonitorTimings kFast{30ms, 100ms, 100ms};

// True once the process is gone and reaped: neither running nor a zombie.
bool Reaped(pid_t pid)
{
    siginfo_t info{};
    return waitid(P_PID, pid, &info, WEXITED | WNOHANG | WNOWAIT) == -1 && errno == ECHILD;
}

class BuildMonitorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_capture = open(QFile::encodeName(Path("capture")).constData(),
                         O_CREAT | O_RDWR | O_APPEND | O_CLOEXEC, 0600);
        m_hooks = {[this] {
                       m_events << QStringLiteral("on success");
                       return m_complete;
                   },
                   [this] { m_events << QStringLiteral("on failure"); }};
    }
    void TearDown() override
    {
        m_monitor.reset();
        close(m_capture);
        qunsetenv("ISOMINT_FAKE_MKISOFS_SCRIPT");
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }
    void Touch(const QString& name) const { QFile(Path(name)).open(QIODevice::WriteOnly); }
    bool Exists(const QString& name) const { return QFile::exists(Path(name)); }

    // Starts the fake with the script under the monitor.
    void Start(const QStringList& script, MonitorTimings timings = kFast)
    {
        QFile file(Path("script"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QFile::encodeName(script.join('\n') + '\n'));
        file.close();
        qputenv("ISOMINT_FAKE_MKISOFS_SCRIPT", QFile::encodeName(file.fileName()));
        int error = -1;
        auto child = ChildProcess::Start(ISOMINT_FAKE_MKISOFS, {}, Path("capture"), &error);
        ASSERT_NE(child, nullptr);
        m_pid = child->Pid();
        m_monitor = MakeMonitor(timings);
        m_monitor->Start(std::move(child), 0, m_capture, m_hooks);
    }

    // Records the end in the events, with the message a face shows for it.
    std::unique_ptr<BuildMonitor> MakeMonitor(MonitorTimings timings)
    {
        auto monitor = std::make_unique<BuildMonitor>(timings);
        QObject::connect(monitor.get(), &BuildMonitor::Progress, monitor.get(),
                         [this](int percent) { m_positions << percent; });
        QObject::connect(monitor.get(), &BuildMonitor::Ended, monitor.get(),
                         [this](const BuildResult& result) {
                             m_result = result;
                             m_events << (ShowsNoBox(result) ? QStringLiteral("ended silently")
                                                             : QStringLiteral("ended"));
                         });
        QObject::connect(monitor.get(), &BuildMonitor::Finished, monitor.get(),
                         [this] { m_events << QStringLiteral("finished"); });
        return monitor;
    }

    int Position() const { return m_positions.isEmpty() ? -1 : m_positions.last(); }
    QString Message() const { return ResultBox(m_result).text; }
    std::string Events() const { return m_events.join(" | ").toStdString(); }

    bool WaitForEnd() const
    {
        return RunUntil([this] { return !m_monitor->IsRunning(); });
    }

    bool WaitForPosition(int percent) const
    {
        return RunUntil([this, percent] { return Position() == percent; });
    }

    QTemporaryDir m_dir;
    int m_capture = -1;
    QStringList m_events;   // the hooks called and the end, in order
    QList<int> m_positions; // every percentage reported, in order
    BuildResult m_result;
    std::unique_ptr<BuildMonitor> m_monitor;
    BuildHooks m_hooks;
    bool m_complete = true; // what the success hook answers
    pid_t m_pid = 0;
};

TEST_F(BuildMonitorTest, ShowsTheNewestPercentageAndEndsAtOneHundred)
{
    Start({"out   42.17% done, estimate finish Tue Dec  8 00:00:00 2026", "waitfor " + Path("go1"),
           "out 12345 bytes written", "touch " + Path("printed"), "waitfor " + Path("go2"),
           "out warning: plain text", "waitfor " + Path("go3"), "out 99% done", "exit 0"});
    ASSERT_TRUE(WaitForPosition(42));

    // A number above 100 leaves the percentage as it was, poll after poll.
    Touch("go1");
    ASSERT_TRUE(RunUntil([this] { return Exists("printed"); }));
    const qsizetype polls = m_positions.size();
    ASSERT_TRUE(RunUntil([&] { return m_positions.size() >= polls + 2; }));
    EXPECT_EQ(Position(), 42);

    // Plain text gives 0.
    Touch("go2");
    ASSERT_TRUE(WaitForPosition(0));

    Touch("go3");
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(Position(), 100);
    // The owner's check of the image, then the end, and only then the finish.
    EXPECT_EQ(Events(), "on success | ended | finished");
    EXPECT_EQ(m_result.outcome, BuildOutcome::Built);
    EXPECT_EQ(Message(), "Action successfully completed!\nSee log for details.");
    EXPECT_TRUE(Reaped(m_pid));
}

// Another exit code, a foreign signal, or an image the owner finds incomplete
// after exit code 0 all tell of mkisofs errors. After a failure the last
// percentage parsed stays.
TEST_F(BuildMonitorTest, EveryOtherEndReportsMkisofsErrors)
{
    const struct
    {
        QString last; // the script's last line
        bool complete;
        const char* events;
        BuildOutcome outcome;
        int position; // -1: not pinned
    } cases[] = {
        {"exit 255", true, "on failure | ended | finished", BuildOutcome::BuildFailed, 37},
        {"signal " + QString::number(SIGTERM), true, "on failure | ended | finished",
         BuildOutcome::BuildFailed, -1},
        {"exit 0", false, "on success | on failure | ended | finished", BuildOutcome::CheckFailed,
         -1},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.last.toStdString());
        m_events.clear();
        m_complete = test.complete;
        QFile::remove(Path("go"));
        Start({"out  37.5% done", "waitfor " + Path("go"), test.last});
        ASSERT_TRUE(WaitForPosition(37));
        Touch("go");
        ASSERT_TRUE(WaitForEnd());
        if (test.position >= 0) {
            EXPECT_EQ(Position(), test.position);
        }
        EXPECT_EQ(Events(), test.events);
        EXPECT_EQ(m_result.outcome, test.outcome);
        EXPECT_EQ(Message(), "\"mkisofs\" reports some errors.\nSee log for details.");
    }
}

TEST_F(BuildMonitorTest, AFailedStartIsReportedAtTheFirstPollWithItsErrno)
{
    m_monitor = MakeMonitor(MonitorTimings{50ms, 200ms, 100ms});
    QElapsedTimer elapsed;
    elapsed.start();
    m_monitor->Start(nullptr, ENOENT, m_capture, m_hooks);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_GE(elapsed.elapsed(), 250);
    EXPECT_EQ(Events(), "on failure | ended | finished");
    EXPECT_TRUE(Message().startsWith("System Error # 2!\n\n"));
    EXPECT_EQ(Position(), 0);
}

// Abort ends the child with SIGTERM, with SIGKILL after the grace when it
// ignores that, and is seen even during the first delay, before any look.
// What mkisofs wrote stays.
TEST_F(BuildMonitorTest, AbortEndsTheChildAndFinishesWithoutAMessage)
{
    const struct
    {
        QStringList script;
        MonitorTimings timings;
        int percent; // printed before the abort; -1: the abort comes before the first look
        int signal;
        QByteArray written;
    } cases[] = {
        {{"out 50% done", "sleep 60000"}, kFast, 50, SIGTERM, "50% done\n"},
        {{"ignoreterm", "out 10% done", "sleep 60000"}, kFast, 10, SIGKILL, "10% done\n"},
        {{"sleep 60000"}, {200ms, 60s, 100ms}, -1, SIGTERM, ""},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.percent);
        m_events.clear();
        ASSERT_EQ(ftruncate(m_capture, 0), 0);
        Start(test.script, test.timings);
        if (test.percent >= 0) {
            ASSERT_TRUE(WaitForPosition(test.percent));
        }
        m_monitor->Abort();
        EXPECT_TRUE(m_monitor->IsRunning());
        ASSERT_TRUE(WaitForEnd());
        EXPECT_EQ(Events(), "on failure | ended silently | finished");
        EXPECT_EQ(m_result.outcome, BuildOutcome::Aborted);
        EXPECT_EQ(Position(), 0);
        ASSERT_TRUE(RunUntil([this] { return Reaped(m_pid); }));
        EXPECT_EQ(m_monitor->Child()->Status()->signal, test.signal);
        QFile capture(Path("capture"));
        ASSERT_TRUE(capture.open(QIODevice::ReadOnly));
        EXPECT_EQ(capture.readAll(), test.written);
    }
}

TEST_F(BuildMonitorTest, AnExitCodeZeroBeforeTheAbortStillSucceeds)
{
    Start({"exit 0"}, {300ms, 60s, 100ms});
    ASSERT_TRUE(RunUntil([this] {
        siginfo_t info{};
        return waitid(P_PID, m_pid, &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
               info.si_pid == m_pid;
    }));
    m_monitor->Abort();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(Events(), "on success | ended | finished");
    EXPECT_EQ(m_result.outcome, BuildOutcome::Built);
    EXPECT_EQ(Position(), 100);
}

TEST_F(BuildMonitorTest, TheEndOfTheChildEndsTheWaitAtOnce)
{
    // A poll interval far longer than the test may take: only the wake-up can end it.
    Start({"out 5% done", "waitfor " + Path("go"), "exit 0"}, {10ms, 3600s, 100ms});
    RunFor(50);
    Touch("go");
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(Position(), 100);
}

TEST_F(BuildMonitorTest, NoCaptureToReadEndsSilently)
{
    m_monitor = MakeMonitor(kFast);
    QFile script(Path("script"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("pid " + QFile::encodeName(Path("pid")) + "\nsleep 300\nexit 0\n");
    script.close();
    qputenv("ISOMINT_FAKE_MKISOFS_SCRIPT", QFile::encodeName(script.fileName()));
    int error = -1;
    auto child = ChildProcess::Start(ISOMINT_FAKE_MKISOFS, {}, Path("capture"), &error);
    const pid_t pid = child->Pid();
    m_monitor->Start(std::move(child), 0, -1, {});
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(Events(), "ended silently | finished");
    EXPECT_EQ(m_result.outcome, BuildOutcome::Unfollowed);
    // The unobserved child is still reaped when it ends.
    EXPECT_TRUE(RunUntil([pid] { return Reaped(pid); }));
}

TEST_F(BuildMonitorTest, DestroyingTheMonitorMidBuildLeavesNoChildBehind)
{
    Start({"ignoreterm", "sleep 60000"});
    RunFor(50);
    m_monitor.reset();
    EXPECT_TRUE(Reaped(m_pid));
}

} // namespace
