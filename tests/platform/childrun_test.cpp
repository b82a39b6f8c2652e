#include "platform/childrun.h"
#include "platform/exitguard.h"
#include "support/eventloop.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>
#include <optional>

using namespace std::chrono_literals;

namespace {

class ChildRunTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString Script(const QByteArray& body)
    {
        QString path = m_dir.filePath(QString::number(m_scripts++));
        QFile script(path);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n" + body + "\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    qint64 ReadPid(const QString& name) const
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
    }

    static ChildRunSpec Spec(const QString& program)
    {
        ChildRunSpec spec;
        spec.program = program;
        return spec;
    }

    QTemporaryDir m_dir;
    int m_scripts = 0;
};

// The result comes from the event loop, which runs on meanwhile, and a child
// that outlives its bound is ended: SIGTERM, or SIGKILL after the grace.
TEST_F(ChildRunTest, ResultsComeLaterAndTheBoundEndsAChildThatOutlivesIt)
{
    struct Case
    {
        const char* body;
        ChildOutput kept;
        std::optional<std::chrono::milliseconds> bound;
        bool overran;
        ChildStatus status;
        QByteArray output;
    };
    const ChildStatus term{false, 0, SIGTERM};
    const ChildStatus kill{false, 0, SIGKILL};
    for (const Case& c : {
             Case{"echo out; echo err >&2; exit 3", ChildOutput::OutputOnly, 5s, false,
                  ChildStatus{true, 3, 0}, "out\n"},
             Case{"echo out; echo err >&2", ChildOutput::ErrorOnly, std::nullopt, false,
                  ChildStatus{true, 0, 0}, "err\n"},
             Case{"echo out; exec sleep 30", ChildOutput::Both, 200ms, true, term, "out\n"},
             Case{"trap '' TERM; sleep 30", ChildOutput::Both, 1000ms, true, kill, ""},
         }) {
        ChildRunSpec spec;
        spec.program = Script(c.body);
        spec.kept = c.kept;
        spec.bound = c.bound;
        spec.grace = 100ms;
        std::optional<ChildRunResult> result;
        RunChild(spec, nullptr, [&result](const ChildRunResult& r) { result = r; });
        EXPECT_FALSE(result) << c.body;
        int ticks = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, &tick, [&ticks] { ++ticks; });
        tick.start(5);
        ASSERT_TRUE(RunUntil([&result] { return result.has_value(); }, 10000)) << c.body;
        EXPECT_TRUE(!c.overran || ticks > 0) << c.body;
        EXPECT_EQ(result->startError, 0) << c.body;
        EXPECT_EQ(result->overran, c.overran) << c.body;
        EXPECT_EQ(result->status.exited, c.status.exited) << c.body;
        EXPECT_EQ(result->status.code, c.status.code) << c.body;
        EXPECT_EQ(result->status.signal, c.status.signal) << c.body;
        EXPECT_EQ(result->output, c.output) << c.body;
        EXPECT_EQ(result->Succeeded(), c.status.exited && c.status.code == 0) << c.body;
    }
}

TEST_F(ChildRunTest, AFailedStartIsReportedLaterAndAGoneContextHearsNothing)
{
    std::optional<ChildRunResult> result;
    RunChild(Spec(m_dir.filePath("absent")), nullptr,
             [&result](const ChildRunResult& r) { result = r; });
    EXPECT_FALSE(result);
    ASSERT_TRUE(RunUntil([&result] { return result.has_value(); }, 5000));
    EXPECT_EQ(result->startError, ENOENT);
    EXPECT_FALSE(result->Succeeded());

    bool called = false;
    {
        QObject context;
        RunChild(Spec(Script("sleep 0.2")), &context,
                 [&called](const ChildRunResult&) { called = true; });
    }
    RunFor(600);
    EXPECT_FALSE(called);
}

// What a loose child started in the background outlives the child and the end
// of the program, as a browser started by a desktop opener must.
TEST_F(ChildRunTest, OnlyATiedChildTakesWhatItStartedWithIt)
{
    for (const ChildTie tie : {ChildTie::Program, ChildTie::Loose}) {
        const bool loose = tie == ChildTie::Loose;
        ChildRunSpec spec;
        spec.program = Script("sleep 30 >/dev/null 2>&1 &\necho $! > \"$(dirname \"$0\")/bg\"");
        spec.tie = tie;
        bool done = false;
        RunChild(spec, nullptr, [&done](const ChildRunResult&) { done = true; });
        ASSERT_TRUE(RunUntil([&done] { return done; }, 5000));
        const qint64 background = ReadPid("bg");
        ASSERT_GT(background, 0);
        ExitGuard::EndAll();
        RunFor(100);
        EXPECT_EQ(ProcessRunning(background), loose) << (loose ? "loose" : "tied");
        ::kill(static_cast<pid_t>(background), SIGKILL);
    }
}

} // namespace
