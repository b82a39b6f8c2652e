#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

TEST(ProgramFolder, IsTheExecutablesFolderWithoutTrailingSeparator)
{
    const QString folder = ProgramFolder();
    EXPECT_FALSE(folder.endsWith('/'));
    EXPECT_EQ(folder, QFileInfo(ExecutablePath()).absolutePath());
    EXPECT_EQ(folder, QStringLiteral(ISOMINT_TEST_BIN_DIR));
    EXPECT_TRUE(QFileInfo(folder + "/platform_test").isExecutable());
}

} // namespace
