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

    // Every DVD-Video name in lower case, as some copying tools leave them.
    void LowerCaseNames()
    {
        Rename("VIDEO_TS", "video_ts");
        const QStringList files = QDir(Path("video_ts")).entryList(QDir::Files);
        for (const QString& file : files)
            Rename("video_ts/" + file, "video_ts/" + file.toLower());
    }

    QString Path(const QString& relative) const { return m_source + "/" + relative; }
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
    OutcomeText NeededFileError(const QString& name) const
    {
        return {QStringLiteral("Error"), "Missing needed file: " + Formed(name),
                OutcomeKind::Error};
    }

    // Relative paths, in the order the box names them.
    OutcomeText VariantsError(const QStringList& relative) const
    {
        QString text = QStringLiteral("These names differ only in case:\n");
        for (const QString& path : relative)
            text += Path(path) + '\n';
        return {QStringLiteral("Error"), text + QStringLiteral("Keep one of them and try again."),
                OutcomeKind::Error};
    }
    static OutcomeText LinkError(const QString& path)
    {
        return {QStringLiteral("Error"),
                '"' + path +
                    QStringLiteral("\" is a symbolic link. The image builder leaves links out, so "
                                   "the disc would not play.\nCopy the file itself into VIDEO_TS."),
                OutcomeKind::Error};
    }

    QTemporaryDir m_temp;
    QString m_source;
    CheckMessages m_boxes;
};

TEST_F(DvdFolderTest, LowerCaseTreeEndsExactlyInUpperCaseWithAudioTs)
{
    CopyFixture("two-titlesets");
    LowerCaseNames();

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

TEST_F(DvdFolderTest, MixedCaseAndAnExistingAudioFolderAreUpperCased)
{
    CopyFixture("one-titleset");
    Rename("VIDEO_TS", "Video_Ts");
    Rename("Video_Ts/VTS_01_1.VOB", "Video_Ts/Vts_01_1.Vob");
    ASSERT_TRUE(QDir(m_source).mkdir("audio_ts"));
    Write("audio_ts/keep.txt", "kept");

    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), 0);
    EXPECT_TRUE(QFile::exists(Path("VIDEO_TS/VTS_01_1.VOB")));
    EXPECT_EQ(Read(Path("AUDIO_TS/keep.txt")), "kept");
    EXPECT_FALSE(QFile::exists(Path("audio_ts")));
}

TEST_F(DvdFolderTest, GapsInTheTitleSetsPassSilently)
{
    CopyFixture("two-titlesets");
    const QStringList kinds = {"0.IFO", "1.VOB", "0.BUP"};
    for (const QString& kind : kinds)
        Rename("VIDEO_TS/VTS_02_" + kind, "VIDEO_TS/VTS_03_" + kind);
    LowerCaseNames();

    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), 0);
    EXPECT_EQ(m_boxes.Count(), 0);
    for (const QString& kind : kinds) {
        EXPECT_TRUE(QFile::exists(Path("VIDEO_TS/VTS_01_" + kind))) << qPrintable(kind);
        EXPECT_TRUE(QFile::exists(Path("VIDEO_TS/VTS_03_" + kind))) << qPrintable(kind);
    }
}

TEST_F(DvdFolderTest, TitleSetWithoutInformationFileIsSkippedEntirely)
{
    CopyFixture("two-titlesets");
    Remove("VIDEO_TS/VTS_02_0.IFO");
    LowerCaseNames();
    Copy("video_ts/vts_01_1.vob", "video_ts/vts_01_10.vob"); // beyond the last part

    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), 0);
    EXPECT_EQ(m_boxes.Count(), 0);
    EXPECT_TRUE(QFile::exists(Path("VIDEO_TS/vts_02_1.vob")));
    EXPECT_TRUE(QFile::exists(Path("VIDEO_TS/vts_02_0.bup")));
    EXPECT_TRUE(QFile::exists(Path("VIDEO_TS/vts_01_10.vob")));
    EXPECT_TRUE(QFile::exists(Path("VIDEO_TS/VTS_01_1.VOB")));
}

// A No changes nothing; after a Yes every part is upper-cased.
TEST_F(DvdFolderTest, MissingPartOneAsksAndOnlyAYesChangesTheSource)
{
    CopyFixture("two-titlesets");
    Rename("VIDEO_TS/VTS_01_1.VOB", "VIDEO_TS/VTS_01_2.VOB");
    Copy("VIDEO_TS/VTS_01_2.VOB", "VIDEO_TS/VTS_01_9.VOB");
    LowerCaseNames();
    const QStringList before = Tree();

    m_boxes.Answer(false);
    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), -1);
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(m_boxes.Last(), Warning("VTS_01_1.VOB"));
    EXPECT_EQ(Tree(), before);

    m_boxes.Clear();
    m_boxes.Answer(true);
    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), 0);
    EXPECT_EQ(m_boxes.Count(), 1);
    EXPECT_TRUE(QFile::exists(Path("VIDEO_TS/VTS_01_9.VOB")));
    EXPECT_TRUE(QFile::exists(Path("VIDEO_TS/VTS_01_0.BUP")));
    EXPECT_TRUE(QFile::exists(Path("VIDEO_TS/VTS_02_1.VOB")));
}

