#include "fakes/checkmessages.h"
#include "imaging/caseblindlookup.h"
#include "imaging/dvdfoldercheck.h"
#include "imaging/folderlisting.h"
#include "imaging/noclobberrename.h"
#include "support/rerunasnobody.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kFixtures = QStringLiteral(ISOMINT_TEST_DATA_DIR "/dvd/");

// Each test works on a copy of a real DVD-Video folder, changed as it needs.
class DvdFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_temp.isValid());
        m_source = m_temp.filePath("My DVD");
    }

    void CopyFixture(const QString& name)
    {
        std::filesystem::copy((kFixtures + name).toStdString(), m_source.toStdString(),
                              std::filesystem::copy_options::recursive);
    }

    // A new copy of the fixture with every DVD-Video name in lower case, as some
    // copying tools leave them; what an earlier case put outside it goes too.
    void FreshLowerCaseCopy(const QString& fixture)
    {
        m_boxes.Clear();
        QDir(m_source).removeRecursively();
        QDir(Outside()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(Outside()));
        CopyFixture(fixture);
        Rename("VIDEO_TS", "video_ts");
        const QStringList files = QDir(Path("video_ts")).entryList(QDir::Files);
        for (const QString& file : files)
            Rename("video_ts/" + file, "video_ts/" + file.toLower());
    }

    QString Path(const QString& relative) const { return m_source + "/" + relative; }
    // A place beside the source, for what links lead to.
    QString Outside(const QString& name = {}) const { return m_temp.filePath("outside/" + name); }
    // The path a message names.
    QString Formed(const QString& name) const { return m_source + "/VIDEO_TS/" + name; }

    void Rename(const QString& from, const QString& to)
    {
        ASSERT_TRUE(QFile::rename(Path(from), Path(to))) << qPrintable(from);
    }
    void Remove(const QString& relative) { ASSERT_TRUE(QFile::remove(Path(relative))); }
    void Copy(const QString& from, const QString& to)
    {
        ASSERT_TRUE(QFile::copy(Path(from), Path(to))) << qPrintable(to);
    }
    void Write(const QString& relative, const QByteArray& contents)
    {
        QFile file(Path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(contents), contents.size());
    }
    // Moves the entry out of the source and leaves a link to it in its place.
    void ReplaceByLink(const QString& relative)
    {
        ASSERT_TRUE(QFile::rename(Path(relative), Outside("moved")));
        ASSERT_TRUE(QFile::link(Outside("moved"), Path(relative)));
    }
    QByteArray Read(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

    // Relative paths of every entry below a folder, folders marked with "/".
    static QStringList Tree(const QString& root)
    {
        QStringList entries;
        QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            const QString relative = QDir(root).relativeFilePath(it.filePath());
            entries << (it.fileInfo().isDir() ? relative + "/" : relative);
        }
        entries.sort();
        return entries;
    }
    QStringList Tree() const { return Tree(m_source); }

    OutcomeText Warning(const QString& name) const
    {
        return {QStringLiteral("Warning"),
                "Missing file: " + Formed(name) + QStringLiteral("\nDo you want to continue?"),
                OutcomeKind::Question};
    }
    static OutcomeText Error(const QString& text)
    {
        return {QStringLiteral("Error"), text, OutcomeKind::Error};
    }
    OutcomeText NeededFileError(const QString& name) const
    {
        return Error("Missing needed file: " + Formed(name));
    }
    // Relative paths, in the order the box names them.
    OutcomeText VariantsError(const QStringList& relative) const
    {
        QString text = QStringLiteral("These names differ only in case:\n");
        for (const QString& path : relative)
            text += Path(path) + '\n';
        return Error(text + QStringLiteral("Keep one of them and try again."));
    }
    OutcomeText LinkError(const QString& relative) const
    {
        return Error('"' + Path(relative) +
                     QStringLiteral("\" is a symbolic link. The image builder leaves links out, "
                                    "so the disc would not play.\nCopy the file itself into "
                                    "VIDEO_TS."));
    }

    QTemporaryDir m_temp;
    QString m_source;
    CheckMessages m_boxes;
};

