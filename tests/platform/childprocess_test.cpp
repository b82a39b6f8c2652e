#include "platform/childprocess.h"
#include "platform/detachedprocess.h"
#include "platform/exitguard.h"
#include "support/eventloop.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

const QString kFake = QStringLiteral(ISOMINT_FAKE_MKISOFS);
const QString kRecorder = QStringLiteral(ISOMINT_FAKE_RECORDER);
const QString kXorriso = QStringLiteral(ISOMINT_FAKE_XORRISO);

class ChildProcessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_output = m_dir.filePath("out");
    }
    void TearDown() override
    {
        qunsetenv("ISOMINT_FAKE_MKISOFS_SCRIPT");
        qunsetenv("ISOMINT_FAKE_RECORDER_LOG");
        qunsetenv("ISOMINT_FAKE_XORRISO");
        qunsetenv("ISOMINT_FAKE_XORRISO_PIDS");
    }

    // Starts the misbehaving recorder and returns it with its pids, its
    // grandchild's included, once it has set itself up.
    std::unique_ptr<ChildProcess> StartXorriso(const char* behaviour, QList<qint64>* pids)
    {
        QFile::remove(m_dir.filePath("pids"));
        qputenv("ISOMINT_FAKE_XORRISO", behaviour);
        qputenv("ISOMINT_FAKE_XORRISO_PIDS", QFile::encodeName(m_dir.filePath("pids")));
        int error = -1;
        auto child = ChildProcess::Start(kXorriso, {}, m_output, &error);
        EXPECT_TRUE(child != nullptr && WaitFor("pids")) << behaviour;
        for (const QByteArray& line : Read("pids").split('\n'))
            if (!line.isEmpty())
                pids->append(line.toLongLong());
        return child;
    }

    static bool AllGone(const QList<qint64>& pids)
    {
        return RunUntil(
            [&pids] { return std::none_of(pids.cbegin(), pids.cend(), ProcessRunning); }, 5000);
    }

    void Script(const QStringList& commands)
    {
        QFile file(m_dir.filePath("script"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QFile::encodeName(commands.join('\n') + '\n'));
        qputenv("ISOMINT_FAKE_MKISOFS_SCRIPT", QFile::encodeName(file.fileName()));
    }

    std::unique_ptr<ChildProcess> Start(const QStringList& arguments = {})
    {
        int error = -1;
        auto child = ChildProcess::Start(kFake, arguments, m_output, &error);
        EXPECT_EQ(error, 0);
        return child;
    }

    // Lets the child finish by itself; the event loop reaps it.
    static ChildStatus Finish(ChildProcess& child)
    {
        EXPECT_TRUE(RunUntil([&child] { return child.Reaped(); }));
        return child.Status().value_or(ChildStatus{});
    }

    QByteArray Read(const QString& name) const
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // Waits until the file exists; the fakes rename their records into place.
    bool WaitFor(const QString& name) const
    {
        for (int i = 0; i < 1000 && !QFile::exists(m_dir.filePath(name)); ++i)
            QThread::msleep(10);
        return QFile::exists(m_dir.filePath(name));
    }

    static QByteArray Fields(const QStringList& texts)
    {
        QByteArray all;
        for (const QString& text : texts)
            all += QFile::encodeName(text) + '\0';
        return all;
    }

    QTemporaryDir m_dir;
    QString m_output;
};

TEST_F(ChildProcessTest, ArgumentsArriveWholeWithoutAShell)
{
    Script({"argv " + m_dir.filePath("argv")});
    const QStringList tricky = {"-V",       "with blanks", "\"quoted\"",
                                "$HOME",    "two\nlines",  "-leading dash",
                                "'single'", "a;b|c&d",     ""};
    Finish(*Start(tricky));
    EXPECT_EQ(Read("argv"), Fields(tricky));
}

TEST_F(ChildProcessTest, OutputAndErrorShareOneDescriptorInOrderAndStdinIsDevNull)
{
    Script({"out one", "err two", "raw three", "err four", "stdin " + m_dir.filePath("stdin")});
    EXPECT_TRUE(Finish(*Start()).exited);
    EXPECT_EQ(Read("out"), "one\ntwo\nthreefour\n");
    EXPECT_EQ(Read("stdin"), "devnull");
}

TEST_F(ChildProcessTest, EndedComesWhenTheChildEndsAndNotBeforeWithItsExitCode)
{
    Script({"waitfor " + m_dir.filePath("go"), "exit 3"});
    auto child = Start();
    bool ended = false;
    QObject::connect(child.get(), &ChildProcess::Ended, [&ended] { ended = true; });
    RunFor(100);
    EXPECT_FALSE(ended);
    EXPECT_FALSE(child->Reaped());
    QFile(m_dir.filePath("go")).open(QIODevice::WriteOnly);
    EXPECT_TRUE(RunUntil([&ended] { return ended; }));
    EXPECT_TRUE(child->Status()->exited);
    EXPECT_EQ(child->Status()->code, 3);
}

