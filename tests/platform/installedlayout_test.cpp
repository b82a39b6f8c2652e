#include "platform/installedlayout.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// An installed copy is known by its two folders below one prefix; anything
// else, the build tree and a portable folder among them, keeps its data beside
// the executable.
TEST(InstalledLayout, IsKnownByItsProgramAndDataFolders)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QDir base(root.path());
    for (const char* folder :
         {"usr/lib/isomint-stencil", "usr/share/isomint-stencil", "bare/lib/isomint-stencil",
          "portable/isomint-stencil", "other/lib/isomint-stencil", "other/share/isomint",
          "nested/lib/isomint-stencil/lib/isomint-stencil", "linked/lib/isomint-stencil",
          "linked/share"})
        ASSERT_TRUE(base.mkpath(QString::fromLatin1(folder))) << folder;
    ASSERT_TRUE(QFile::link(base.filePath(QStringLiteral("usr/share/isomint-stencil")),
                            base.filePath(QStringLiteral("linked/share/isomint-stencil"))));
    struct Case
    {
        const char* programFolder;
        const char* dataFolder; // nullptr: not installed, the data lies beside
    };
    const Case cases[] = {
        {"usr/lib/isomint-stencil", "usr/share/isomint-stencil"},
        // A data folder that is a link (a package's alternatives, say) counts.
        {"linked/lib/isomint-stencil", "linked/share/isomint-stencil"},
        // No data folder: the data is looked for beside the executables.
        {"bare/lib/isomint-stencil", nullptr},
        {"portable/isomint-stencil", nullptr},
        {"other/lib/isomint-stencil", nullptr},
        {"nested/lib/isomint-stencil/lib/isomint-stencil", nullptr},
        {"usr/lib", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.programFolder);
        const QString program = base.filePath(QString::fromLatin1(c.programFolder));
        const QString data =
            c.dataFolder == nullptr ? program : base.filePath(QString::fromLatin1(c.dataFolder));
        EXPECT_EQ(IsInstalledCopy(program), c.dataFolder != nullptr);
        EXPECT_EQ(DataFolder(program), data);
    }
    EXPECT_FALSE(IsInstalledCopy(QString()));
}

} // namespace