TEST_F(DvdFolderTest, LowerCaseTreeEndsExactlyInUpperCaseWithAudioTs)
{
    FreshLowerCaseCopy("two-titlesets");

    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), 0);
    EXPECT_EQ(m_boxes.Count(), 0);

    QStringList expected = Tree(kFixtures + "two-titlesets");
    expected << "AUDIO_TS/";
    expected.sort();
    EXPECT_EQ(Tree(), expected);
    for (const QString& file : Tree(kFixtures + "two-titlesets")) {
        if (!file.endsWith('/')) {
            EXPECT_EQ(Read(Path(file)), Read(kFixtures + "two-titlesets/" + file))
                << qPrintable(file);
        }
    }

    struct stat info;
    ASSERT_EQ(stat(QFile::encodeName(Path("AUDIO_TS")).constData(), &info), 0);
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(info.st_mode & 07777, 0777 & ~mask);
}

// Other sources the builder takes once their names are upper case: they pass
// without a word, and only the names the disc needs change.
TEST_F(DvdFolderTest, OtherAcceptableSourcesPassSilently)
{
    const struct
    {
        const char* name;
        std::function<void()> change;
        QStringList present; // afterwards
        QStringList absent;
    } cases[] = {
        {"mixed case and an AUDIO_TS with a file",
         [&] {
             Rename("video_ts", "Video_Ts");
             Rename("Video_Ts/vts_01_1.vob", "Video_Ts/Vts_01_1.Vob");
             ASSERT_TRUE(QDir(m_source).mkdir("audio_ts"));
             Write("audio_ts/keep.txt", "kept");
         },
         {"VIDEO_TS/VTS_01_1.VOB", "AUDIO_TS/keep.txt"},
         {"audio_ts", "Video_Ts"}},
        {"a gap in the title sets",
         [&] {
             for (const char* kind : {"0.ifo", "1.vob", "0.bup"})
                 Rename(QString("video_ts/vts_02_") + kind, QString("video_ts/vts_03_") + kind);
         },
         {"VIDEO_TS/VTS_01_0.IFO", "VIDEO_TS/VTS_01_1.VOB", "VIDEO_TS/VTS_03_0.IFO",
          "VIDEO_TS/VTS_03_1.VOB", "VIDEO_TS/VTS_03_0.BUP"},
         {}},
        // A title set without its information file is skipped entirely, and so
        // is a part beyond the last.
        {"a title set without information file",
         [&] {
             Remove("video_ts/vts_02_0.ifo");
             Copy("video_ts/vts_01_1.vob", "video_ts/vts_01_10.vob");
         },
         {"VIDEO_TS/vts_02_1.vob", "VIDEO_TS/vts_02_0.bup", "VIDEO_TS/vts_01_10.vob",
          "VIDEO_TS/VTS_01_1.VOB"},
         {}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        FreshLowerCaseCopy("two-titlesets");
        test.change();
        EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), 0);
        EXPECT_EQ(m_boxes.Count(), 0);
        for (const QString& path : test.present)
            EXPECT_TRUE(QFile::exists(Path(path))) << qPrintable(path);
        for (const QString& path : test.absent)
            EXPECT_FALSE(QFile::exists(Path(path))) << qPrintable(path);
    }
}

// A No changes nothing; after a Yes every name is upper-cased.
TEST_F(DvdFolderTest, AMissingTitleSetFileAsksAndOnlyAYesChangesTheSource)
{
    const struct
    {
        std::function<void()> change;
        QString missing;
        QStringList present; // after the Yes
    } cases[] = {
        {[&] {
             Rename("video_ts/vts_01_1.vob", "video_ts/vts_01_2.vob");
             Copy("video_ts/vts_01_2.vob", "video_ts/vts_01_9.vob");
         },
         "VTS_01_1.VOB",
         {"VIDEO_TS/VTS_01_9.VOB", "VIDEO_TS/VTS_01_0.BUP", "VIDEO_TS/VTS_02_1.VOB"}},
        {[&] { Remove("video_ts/vts_01_0.bup"); },
         "VTS_01_0.BUP",
         {"VIDEO_TS/VTS_02_0.BUP", "AUDIO_TS"}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.missing.toStdString());
        FreshLowerCaseCopy("two-titlesets");
        test.change();
        const QStringList before = Tree();

        m_boxes.Answer(false);
        EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), -1);
        ASSERT_EQ(m_boxes.Count(), 1);
        EXPECT_EQ(m_boxes.Last(), Warning(test.missing));
        EXPECT_EQ(Tree(), before);

        m_boxes.Answer(true);
        EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), 0);
        EXPECT_EQ(m_boxes.Count(), 2);
        for (const QString& path : test.present)
            EXPECT_TRUE(QFile::exists(Path(path))) << qPrintable(path);
    }
}

