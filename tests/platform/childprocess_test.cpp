#include "platform/childprocess.h"
#include "platform/detachedprocess.h"
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

TEST_F(ChildProcessTest, ReportsExitCodesAndSignals)
{
    Script({"exit 3"});
    auto exited = Start();
    const ChildStatus code = Finish(*exited);
    EXPECT_TRUE(code.exited);
    EXPECT_EQ(code.code, 3);

    Script({"signal " + QString::number(SIGUSR1)});
    auto signalled = Start();
    const ChildStatus signal = Finish(*signalled);
    EXPECT_FALSE(signal.exited);
    EXPECT_EQ(signal.signal, SIGUSR1);
}

TEST_F(ChildProcessTest, EndedComesWhenTheChildEndsAndNotBefore)
{
    Script({"waitfor " + m_dir.filePath("go")});
    auto child = Start();
    bool ended = false;
    QObject::connect(child.get(), &ChildProcess::Ended, [&ended] { ended = true; });
    RunFor(100);
    EXPECT_FALSE(ended);
    EXPECT_FALSE(child->Reaped());
    QFile(m_dir.filePath("go")).open(QIODevice::WriteOnly);
    EXPECT_TRUE(RunUntil([&ended] { return ended; }));
    EXPECT_TRUE(child->Status()->exited);
}

// A wrapper script that does not exec leaves the real builder as its own child:
// ending the group must reach that one too, even when the wrapper ignores SIGTERM.
TEST_F(ChildProcessTest, EndingTheGroupReachesWhatTheChildStarted)
{
    Script({"pid " + m_dir.filePath("inner"), "sleep 60000"});
    QFile wrapper(m_dir.filePath("wrapper"));
    ASSERT_TRUE(wrapper.open(QIODevice::WriteOnly));
    wrapper.write("#!/bin/sh\ntrap '' TERM\n\"" + QFile::encodeName(kFake) + "\" \"$@\"\n");
    wrapper.close();
    wrapper.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    int error = -1;
    auto child = ChildProcess::Start(wrapper.fileName(), {}, m_output, &error);
    ASSERT_NE(child, nullptr);
    ASSERT_TRUE(WaitFor("inner"));
    const qint64 inner = Read("inner").toLongLong();
    EXPECT_EQ(getpgid(static_cast<pid_t>(inner)), child->Pid());
    EXPECT_EQ(getpgid(child->Pid()), child->Pid());
    EXPECT_NE(getpgid(child->Pid()), getpgrp());

    const ChildStatus status = child->EndGroup(std::chrono::milliseconds(100));
    EXPECT_EQ(status.signal, SIGKILL); // the wrapper ignored SIGTERM
    EXPECT_TRUE(RunUntil([inner] { return !ProcessRunning(inner); }, 5000));
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

TEST_F(ChildProcessTest, DestructionEndsAndReapsAChildThatIgnoresSigterm)
{
    Script({"ignoreterm", "pid " + m_dir.filePath("pid"), "sleep 60000"});
    pid_t pid = 0;
    {
        auto child = Start();
        pid = child->Pid();
        ASSERT_TRUE(WaitFor("pid"));
        child->SignalGroup(SIGTERM);
        RunFor(50);
        EXPECT_FALSE(child->Reaped()) << "SIGTERM was to be ignored";
    }
    // Neither running nor a zombie: the pid is no child of ours any more.
    EXPECT_EQ(waitpid(pid, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
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

} // namespace

// Whichever way the child takes its end, End returns before it has ended, and
// once Ended has come nothing of its group runs; a child that ends by itself
// takes what it left running with it.
TEST_F(ChildProcessTest, EndReturnsAtOnceAndLeavesNothingOfTheGroup)
{
    struct Case
    {
        const char* behaviour;
        bool end;   // ended by us, or ending by itself
        int signal; // what the child died of
    };
    for (const Case& c : {Case{"hang", true, SIGTERM}, Case{"grandchild hang", true, SIGTERM},
                          Case{"ignoreterm grandchild hang", true, SIGKILL},
                          Case{"grandchild crash", false, SIGSEGV}}) {
        QList<qint64> pids;
        auto child = StartXorriso(c.behaviour, &pids);
        ASSERT_NE(child, nullptr);
        bool ended = false;
        QObject::connect(child.get(), &ChildProcess::Ended, [&ended] { ended = true; });
        if (c.end) {
            child->End(std::chrono::milliseconds(100));
            EXPECT_FALSE(ended) << c.behaviour;
        }
        ASSERT_TRUE(RunUntil([&ended] { return ended; }, 5000)) << c.behaviour;
        EXPECT_FALSE(child->Status()->exited) << c.behaviour;
        EXPECT_EQ(child->Status()->signal, c.signal) << c.behaviour;
        EXPECT_TRUE(AllGone(pids)) << c.behaviour;
    }
}
