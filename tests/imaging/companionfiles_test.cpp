#include "imaging/companionfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kMissingMkisofs = QStringLiteral(
    "Isomint Stencil needs \"mkisofs\" to generate an image!\n\nBe sure this files exists in same "
    "folder as Isomint Stencil.");

void Touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

struct FolderCase
{
    const char* name;
    std::function<void(const QString& folder)> make;
    bool missing;
};

// Any entry named exactly "mkisofs" counts, a folder or a dangling link too;
// Windows companions and other cases of the name do not.
TEST(CompanionFiles, TheMessageNamesTheFirstMissingFileExactly)
{
    const FolderCase cases[] = {
        {"empty", [](const QString&) {}, true},
        {"file", [](const QString& f) { Touch(f + QStringLiteral("/mkisofs")); }, false},
        {"folder", [](const QString& f) { QDir(f).mkdir(QStringLiteral("mkisofs")); }, false},
        {"dangling link",
         [](const QString& f) {
             QFile::link(QStringLiteral("/nonexistent/genisoimage"),
                         f + QStringLiteral("/mkisofs"));
         },
         false},
        {"other names",
         [](const QString& f) {
             for (const char* name : {"MKISOFS", "mkisofs.exe", "cygwin1.dll"})
                 Touch(f + QLatin1Char('/') + QLatin1String(name));
         },
         true},
    };
    for (const FolderCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        c.make(folder.path());
        const std::optional<OutcomeText> message = CheckCompanionFiles(folder.path());
        ASSERT_EQ(message.has_value(), c.missing);
        if (!c.missing)
            continue;
        EXPECT_EQ(message->caption, QStringLiteral("Missing File"));
        EXPECT_EQ(message->text, kMissingMkisofs);
        EXPECT_EQ(message->kind, OutcomeKind::Error);
    }
}

TEST(CompanionFiles, BuildTreeProgramFolderHasTheRealBuilder)
{
    EXPECT_FALSE(CheckCompanionFiles(QStringLiteral(ISOMINT_PROGRAM_DIR)).has_value());
    const QFileInfo mkisofs(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
    EXPECT_TRUE(mkisofs.isExecutable());
    EXPECT_TRUE(mkisofs.canonicalFilePath().endsWith(QStringLiteral("genisoimage")));
}

} // namespace