// Each stops the check with one box before anything changes. Case variants:
// which spelling took the upper-case name was up to byte order, and the builder
// took the other in under a mangled name. Links: the builder leaves them out.
TEST_F(DvdFolderTest, ASourceTheBuilderWouldGetWrongIsRefusedBeforeAnyChange)
{
    const QString noVideoFolder = QStringLiteral(
        "Can't find a \"VIDEO_TS\" directory.\nThis directory must exist below the given Source "
        "Directory!");
    const struct
    {
        const char* name;
        const char* fixture;
        std::function<void()> change;
        OutcomeText box;
    } cases[] = {
        {"no manager backup", "one-titleset", [&] { Remove("video_ts/video_ts.bup"); },
         NeededFileError("VIDEO_TS.BUP")},
        {"no manager files", "one-titleset",
         [&] {
             Remove("video_ts/video_ts.bup");
             Remove("video_ts/video_ts.ifo");
         },
         NeededFileError("VIDEO_TS.IFO")},
        {"no VIDEO_TS", "one-titleset", [&] { QDir(Path("video_ts")).removeRecursively(); },
         Error(noVideoFolder)},
        // Files named like the folders are left alone.
        {"files named like the folders", "one-titleset",
         [&] {
             QDir(Path("video_ts")).removeRecursively();
             Write("audio_ts", "a file");
             Write("video_ts", "a file");
         },
         NeededFileError("VIDEO_TS.IFO")},
        {"files differing only in case", "two-titlesets",
         [&] {
             Write("video_ts/VIDEO_TS.IFO", "a stray copy");
             Write("video_ts/Vts_02_1.Vob", "another spelling");
         },
         VariantsError({"video_ts/VIDEO_TS.IFO", "video_ts/video_ts.ifo", "video_ts/Vts_02_1.Vob",
                        "video_ts/vts_02_1.vob"})},
        {"folders differing only in case", "two-titlesets",
         [&] {
             for (const char* folder : {"VIDEO_TS", "Audio_TS", "audio_ts"})
                 ASSERT_TRUE(QDir(m_source).mkdir(folder));
         },
         VariantsError({"Audio_TS", "audio_ts", "VIDEO_TS", "video_ts"})},
        {"a linked VOB", "one-titleset", [&] { ReplaceByLink("video_ts/vts_01_1.vob"); },
         LinkError("video_ts/vts_01_1.vob")},
        // Any file in VIDEO_TS, even one the disc does not need.
        {"a dangling link", "one-titleset",
         [&] { ASSERT_TRUE(QFile::link(Outside("gone"), Path("video_ts/notes.txt"))); },
         LinkError("video_ts/notes.txt")},
        {"VIDEO_TS as a link", "one-titleset", [&] { ReplaceByLink("video_ts"); },
         LinkError("video_ts")},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        FreshLowerCaseCopy(test.fixture);
        test.change();
        const QStringList before = Tree() + Tree(Outside()); // what links lead to, too
        EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), -1);
        ASSERT_EQ(m_boxes.Count(), 1);
        EXPECT_EQ(m_boxes.Last(), test.box);
        EXPECT_EQ(Tree() + Tree(Outside()), before);
    }

    // An empty source names no folder at all; nothing may be created anywhere.
    m_boxes.Clear();
    EXPECT_EQ(CheckDvdFolder(QString(), m_boxes), -1);
    EXPECT_EQ(m_boxes.Last(), Error(noVideoFolder));
}

// The builder leaves out a file or folder it cannot read, anywhere in the
// source, and still succeeds. Of several, the first in byte order is named.
TEST_F(DvdFolderTest, AnUnreadableEntryAnywhereStopsTheCheckBeforeAnyChange)
{
    if (RanAsNobodyInstead())
        return;
    const struct
    {
        QStringList entries; // made unreadable; made first unless there, folders end in "/"
        QString named;
    } cases[] = {
        {{"video_ts/vts_02_1.vob", "video_ts/notes.txt"}, "video_ts/notes.txt"},
        {{"video_ts/vts_02_1.vob"}, "video_ts/vts_02_1.vob"},
        {{"video_ts/menus/"}, "video_ts/menus"},
        {{"notes.txt"}, "notes.txt"},
        {{"AUDIO_TS/a"}, "AUDIO_TS/a"},
        {{"EXTRAS/"}, "EXTRAS"},
        {{"EXTRAS/deep/er/"}, "EXTRAS/deep/er"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.named.toStdString());
        FreshLowerCaseCopy("two-titlesets");
        for (const QString& entry : test.entries) {
            const QString path = QDir::cleanPath(Path(entry));
            ASSERT_TRUE(QDir().mkpath(entry.endsWith('/') ? path : QFileInfo(path).path()));
            ASSERT_TRUE(QFile::exists(path) || QFile(path).open(QIODevice::WriteOnly));
            ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0), 0);
        }
        const QStringList before = Tree();
        EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), -1);
        ASSERT_EQ(m_boxes.Count(), 1);
        EXPECT_EQ(m_boxes.Last(), Error("Cannot read \"" + Path(test.named) +
                                        "\": Permission denied.\nThe image would be built "
                                        "without it."));
        EXPECT_EQ(Tree(), before);

        // Readable again, the same source passes.
        for (const QString& entry : test.entries)
            ASSERT_EQ(chmod(QFile::encodeName(QDir::cleanPath(Path(entry))).constData(), 0700), 0);
        EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), 0);
    }
}