TEST_F(ChildProcessTest, FailedStartsGiveTheirErrno)
{
    int error = 0;
    EXPECT_EQ(ChildProcess::Start(m_dir.filePath("absent"), {}, m_output, &error), nullptr);
    EXPECT_EQ(error, ENOENT);

    QFile plain(m_dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_EQ(ChildProcess::Start(plain.fileName(), {}, m_output, &error), nullptr);
    EXPECT_EQ(error, EACCES);
}

TEST_F(ChildProcessTest, EnvironmentAndWorkingFolderAreInherited)
{
    qputenv("ISOMINT_FAKE_RECORDER_LOG", QFile::encodeName(m_dir.filePath("record")));
    const QString before = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    int error = -1;
    auto child = ChildProcess::Start(kRecorder, {"x"}, m_output, &error);
    QDir::setCurrent(before);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(Finish(*child).code, 0);
    EXPECT_EQ(Read("record"), Fields({QDir(m_dir.path()).canonicalPath(), kRecorder, "x"}));
}

TEST_F(ChildProcessTest, DetachedProgramRunsWithItsArgumentsAndIsNoChildOfOurs)
{
    qputenv("ISOMINT_FAKE_RECORDER_LOG", QFile::encodeName(m_dir.filePath("record")));
    EXPECT_EQ(StartDetached(kRecorder, {"/SRC", "a b", ""}), 0);
    ASSERT_TRUE(WaitFor("record"));
    EXPECT_EQ(Read("record"), Fields({QDir::currentPath(), kRecorder, "/SRC", "a b", ""}));
    // The intermediate process was reaped, the program itself was handed on.
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST_F(ChildProcessTest, DetachedStartReportsAMissingProgram)
{
    EXPECT_EQ(StartDetached(m_dir.filePath("absent"), {}), ENOENT);
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
}

// Every way of ending a child sends SIGTERM to its whole group and SIGKILL
// after the grace to what ignored it, and leaves nothing of the group running:
// a wrapper's own children included. A child that ends by itself takes what
// it left running with it. Only End returns before the child has ended.
TEST_F(ChildProcessTest, EndingEscalatesAndLeavesNothingOfTheGroup)
{
    enum class Way
    {
        End,
        EndGroup,
        ExitGuard, // the blocking end of a program about to stop
        Destroy,
        Itself,
    };
    struct Case
    {
        Way way;
        const char* behaviour;
        int signal; // what the child died of
    };
    const char* const stubborn = "ignoreterm grandchild hang";
    for (const Case& c :
         {Case{Way::End, "hang", SIGTERM}, Case{Way::End, "grandchild hang", SIGTERM},
          Case{Way::End, stubborn, SIGKILL}, Case{Way::EndGroup, stubborn, SIGKILL},
          Case{Way::ExitGuard, "grandchild hang", SIGTERM}, Case{Way::ExitGuard, stubborn, SIGKILL},
          Case{Way::Destroy, stubborn, SIGKILL}, Case{Way::Itself, "grandchild crash", SIGSEGV}}) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.way) << " " << c.behaviour);
        QList<qint64> pids;
        auto child = StartXorriso(c.behaviour, &pids);
        ASSERT_NE(child, nullptr);
        const pid_t pid = child->Pid();
        bool ended = false;
        QObject::connect(child.get(), &ChildProcess::Ended, [&ended] { ended = true; });
        switch (c.way) {
        case Way::End:
            child->End(100ms);
            EXPECT_FALSE(ended);
            break;
        case Way::EndGroup:
            EXPECT_EQ(child->EndGroup(100ms).signal, c.signal);
            break;
        case Way::ExitGuard:
            ExitGuard::EndAll(100ms);
            break;
        case Way::Destroy:
            child.reset();
            // Neither running nor a zombie: the pid is no child of ours any more.
            EXPECT_EQ(waitpid(pid, nullptr, WNOHANG), -1);
            EXPECT_EQ(errno, ECHILD);
            break;
        case Way::Itself:
            break;
        }
        if (child) {
            ASSERT_TRUE(RunUntil([&ended] { return ended; }, 5000));
            EXPECT_FALSE(child->Status()->exited);
            EXPECT_EQ(child->Status()->signal, c.signal);
        }
        EXPECT_TRUE(AllGone(pids));
    }
}

} // namespace
