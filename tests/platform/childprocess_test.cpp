#include "platform/childprocess.h"
#include "platform/detachedprocess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kFake = QStringLiteral(ISOMINT_FAKE_MKISOFS);
const QString kRecorder = QStringLiteral(ISOMINT_FAKE_RECORDER);

class ChildProcessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_output = open(QFile::encodeName(m_dir.filePath("out")).constData(),
                        O_CREAT | O_RDWR | O_APPEND | O_CLOEXEC, 0600);
        ASSERT_GE(m_output, 3);
    }
    void TearDown() override
    {
        close(m_output);
        qunsetenv("ISOMINT_FAKE_MKISOFS_SCRIPT");
        qunsetenv("ISOMINT_FAKE_RECORDER_LOG");
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

    // Lets the child finish by itself and reaps it.
    static ChildStatus Finish(ChildProcess& child)
    {
        while (!child.TryReap())
            QThread::msleep(2);
        return *child.Status();
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
    int m_output = -1;
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
    while (!exited->TryReap())
        QThread::msleep(5);
    EXPECT_TRUE(exited->Status()->exited);
    EXPECT_EQ(exited->Status()->code, 3);

    Script({"signal " + QString::number(SIGUSR1)});
    auto signalled = Start();
    while (!signalled->TryReap())
        QThread::msleep(5);
    EXPECT_FALSE(signalled->Status()->exited);
    EXPECT_EQ(signalled->Status()->signal, SIGUSR1);
}

TEST_F(ChildProcessTest, AnIgnoredSigchldInheritedFromTheParentLosesNoExitCode)
{
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction before = {};
    sigaction(SIGCHLD, &ignore, &before);
    Script({"exit 3"});
    auto child = Start();
    for (int i = 0; i < 2000 && !child->TryReap() && child->WaitError() == 0; ++i)
        QThread::msleep(5);
    sigaction(SIGCHLD, &before, nullptr);
    EXPECT_EQ(child->WaitError(), 0);
    ASSERT_TRUE(child->Status());
    EXPECT_EQ(child->Status()->code, 3);
}

TEST_F(ChildProcessTest, ExitNotifierBecomesReadableWhenTheChildEnds)
{
    Script({"waitfor " + m_dir.filePath("go")});
    auto child = Start();
    ASSERT_GE(child->ExitNotifierFd(), 0);
    EXPECT_FALSE(child->TryReap());
    QFile(m_dir.filePath("go")).open(QIODevice::WriteOnly);
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(child->ExitNotifierFd(), &readable);
    timeval limit{30, 0};
    ASSERT_EQ(select(child->ExitNotifierFd() + 1, &readable, nullptr, nullptr, &limit), 1);
    EXPECT_TRUE(child->TryReap());
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
        child->Signal(SIGTERM);
        QThread::msleep(50);
        EXPECT_FALSE(child->TryReap()) << "SIGTERM was to be ignored";
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