// Disks as users bring them: a read-only mount refuses every rename, which
// must stop the build naming the file; a FAT stick finds the new name of a
// case-only rename in the old entry, which must still work. Only root can
// mount them; elsewhere the cases are not run.
TEST_F(DvdFolderTest, ASourceOnAReadOnlyOrCaseBlindDiskIsFixedOrRefusedNamingTheFile)
{
    struct Case
    {
        const char* name;
        QStringList mount; // shell lines that mount the copy at "$dir"
        int result;
        QString text; // of the box, if any
    };
    const QString folder = m_temp.filePath("mounted");
    const Case cases[] = {
        {"read-only",
         {R"(mount --bind "$dir" "$dir")", R"(mount -o remount,bind,ro "$dir")"},
         -1,
         "Cannot rename \"" + folder + "/video_ts\" to \"" + folder +
             "/VIDEO_TS\": Read-only file system.\nThe image builder would not find it under "
             "its present name."},
        {"vfat",
         {R"(truncate -s 8M "$dir.img")", R"(mkfs.vfat "$dir.img" >/dev/null)",
          R"(mount -o loop "$dir.img" "$dir")", R"(cp -r "$dir.copy/." "$dir/")"},
         0,
         {}},
    };
    FreshLowerCaseCopy("two-titlesets");
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        m_boxes.Clear();
        ASSERT_TRUE(QDir(folder).removeRecursively() || !QFile::exists(folder));
        QDir().mkpath(folder);
        std::filesystem::copy(m_source.toStdString(), (folder + ".copy").toStdString(),
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::overwrite_existing);
        std::filesystem::copy(m_source.toStdString(), folder.toStdString(),
                              std::filesystem::copy_options::recursive);
        QProcess shell;
        shell.setEnvironment(QProcess::systemEnvironment() << "dir=" + folder);
        shell.start("sh", {"-ec", test.mount.join('\n')});
        if (!shell.waitForFinished() || shell.exitCode() != 0) {
            std::printf("[  NOTE    ] %s cannot be mounted here: not run\n", test.name);
            continue;
        }
        const QStringList before = Tree(folder);
        EXPECT_EQ(CheckDvdFolder(folder, m_boxes), test.result);
        if (test.result == 0) {
            EXPECT_EQ(m_boxes.Count(), 0);
            EXPECT_TRUE(Tree(folder).contains("VIDEO_TS/VTS_02_1.VOB"))
                << Tree(folder).join(' ').toStdString();
            EXPECT_EQ(Tree(folder).size(), before.size() + 1); // AUDIO_TS, nothing lost
        } else {
            ASSERT_EQ(m_boxes.Count(), 1);
            EXPECT_EQ(m_boxes.Last().text, test.text) << m_boxes.Last().text.toStdString();
            EXPECT_EQ(Tree(folder), before);
        }
        QProcess::execute("umount", {folder});
    }
}

TEST(CaseBlindLookupTest, MatchesAndRenamesOnlyByTheCodePageCaseMapping)
{
    QTemporaryDir folder;
    QFile(folder.filePath(QString::fromUtf8("vıdeo_ts.ifo"))).open(QIODevice::WriteOnly);
    QFile(folder.filePath(QString::fromUtf8("ſtill"))).open(QIODevice::WriteOnly);
    QFile(folder.filePath(QString::fromUtf8("ärger"))).open(QIODevice::WriteOnly);
    EXPECT_FALSE(FolderListing(folder.path()).Find("VIDEO_TS.IFO"));
    EXPECT_FALSE(FolderListing(folder.path()).Find("STILL"));

    const auto found = FolderListing(folder.path()).Find(QString::fromUtf8("ÄRGER"));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->storedName, QString::fromUtf8("ärger").toUtf8());
    EXPECT_FALSE(found->isDirectory);
    EXPECT_EQ(UppercaseEntryName(folder.path(), *found), QString::fromUtf8("ÄRGER").toUtf8());
    EXPECT_TRUE(QFile::exists(folder.filePath(QString::fromUtf8("ÄRGER"))));
    EXPECT_FALSE(FolderListing(folder.path() + "/missing").Find("X"));
}