TEST_F(DvdFolderTest, MissingTitleSetBackupAsks)
{
    CopyFixture("two-titlesets");
    Remove("VIDEO_TS/VTS_01_0.BUP");
    LowerCaseNames();

    m_boxes.Answer(false);
    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), -1);
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(m_boxes.Last(), Warning("VTS_01_0.BUP"));
    EXPECT_TRUE(QFile::exists(Path("video_ts/vts_02_0.ifo")));
    EXPECT_FALSE(QFile::exists(Path("AUDIO_TS")));

    m_boxes.Answer(true);
    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), 0);
    EXPECT_EQ(m_boxes.Count(), 2);
    EXPECT_TRUE(QFile::exists(Path("VIDEO_TS/VTS_02_0.BUP")));
}

TEST_F(DvdFolderTest, MissingManagerFilesRefuseTheBuildNamingTheFormedPath)
{
    CopyFixture("one-titleset");
    Remove("VIDEO_TS/VIDEO_TS.BUP");
    LowerCaseNames();

    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), -1);
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(m_boxes.Last(), NeededFileError("video_ts.bup"));
    // A refused build leaves the source as it was.
    EXPECT_FALSE(QFile::exists(Path("AUDIO_TS")));
    EXPECT_TRUE(QFile::exists(Path("video_ts/video_ts.ifo")));

    m_boxes.Clear();
    Remove("video_ts/video_ts.ifo");
    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), -1);
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(m_boxes.Last(), NeededFileError("video_ts.ifo"));
}

TEST_F(DvdFolderTest, NoVideoFolderIsReported)
{
    ASSERT_TRUE(QDir().mkpath(m_source));
    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), -1);
    ASSERT_EQ(m_boxes.Count(), 1);
    const OutcomeText expected{
        QStringLiteral("Error"),
        QStringLiteral("Can't find a \"VIDEO_TS\" directory.\nThis directory must exist below "
                       "the given Source Directory!"),
        OutcomeKind::Error};
    EXPECT_EQ(m_boxes.Last(), expected);
    EXPECT_EQ(Tree(), QStringList());

    // An empty source names no folder at all; nothing may be created anywhere.
    EXPECT_EQ(CheckDvdFolder(QString(), m_boxes), -1);
    EXPECT_EQ(m_boxes.Count(), 2);
    EXPECT_EQ(m_boxes.Last(), expected);
}

TEST_F(DvdFolderTest, FilesNamedLikeTheFoldersAreLeftAlone)
{
    ASSERT_TRUE(QDir().mkpath(m_source));
    Write("audio_ts", "a file");
    Write("video_ts", "a file");

    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), -1);
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(m_boxes.Last(), NeededFileError("video_ts.ifo"));
    EXPECT_EQ(Tree(), QStringList({"audio_ts", "video_ts"}));
}

// Which spelling would take the upper-case name was up to byte order, and the
// builder took the other in under a mangled name.
TEST_F(DvdFolderTest, NamesDifferingOnlyInCaseStopTheCheckBeforeAnyChange)
{
    CopyFixture("two-titlesets");
    LowerCaseNames();
    Write("video_ts/VIDEO_TS.IFO", "a stray copy");
    Write("video_ts/Vts_02_1.Vob", "another spelling");
    const QStringList before = Tree();

    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), -1);
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(m_boxes.Last(), VariantsError({"video_ts/VIDEO_TS.IFO", "video_ts/video_ts.ifo",
                                             "video_ts/Vts_02_1.Vob", "video_ts/vts_02_1.vob"}));
    EXPECT_EQ(Tree(), before); // no AUDIO_TS, nothing upper-cased
    EXPECT_EQ(Read(Path("video_ts/VIDEO_TS.IFO")), "a stray copy");

    // The folders are looked at the same way.
    Remove("video_ts/VIDEO_TS.IFO");
    Remove("video_ts/Vts_02_1.Vob");
    for (const char* folder : {"VIDEO_TS", "Audio_TS", "audio_ts"})
        ASSERT_TRUE(QDir(m_source).mkdir(folder));
    m_boxes.Clear();
    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), -1);
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(m_boxes.Last(), VariantsError({"Audio_TS", "audio_ts", "VIDEO_TS", "video_ts"}));

    // Once the user has chosen, the check goes on as usual.
    for (const char* folder : {"VIDEO_TS", "Audio_TS"})
        ASSERT_TRUE(QDir(m_source).rmdir(folder));
    m_boxes.Clear();
    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), 0);
    EXPECT_EQ(m_boxes.Count(), 0);
    EXPECT_TRUE(QFile::exists(Path("AUDIO_TS")));
    EXPECT_TRUE(QFile::exists(Path("VIDEO_TS/VTS_02_1.VOB")));
}

