// Stops the process that owns a build in each way a desktop session can, and
// checks that the image builder, whatever it started, and the capture file go
// with it.
#include "fakes/testprogramfolder.h"
#include "support/eventloop.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <csignal>
#include <gtest/gtest.h>

namespace {

class TerminationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder.WriteSettings(0, 0, 0, QString(), QString(), 0);
        ASSERT_TRUE(TestProgramFolder::CopyTree(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset",
                                                m_folder.File("dvd")));
        m_folder.WriteScript({"partial 4096", "pid " + m_folder.File("inner"), "sleep 60000"});
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

    // Nothing runs on, and neither the capture file nor the partial image is left.
    void ExpectNothingLeft()
    {
        EXPECT_TRUE(RunUntil([this] { return !ProcessRunning(Pid("inner")); }, 5000));
        if (Pid("wrapper") > 0) {
            EXPECT_TRUE(RunUntil([this] { return !ProcessRunning(Pid("wrapper")); }, 5000));
        }
        EXPECT_FALSE(QFile::exists(m_capture));
        EXPECT_FALSE(QFile::exists(Image()));
        EXPECT_EQ(StagedImages(), QStringList());
    }

    TestProgramFolder m_folder{QStringLiteral(ISOMINT_FAKE_MKISOFS)};
    QProcess m_host;
    QString m_capture;
};

TEST_F(TerminationTest, SigtermSighupAndSigintAbortTheBuildAndQuit)
{
    UseWrapper();
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        QFile::remove(m_folder.File("inner"));
        QFile::remove(m_folder.File("wrapper"));
        StartHost();
        ASSERT_GT(Pid("wrapper"), 0);
        ::kill(static_cast<pid_t>(m_host.processId()), signal);
        ASSERT_TRUE(HostEnds());
        EXPECT_EQ(m_host.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(m_host.exitCode(), 0);
        ExpectNothingLeft();
    }
}

// Qt ends the program with exit() when the display goes away.
TEST_F(TerminationTest, ExitInTheMiddleOfABuildEndsTheWholeGroup)
{
    UseWrapper();
    StartHost();
    QFile(m_folder.File("exit")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(HostEnds());
    EXPECT_EQ(m_host.exitCode(), 1);
    ExpectNothingLeft(); // the exit handler removes what the build wrote, as an abort does
}

// Killed outright, the program can do nothing: the parent-death signal ends
// mkisofs, and the partial image stays in the private folder, never under the
// Output File's name. The next build to that file clears it away.
TEST_F(TerminationTest, AKilledProgramTakesMkisofsWithItAndTheNextBuildClearsUp)
{
    StartHost();
    const qint64 inner = Pid("inner");
    m_host.kill();
    ASSERT_TRUE(HostEnds());
    EXPECT_TRUE(RunUntil([inner] { return !ProcessRunning(inner); }, 5000));
    EXPECT_FALSE(QFile::exists(Image()));
    EXPECT_EQ(StagedImages().size(), 1);

    m_folder.WriteScript({"exit 3"});
    m_host.start();
    ASSERT_TRUE(HostEnds());
    EXPECT_EQ(StagedImages(), QStringList());
    EXPECT_FALSE(QFile::exists(Image() + ".lock"));
}

} // namespace