TEST(NoClobberRenameTest, RefusesToReplaceAndLosesNothing)
{
    QTemporaryDir folder;
    const QByteArray lower = QFile::encodeName(folder.filePath("name"));
    const QByteArray upper = QFile::encodeName(folder.filePath("NAME"));
    auto write = [](const QByteArray& path, const QByteArray& contents) {
        QFile file(QFile::decodeName(path));
        return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
    };
    ASSERT_TRUE(write(lower, "lower"));
    ASSERT_TRUE(write(upper, "upper"));
    EXPECT_FALSE(RenameNoReplace(lower, upper));

    // Two names of one file look like a case-blind file system; still nothing moves.
    const QByteArray linked = QFile::encodeName(folder.filePath("Name"));
    ASSERT_EQ(link(upper.constData(), linked.constData()), 0);
    EXPECT_FALSE(RenameNoReplace(linked, upper));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({"NAME", "Name", "name"}));

    EXPECT_TRUE(RenameNoReplace(lower, QFile::encodeName(folder.filePath("other"))));
    QFile moved(folder.filePath("other"));
    ASSERT_TRUE(moved.open(QIODevice::ReadOnly));
    EXPECT_EQ(moved.readAll(), "lower");
}

// File systems such as NFS refuse the no-replace flag; the way round it must
// keep the same promise.
TEST(NoClobberRenameTest, WithoutTheKernelFlagNothingIsReplacedEither)
{
    QTemporaryDir folder;
    auto path = [&](const char* name) { return QFile::encodeName(folder.filePath(name)); };
    auto write = [](const QByteArray& file, const QByteArray& contents) {
        QFile out(QFile::decodeName(file));
        return out.open(QIODevice::WriteOnly) && out.write(contents) == contents.size();
    };
    auto read = [](const QByteArray& file) {
        QFile in(QFile::decodeName(file));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
    };
    ASSERT_TRUE(write(path("video_ts.ifo"), "manager"));
    ASSERT_TRUE(write(path("taken"), "taken"));
    ASSERT_TRUE(QDir(folder.path()).mkpath("video_ts/inside"));
    ASSERT_TRUE(QDir(folder.path()).mkpath("full/kept"));
    ASSERT_TRUE(QDir(folder.path()).mkdir("empty"));

    EXPECT_FALSE(RenameWithoutReplaceFlag(path("video_ts.ifo"), path("taken")));
    EXPECT_EQ(errno, EEXIST);
    EXPECT_FALSE(RenameWithoutReplaceFlag(path("video_ts.ifo"), path("empty")));
    EXPECT_FALSE(RenameWithoutReplaceFlag(path("video_ts"), path("taken")));
    EXPECT_FALSE(RenameWithoutReplaceFlag(path("video_ts"), path("full")));
    EXPECT_FALSE(RenameWithoutReplaceFlag(path("video_ts"), path("empty")));
    EXPECT_FALSE(RenameWithoutReplaceFlag(path("missing"), path("free")));
    EXPECT_EQ(read(path("taken")), "taken");
    EXPECT_EQ(read(path("video_ts.ifo")), "manager");
    EXPECT_TRUE(QFileInfo(folder.filePath("full/kept")).isDir());
    EXPECT_TRUE(QFileInfo(folder.filePath("video_ts/inside")).isDir());

    EXPECT_TRUE(RenameWithoutReplaceFlag(path("video_ts.ifo"), path("VIDEO_TS.IFO")));
    EXPECT_TRUE(RenameWithoutReplaceFlag(path("video_ts"), path("VIDEO_TS")));
    QStringList entries = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    entries.sort();
    EXPECT_EQ(entries, QStringList({"VIDEO_TS", "VIDEO_TS.IFO", "empty", "full", "taken"}));
    EXPECT_EQ(read(path("VIDEO_TS.IFO")), "manager");
    EXPECT_TRUE(QFileInfo(folder.filePath("VIDEO_TS/inside")).isDir());
}

} // namespace