TEST_F(DvdFolderTest, SymbolicLinksStopTheCheckBeforeAnyChange)
{
    CopyFixture("one-titleset");
    LowerCaseNames();
    QTemporaryDir elsewhere;
    const QString moved = elsewhere.filePath("vts_01_1.vob");
    ASSERT_TRUE(QFile::rename(Path("video_ts/vts_01_1.vob"), moved));
    ASSERT_TRUE(QFile::link(moved, Path("video_ts/vts_01_1.vob")));
    const QStringList before = Tree();

    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), -1);
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(m_boxes.Last(), LinkError(Path("video_ts/vts_01_1.vob")));
    EXPECT_EQ(Tree(), before);

    // Any file in VIDEO_TS, even one the disc does not need, and a dangling link too.
    Remove("video_ts/vts_01_1.vob");
    ASSERT_TRUE(QFile::rename(moved, Path("video_ts/vts_01_1.vob")));
    ASSERT_TRUE(QFile::link(elsewhere.filePath("gone"), Path("video_ts/notes.txt")));
    m_boxes.Clear();
    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), -1);
    EXPECT_EQ(m_boxes.Last(), LinkError(Path("video_ts/notes.txt")));
    Remove("video_ts/notes.txt");

    // VIDEO_TS itself as a link to a folder elsewhere.
    const QString linked = m_temp.filePath("Linked");
    ASSERT_TRUE(QDir().mkpath(linked));
    ASSERT_TRUE(QFile::link(Path("video_ts"), linked + "/video_ts"));
    m_boxes.Clear();
    EXPECT_EQ(CheckDvdFolder(linked, m_boxes), -1);
    EXPECT_EQ(m_boxes.Last(), LinkError(linked + "/video_ts"));
    EXPECT_EQ(Tree(linked), QStringList({"video_ts/"}));
    EXPECT_EQ(Tree(), before);
}

// The builder leaves out a file it cannot read and still succeeds.
TEST_F(DvdFolderTest, AnUnreadableFileStopsTheCheckBeforeAnyChange)
{
    if (RanAsNobodyInstead())
        return;
    CopyFixture("two-titlesets");
    LowerCaseNames();
    Write("video_ts/notes.txt", "not part of the disc, but it would go in");
    const QByteArray vob = QFile::encodeName(Path("video_ts/vts_02_1.vob"));
    const QByteArray notes = QFile::encodeName(Path("video_ts/notes.txt"));
    ASSERT_EQ(chmod(vob.constData(), 0), 0);
    ASSERT_EQ(chmod(notes.constData(), 0), 0);

    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), -1);
    ASSERT_EQ(m_boxes.Count(), 1);
    // Named as it is, the first in byte order; nothing renamed.
    const OutcomeText expected{QStringLiteral("Error"),
                               "Cannot read \"" + Path("video_ts/notes.txt") +
                                   "\": Permission denied.\nThe image would be built without it.",
                               OutcomeKind::Error};
    EXPECT_EQ(m_boxes.Last(), expected);
    EXPECT_FALSE(QFileInfo(Path("AUDIO_TS")).isDir());
    EXPECT_TRUE(QFile::exists(Path("video_ts/vts_01_0.bup")));

    ASSERT_EQ(chmod(notes.constData(), 0644), 0);
    m_boxes.Clear();
    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), -1);
    EXPECT_TRUE(m_boxes.Last().text.startsWith("Cannot read \"" + Path("video_ts/vts_02_1.vob")))
        << qPrintable(m_boxes.Last().text);

    ASSERT_EQ(chmod(vob.constData(), 0644), 0);
    EXPECT_EQ(CheckDvdFolder(m_source, m_boxes), 0);
    EXPECT_EQ(m_boxes.Count(), 1);
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
         {"mount --bind \"$dir\" \"$dir\"", "mount -o remount,bind,ro \"$dir\""},
         -1,
         "Cannot rename \"" + folder + "/video_ts\" to \"" + folder +
             "/VIDEO_TS\": Read-only file system.\nThe image builder would not find it under "
             "its present name."},
        {"vfat",
         {"truncate -s 8M \"$dir.img\"", "mkfs.vfat \"$dir.img\" >/dev/null",
          "mount -o loop \"$dir.img\" \"$dir\"", "cp -r \"$dir.copy/.\" \"$dir/\""},
         0,
         {}},
    };
    CopyFixture("two-titlesets");
    LowerCaseNames();
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
