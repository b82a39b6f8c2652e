#include "imaging/capturefile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Sets TEMP and TMPDIR for one test and puts them back afterwards.
class CaptureFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_temp = qgetenv("TEMP");
        m_tmpdir = qgetenv("TMPDIR");
        m_hadTemp = qEnvironmentVariableIsSet("TEMP");
        m_hadTmpdir = qEnvironmentVariableIsSet("TMPDIR");
        qputenv("TEMP", QFile::encodeName(m_first.path()));
        qputenv("TMPDIR", QFile::encodeName(m_second.path()));
    }
    void TearDown() override
    {
        m_hadTemp ? qputenv("TEMP", m_temp) : qunsetenv("TEMP");
        m_hadTmpdir ? qputenv("TMPDIR", m_tmpdir) : qunsetenv("TMPDIR");
    }

    QTemporaryDir m_first;
    QTemporaryDir m_second;
    QByteArray m_temp;
    QByteArray m_tmpdir;
    bool m_hadTemp = false;
    bool m_hadTmpdir = false;
};

TEST_F(CaptureFileTest, FolderComesFromTempThenTmpdirThenSlashTmp)
{
    EXPECT_EQ(CaptureFile::Folder(), m_first.path());
    qputenv("TEMP", "");
    EXPECT_EQ(CaptureFile::Folder(), m_second.path());
    qunsetenv("TEMP");
    qunsetenv("TMPDIR");
    EXPECT_EQ(CaptureFile::Folder(), "/tmp");
}

TEST_F(CaptureFileTest, NameIsUniqueAndTheFilePrivate)
{
    CaptureFile one;
    CaptureFile two;
    const QFileInfo info(one.Path());
    EXPECT_EQ(info.path(), m_first.path());
    EXPECT_TRUE(QRegularExpression("^Zeb[A-Za-z0-9]{6}$").match(info.fileName()).hasMatch())
        << info.fileName().toStdString();
    EXPECT_NE(one.Path(), two.Path());
    struct stat st;
    ASSERT_EQ(lstat(QFile::encodeName(one.Path()).constData(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(st.st_size, 0);
}

TEST_F(CaptureFileTest, EmptyingStartsTheNextBuildAtOffsetZero)
{
    CaptureFile capture;
    ASSERT_EQ(write(capture.Descriptor(), "first build output\n", 19), 19);
    EXPECT_EQ(capture.Empty(), 0);
    EXPECT_EQ(QFileInfo(capture.Path()).size(), 0);
    // Appending: no hole of zeros where the old text was.
    ASSERT_EQ(write(capture.Descriptor(), "two\n", 4), 4);
    QFile file(capture.Path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "two\n");
}

TEST_F(CaptureFileTest, DeletedWithTheObjectAndOnRemove)
{
    QString path;
    {
        CaptureFile capture;
        path = capture.Path();
        EXPECT_TRUE(QFileInfo::exists(path));
    }
    EXPECT_FALSE(QFileInfo::exists(path));
    CaptureFile removed;
    removed.Remove();
    EXPECT_FALSE(QFileInfo::exists(removed.Path()));
    EXPECT_EQ(removed.Descriptor(), -1);
}

TEST_F(CaptureFileTest, ItNeverTakesThePlaceOfAStandardStream)
{
    // With standard input closed, the lowest free descriptor is 0.
    const int saved = fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 3);
    close(STDIN_FILENO);
    CaptureFile capture;
    const int fd = capture.Descriptor();
    if (saved >= 0) {
        dup2(saved, STDIN_FILENO);
        close(saved);
    }
    EXPECT_GT(fd, STDERR_FILENO);
    EXPECT_EQ(fcntl(fd, F_GETFD) & FD_CLOEXEC, FD_CLOEXEC);
    EXPECT_EQ(fcntl(fd, F_GETFL) & O_APPEND, O_APPEND);
}

TEST_F(CaptureFileTest, AFolderThatCannotTakeItIsRetriedAtTheNextBuild)
{
    qputenv("TEMP", QFile::encodeName(m_first.filePath("not-yet")));
    CaptureFile capture;
    EXPECT_TRUE(capture.Path().isEmpty());
    EXPECT_EQ(capture.Empty(), ENOENT);
    ASSERT_TRUE(QDir(m_first.path()).mkdir("not-yet"));
    EXPECT_EQ(capture.Empty(), 0);
    EXPECT_TRUE(QFileInfo::exists(capture.Path()));
}

} // namespace
