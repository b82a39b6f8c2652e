#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

const char* const kPrintVariable = "ISOMINT_PRINT_PROGRAM_FOLDER";

TEST(ProgramFolder, IsTheExecutablesFolderWithoutTrailingSeparator)
{
    const QString folder = ProgramFolder();
    EXPECT_FALSE(folder.endsWith('/'));
    EXPECT_EQ(folder, QFileInfo(ExecutablePath()).absolutePath());
    EXPECT_EQ(folder, QStringLiteral(ISOMINT_TEST_BIN_DIR));
    EXPECT_TRUE(QFileInfo(folder + "/platform_test").isExecutable());
}

// The installed launcher is a link to the executable; the files beside the
// executable must still be found, not those beside the link.
TEST(ProgramFolder, FollowsALinkToTheExecutable)
{
    if (qEnvironmentVariableIsSet(kPrintVariable)) {
        std::printf("program folder: %s\n", qPrintable(ProgramFolder()));
        return;
    }
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    ASSERT_TRUE(QDir(elsewhere.path()).mkdir("bin"));
    const QString link = elsewhere.filePath("bin/platform_test");
    ASSERT_TRUE(QFile::link(QStringLiteral(ISOMINT_TEST_BIN_DIR "/platform_test"), link));

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kPrintVariable, "1");
    process.setProcessEnvironment(environment);
    process.start(link, {"--gtest_filter=ProgramFolder.FollowsALinkToTheExecutable"});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
    EXPECT_TRUE(output.split('\n').contains("program folder: " ISOMINT_TEST_BIN_DIR))
        << qPrintable(output);
}

} // namespace
