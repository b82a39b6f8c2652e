// Stops the process that owns a build in each way a desktop session can, and
// checks that the image builder, whatever it started, and the capture file go
// with it.
#include "fakes/enginerun.h"
#include "fakes/testprogramfolder.h"
#include "support/eventloop.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <csignal>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

class TerminationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestProgramFolder::CopyTree(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset",
                                                m_folder.File("dvd")));
    }
    void TearDown() override { qunsetenv("ISOMINT_FAKE_MKISOFS_SCRIPT"); }

    // mkisofs as a shell wrapper that does not exec, so the fake is its child.
    void UseWrapper()
    {
        QFile::remove(m_folder.File("mkisofs"));
        QFile script(m_folder.File("mkisofs"));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho $$ >'" + QFile::encodeName(m_folder.File("wrapper")) +
                     "'\n'" ISOMINT_FAKE_MKISOFS "' \"$@\"\nexit $?\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Starts the host and waits until the fake has written part of the image.
    void StartHost()
    {
        for (const char* name : {"inner", "wrapper", "exit"})
            QFile::remove(m_folder.File(name));
        m_host.setProgram(QStringLiteral(ISOMINT_BUILD_HOST));
        m_host.setArguments(
            {m_folder.Path(), m_folder.File("dvd"), Image(), m_folder.File("exit")});
        m_host.start();
        ASSERT_TRUE(m_host.waitForStarted());
        ASSERT_TRUE(m_host.waitForReadyRead(10000));
        m_capture = QFile::decodeName(m_host.readLine().trimmed());
        ASSERT_TRUE(QFile::exists(m_capture)) << m_capture.toStdString();
        ASSERT_TRUE(RunUntil([this] { return Pid("inner") > 0; }, 10000));
        // The builder writes in a private folder; the Output File's name is not used yet.
        ASSERT_EQ(StagedImages().size(), 1);
        ASSERT_FALSE(QFile::exists(Image()));
    }

    // Images in the private folders that builds to the Output File write in.
    QStringList StagedImages() const
    {
        QStringList images;
        const QDir folder(m_folder.Path());
        for (const QString& name :
             folder.entryList({".movie.iso.isomint-*"}, QDir::Dirs | QDir::Hidden))
            images << folder.filePath(name + "/movie.iso");
        return images;
    }

    qint64 Pid(const QString& name) const
    {
        QFile file(m_folder.File(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
    }

    QString Image() const { return m_folder.File("movie.iso"); }

    bool HostEnds() { return m_host.waitForFinished(10000); }

    // Nothing runs on, and the partial image is nowhere under the Output File's name.
    void ExpectNothingRuns(const qint64 (&pids)[2])
    {
        for (const qint64 pid : pids)
            EXPECT_TRUE(RunUntil([pid] { return !ProcessRunning(pid); }, 5000)) << pid;
        EXPECT_FALSE(QFile::exists(Image()));
    }

    TestProgramFolder m_folder{QStringLiteral(ISOMINT_FAKE_MKISOFS)};
    QProcess m_host;
    QString m_capture;
};

constexpr int kExit = 0; // in place of a signal: exit() in the middle of the build

struct Stop
{
    int signal;
    bool wrapper;   // mkisofs a shell that does not exec, so the fake is its child
    int exitCode;   // -1: killed, it can do nothing
    bool cleanedUp; // the program removed the capture and what the build wrote
};

// SIGTERM, SIGHUP and SIGINT abort the build and quit; Qt ends the program
// with exit() when the display goes away, and the exit handler cleans up as an
// abort does. Killed outright, the program can do nothing: the parent-death
// signal ends mkisofs, and the partial image stays in the private folder.
// Whatever the way, the next build to that file takes the lock over and clears
// any private folder away.
TEST_F(TerminationTest, StoppedInAnyWayTheBuildLeavesNothingRunningOrPartialBehind)
{
    const Stop stops[] = {
        {SIGTERM, true, 0, true}, {SIGHUP, true, 0, true},     {SIGINT, true, 0, true},
        {kExit, true, 1, true},   {SIGKILL, false, -1, false},
    };
    for (const Stop& stop : stops) {
        SCOPED_TRACE(stop.signal == kExit ? "exit()" : strsignal(stop.signal));
        QFile::remove(m_folder.File("mkisofs"));
        if (stop.wrapper)
            UseWrapper();
        else
            QFile::link(ISOMINT_FAKE_MKISOFS, m_folder.File("mkisofs"));
        m_folder.WriteScript({"partial 4096", "pid " + m_folder.File("inner"), "sleep 60000"});
        StartHost();
        const qint64 pids[] = {Pid("inner"), Pid("wrapper")};
        ASSERT_EQ(pids[1] > 0, stop.wrapper);
        if (stop.signal == kExit)
            QFile(m_folder.File("exit")).open(QIODevice::WriteOnly);
        else
            ::kill(static_cast<pid_t>(m_host.processId()), stop.signal);
        ASSERT_TRUE(HostEnds());
        EXPECT_EQ(m_host.exitStatus(),
                  stop.exitCode < 0 ? QProcess::CrashExit : QProcess::NormalExit);
        if (stop.exitCode >= 0) {
            EXPECT_EQ(m_host.exitCode(), stop.exitCode);
        }
        ExpectNothingRuns(pids);
        EXPECT_EQ(QFile::exists(m_capture), !stop.cleanedUp);
        EXPECT_EQ(StagedImages().size(), stop.cleanedUp ? 0 : 1);
        QFile::remove(m_capture);

        m_folder.WriteScript({"exit 3"});
        EngineRun next{{10ms, 50ms, 100ms}};
        next.engine.SetProgramFolder(m_folder.Path());
        ASSERT_TRUE(next.Build({m_folder.File("dvd"), Image(), "next"}));
        EXPECT_EQ(next.result.outcome, BuildOutcome::BuildFailed) << next.Message().toStdString();
        EXPECT_EQ(StagedImages(), QStringList());
        EXPECT_FALSE(QFile::exists(Image() + ".lock"));
        EXPECT_EQ(next.Capture().contains("left by a build that did not end."), !stop.cleanedUp)
            << next.Capture().toStdString();
    }
}

} // namespace
