// Native recording through the whole program: a real build of the fixture
// recorded by the real xorriso to a stdio pseudo-drive, followed in the main
// window; a split build streamed as one track; a full device; an abort; and
// the refusals and failures that keep a false success from being reported.
#include "app/apptesthelpers.h"
#include "app/maindialog.h"
#include "app/poweroff.h"
#include "burn/recordingdevice.h"
#include "burn/xorrisorecording.h"
#include "dialogs/logdialog.h"
#include "fakes/testprogramfolder.h"
#include "imaging/windowbuild.h"
#include "support/scriptedmessagebox.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kFixture = QStringLiteral(ISOMINT_TEST_DATA_DIR "/dvd/two-titlesets");

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The image byte for byte, then at most the zeros that round the written area
// up to a 32 KiB block.
bool DiscHolds(const QString& disc, const QString& image)
{
    const QByteArray written = Read(disc);
    const QByteArray expected = Read(image);
    const QByteArray tail = written.mid(expected.size());
    return !expected.isEmpty() && written.startsWith(expected) && tail.size() < 32 * 1024 &&
           tail.count('\0') == tail.size();
}

// Stands in for logind: answers, and counts the requests.
class FakePowerOff : public PowerOff
{
public:
    explicit FakePowerOff(int* requests) : m_requests(requests) {}
    bool Available() override { return true; }
    bool Request() override
    {
        ++*m_requests;
        return true;
    }

private:
    int* m_requests;
};

class XorrisoWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_xorriso = QStandardPaths::findExecutable(QStringLiteral("xorriso"));
        if (m_xorriso.isEmpty())
            GTEST_SKIP() << "xorriso is not installed";
    }

    std::unique_ptr<MainDialog> Open(const TestProgramFolder& folder)
    {
        auto window = std::make_unique<MainDialog>(
            folder.Path(), &m_boxes,
            MonitorTimings{std::chrono::milliseconds(10), std::chrono::milliseconds(100)});
        window->show();
        return window;
    }

    // Builds, then waits for the box that follows the build's own.
    void BuildAndWait(MainDialog& window, const TestProgramFolder& folder)
    {
        const qsizetype before = m_boxes.Count();
        TestProgramFolder::CopyTree(kFixture, folder.File("dvd"));
        Find<QLineEdit>(window, "sourceEdit")->setText(folder.File("dvd"));
        Find<QLineEdit>(window, "outputEdit")->setText(folder.File("movie.iso"));
        Find<QLineEdit>(window, "volumeEdit")->setText(QStringLiteral("MOVIE"));
        Find<QPushButton>(window, "imageButton")->click();
        ASSERT_TRUE(RunUntil([&] { return !window.Engine().IsBuilding(); }, 120000));
        ASSERT_TRUE(RunUntil([&] { return m_boxes.Count() >= before + 2; }, 120000));
        EXPECT_EQ(m_boxes.Count(), before + 2);
        EXPECT_EQ(m_boxes.Shown().at(before).caption, "Information");
        EXPECT_FALSE(window.IsRecording());
    }

    // Builds, then waits for the recording that follows to end.
    void BuildAndRecord(MainDialog& window, const TestProgramFolder& folder)
    {
        BuildAndWait(window, folder);
        ASSERT_NE(window.Recording(), nullptr);
        m_output = window.Recording()->Output().toStdString();
    }

    // A recorder named xorriso in the folder: a shell script around the real one.
    QString WriteWrapper(const TestProgramFolder& folder, const QString& body) const
    {
        QDir(folder.Path()).mkdir(QStringLiteral("bin"));
        const QString path = folder.File("bin/xorriso");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            QFile::encodeName(QStringLiteral("#!/bin/sh\nREAL='%1'\n%2\n").arg(m_xorriso, body)));
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return path;
    }

    void ExpectFailureBox(const QString& text)
    {
        EXPECT_EQ(m_boxes.Last().caption, "Recording Failed");
        EXPECT_EQ(m_boxes.Last().text, text) << m_output;
        EXPECT_EQ(m_boxes.Last().kind, BoxKind::Error);
    }

    QString m_xorriso;
    std::string m_output; // the recorder's, for failure messages
    ScriptedMessageBox m_boxes;
};

TEST_F(XorrisoWindowTest, RealBuildIsRecordedAndPlaysBackFromThePseudoDisc)
{
    TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
    const QString disc = folder.File("disc");
    folder.WriteSettings(0, 1, 1, m_xorriso, "stdio:" + disc, 0);
    auto window = Open(folder);
    ASSERT_EQ(m_boxes.Shown(), QList<MessageBoxRequest>());
    BuildAndRecord(*window, folder);

    EXPECT_EQ(m_boxes.Last().caption, "Information");
    EXPECT_EQ(m_boxes.Last().text, "The image was recorded successfully.") << m_output;
    EXPECT_EQ(m_boxes.Last().kind, BoxKind::Information);
    EXPECT_TRUE(DiscHolds(disc, folder.File("movie.iso")));
    const DiscInfo info = ReadWithLsdvd(disc);
    EXPECT_EQ(info.title, "MOVIE");
    EXPECT_EQ(info.titles, 2);
    EXPECT_EQ(Find<QProgressBar>(*window, "progressBar")->value(), 100);
    EXPECT_TRUE(Find<QPushButton>(*window, "imageButton")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(*window, "abortButton")->isEnabled());
    // Erasing was on; the run and its output are in the log after the build's.
    WhenModalShown<QDialog>([](QDialog& log) { log.accept(); });
    Find<QPushButton>(*window, "logButton")->click();
    EXPECT_TRUE(window->LogWindow().LogText().contains("extents written"));
    EXPECT_TRUE(window->LogWindow().LogText().contains("blank=as_needed"));
    EXPECT_TRUE(window->LogWindow().LogText().contains("completed successfully"));
}

TEST_F(XorrisoWindowTest, SplitBuildStreamsItsChunksAsOneTrack)
{
    TestProgramFolder fake(QStringLiteral(ISOMINT_FAKE_MKISOFS));
    const QString disc = fake.File("disc");
    fake.WriteSettings(1, 1, 0, m_xorriso, "stdio:" + disc, 0);
    ASSERT_TRUE(TestProgramFolder::BuildRealImage(kFixture, fake.File("real.iso")));
    fake.WriteScript({"out  50.00% done", "image " + fake.File("real.iso") + " 3", "exit 0"});
    auto window = Open(fake);
    BuildAndRecord(*window, fake);

    EXPECT_EQ(m_boxes.Last().text, "The image was recorded successfully.") << m_output;
    EXPECT_TRUE(QFile::exists(fake.File("movie.iso_02")));
    EXPECT_TRUE(DiscHolds(disc, fake.File("real.iso")));
    EXPECT_EQ(ReadWithLsdvd(disc).titles, 2);
}

TEST_F(XorrisoWindowTest, VerifyReadsThePseudoDiscBackAndOnlyThenReportsSuccess)
{
    TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
    const QString disc = folder.File("disc");
    folder.WriteSettings(0, 1, 0, m_xorriso, "stdio:" + disc, 0);
    auto window = Open(folder);
    auto* verify = Find<QCheckBox>(*window, "verifyCheck");
    ASSERT_TRUE(verify->isEnabled());
    EXPECT_FALSE(Find<QCheckBox>(*window, "shutdownCheck")->isEnabled()); // no logind here
    verify->click();
    BuildAndRecord(*window, folder);

    EXPECT_EQ(m_boxes.Last().text, "The image was recorded and verified successfully.") << m_output;
    EXPECT_EQ(m_boxes.Last().kind, BoxKind::Information);
    EXPECT_FALSE(window->IsRecording());
    EXPECT_TRUE(window->Recording()->Output().contains("dev=stdio:"));
    EXPECT_FALSE(window->Recording()->Output().contains("-eject"));
}

TEST_F(XorrisoWindowTest, PowerOffOnlyAfterAVerifiedRecording)
{
    TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
    folder.WriteSettings(0, 1, 0, m_xorriso, "stdio:" + folder.File("disc"), 0);
    auto window = Open(folder);
    int requests = 0;
    window->SetPowerOff(std::make_unique<FakePowerOff>(&requests));
    auto* shutdown = Find<QCheckBox>(*window, "shutdownCheck");
    ASSERT_TRUE(shutdown->isEnabled());
    shutdown->click();
    // Unverified: the recording reports and the computer stays on.
    BuildAndRecord(*window, folder);
    EXPECT_EQ(m_boxes.Last().text, "The image was recorded successfully.") << m_output;
    EXPECT_EQ(requests, 0);

    Find<QCheckBox>(*window, "verifyCheck")->click();
    Find<QPushButton>(*window, "imageButton")->click();
    ASSERT_TRUE(RunUntil([&] { return !window->Engine().IsBuilding(); }, 120000));
    ASSERT_TRUE(RunUntil([&] { return requests == 1; }, 60000));
    ASSERT_TRUE(RunUntil([&] { return !window->IsRecording(); }, 10000));
    EXPECT_EQ(m_boxes.Count(), 3); // the second build's box; none for the power-off
}

TEST_F(XorrisoWindowTest, FullDeviceGivesTheFailureBox)
{
    TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
    folder.WriteSettings(0, 1, 0, m_xorriso, "stdio:/dev/full", 0);
    auto window = Open(folder);
    BuildAndRecord(*window, folder);

    EXPECT_EQ(m_boxes.Last().caption, "Recording Failed");
    EXPECT_TRUE(m_boxes.Last().text.startsWith("Recording failed (xorriso exit code "));
    EXPECT_EQ(m_boxes.Last().kind, BoxKind::Error);
    EXPECT_TRUE(window->Recording()->Output().contains("No space left on device"));
    EXPECT_TRUE(Find<QPushButton>(*window, "imageButton")->isEnabled());
}

// The files the image check read are the ones recorded: a chunk or image
// removed, shortened or rewritten after the check is named, and nothing is written.
TEST_F(XorrisoWindowTest, ImageChangedAfterItsCheckIsNotRecorded)
{
    struct Case
    {
        bool split;
        const char* changed;
        std::function<void(QFile&)> change;
    };
    const std::function<void(QFile&)> remove = [](QFile& file) { file.remove(); };
    const std::function<void(QFile&)> shorten = [](QFile& file) {
        file.resize(file.size() - 2048);
    };
    const std::function<void(QFile&)> rewrite = [](QFile& file) {
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        const QByteArray bytes = file.readAll();
        file.seek(0);
        file.write(bytes); // same bytes and size, a new modification time
    };
    // The same size and the old modification time put back: only the inode tells.
    const std::function<void(QFile&)> disguise = [](QFile& file) {
        const QByteArray name = QFile::encodeName(file.fileName());
        struct stat before = {};
        ASSERT_EQ(::stat(name.constData(), &before), 0);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(file.size() / 2);
        file.write(QByteArray(2048, '\0'));
        file.close();
        const timespec times[2] = {before.st_atim, before.st_mtim};
        ASSERT_EQ(::utimensat(AT_FDCWD, name.constData(), times, 0), 0);
    };
    for (const Case& test :
         {Case{true, "movie.iso_02", remove}, Case{true, "movie.iso_01", shorten},
          Case{true, "movie.iso_00", rewrite}, Case{false, "movie.iso", shorten},
          Case{false, "movie.iso", disguise}}) {
        SCOPED_TRACE(test.changed);
        m_boxes.Clear();
        TestProgramFolder folder(test.split ? QStringLiteral(ISOMINT_FAKE_MKISOFS)
                                            : QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
        const QString disc = folder.File("disc");
        folder.WriteSettings(test.split ? 1 : 0, 1, 0, m_xorriso, "stdio:" + disc, 0);
        if (test.split) {
            ASSERT_TRUE(TestProgramFolder::BuildRealImage(kFixture, folder.File("real.iso")));
            folder.WriteScript({"image " + folder.File("real.iso") + " 3", "exit 0"});
        }
        auto window = Open(folder);
        // Right after the check, while the build's own box would be up.
        QObject::connect(&window->Engine(), &WindowBuild::ImageBuilt, window.get(), [&] {
            QFile file(folder.File(QString::fromLatin1(test.changed)));
            // A later modification time, even on the kernel's coarse file clock.
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            test.change(file);
        });
        BuildAndWait(*window, folder);
        if (HasFatalFailure())
            return;
        ExpectFailureBox(QStringLiteral("Nothing was recorded: \"%1\" is no longer the file that "
                                        "was built and checked.\nBuild the image again.")
                             .arg(folder.File(QString::fromLatin1(test.changed))));
        EXPECT_EQ(window->Recording(), nullptr);
        EXPECT_FALSE(QFile::exists(disc));
    }
}

// Only an optical drive or an explicit stdio: pseudo-drive is handed to
// xorriso; anything else is refused and never becomes a file of that name.
TEST_F(XorrisoWindowTest, DeviceThatIsNoDriveIsRefused)
{
    TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
    const QString plain = folder.File("plain");
    ASSERT_TRUE(QFile(plain).open(QIODevice::WriteOnly));
    folder.WriteSettings(0, 1, 0, m_xorriso, QString(), 0);
    auto window = Open(folder);
    for (const QString& drive :
         {QStringLiteral("D:"), QStringLiteral("stdio:disc"), QStringLiteral("STDIO:/tmp/disc"),
          QStringLiteral("/dev/null"), plain, QString()}) {
        SCOPED_TRACE(drive.toStdString());
        folder.WriteSettings(0, 1, 0, m_xorriso, drive, 0);
        BuildAndWait(*window, folder);
        if (HasFatalFailure())
            return;
        ExpectFailureBox(RecordingDeviceRefusal(drive));
        EXPECT_EQ(window->Recording(), nullptr);
        for (const QString& name : {QStringLiteral("D:"), QStringLiteral("disc")}) {
            EXPECT_FALSE(QFile::exists(QDir::current().filePath(name)));
            EXPECT_FALSE(QFile::exists(folder.File(name)));
        }
        EXPECT_EQ(QFileInfo(plain).size(), 0);
    }
}

// Exit code 0 is not enough: xorriso must say that the write to this device
// completed, and the medium must then hold the image's blocks.
TEST_F(XorrisoWindowTest, RecordingCountsOnlyWithXorrisosOwnReport)
{
    const QString unconfirmed = XorrisoRecording::ResultText(RecordingResult::Unconfirmed, 0);
    struct Case
    {
        const char* name;
        const char* body;
        const char* logged;
    };
    const Case cases[] = {
        {"silent exit 0", "exit 0", "xorriso did not report \"Writing to 'stdio:"},
        {"another device",
         "for a; do shift; case \"$a\" in dev=*) a=\"dev=stdio:${0%/*}/other\";; esac\n"
         "set -- \"$@\" \"$a\"; done\nexec \"$REAL\" \"$@\"",
         "xorriso did not report"},
        {"half the image",
         "for a; do shift; case \"$a\" in */movie.iso) head -c 65536 \"$a\" > \"$a.half\"\n"
         "a=\"$a.half\";; esac; set -- \"$@\" \"$a\"; done\nexec \"$REAL\" \"$@\"",
         "xorriso reported 32 data blocks on the medium; the image has "},
    };
    for (const auto& [name, body, logged] : cases) {
        SCOPED_TRACE(name);
        m_boxes.Clear();
        TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
        const QString wrapper = WriteWrapper(folder, QString::fromLatin1(body));
        folder.WriteSettings(0, 1, 0, wrapper, "stdio:" + folder.File("disc"), 0);
        auto window = Open(folder);
        BuildAndRecord(*window, folder);
        if (HasFatalFailure())
            return;
        ExpectFailureBox(unconfirmed);
        EXPECT_TRUE(window->Recording()->Output().contains(QLatin1String(logged))) << m_output;
    }
}

// Verify compares the disc byte for byte with the image's length: a changed
// byte or a disc shorter than the image fails after a write xorriso confirmed.
// The eject after the verify runs the wrapper again, without the image.
TEST_F(XorrisoWindowTest, VerifyFindsADiscThatDiffersFromTheImage)
{
    const std::pair<const char*, const char*> cases[] = {
        {"one byte changed", "printf X | dd of=\"$DISC\" bs=1 seek=40000 conv=notrunc"},
        {"disc cut short", "truncate -s 65536 \"$DISC\""},
    };
    for (const auto& [name, damage] : cases) {
        SCOPED_TRACE(name);
        m_boxes.Clear();
        TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
        const QString disc = folder.File("disc");
        const QString wrapper =
            WriteWrapper(folder, QStringLiteral("DISC='%1'\n\"$REAL\" \"$@\" || exit\n"
                                                "case \"$*\" in *movie.iso) %2 2>/dev/null;; esac")
                                     .arg(disc, QString::fromLatin1(damage)));
        folder.WriteSettings(0, 1, 0, wrapper, "stdio:" + disc, 0);
        auto window = Open(folder);
        Find<QCheckBox>(*window, "verifyCheck")->click();
        BuildAndRecord(*window, folder);
        if (HasFatalFailure())
            return;
        ExpectFailureBox(QStringLiteral("Verification failed: the disc does not match the "
                                        "image.\nSee log for details."));
    }
}

TEST_F(XorrisoWindowTest, AbortMidWriteEndsTheRecorderSilently)
{
    TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
    // A pipe nobody drains: xorriso fills it and waits, mid-write.
    const QString fifo = folder.File("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    folder.WriteSettings(0, 1, 0, m_xorriso, "stdio:" + fifo, 0);
    auto window = Open(folder);
    TestProgramFolder::CopyTree(kFixture, folder.File("dvd"));
    Find<QLineEdit>(*window, "sourceEdit")->setText(folder.File("dvd"));
    Find<QLineEdit>(*window, "outputEdit")->setText(folder.File("movie.iso"));
    Find<QPushButton>(*window, "imageButton")->click();
    ASSERT_TRUE(RunUntil([&] { return window->IsRecording(); }, 120000));
    ASSERT_TRUE(RunUntil(
        [&] { return window->Recording()->Output().contains("Beginning to write"); }, 20000));
    EXPECT_TRUE(Find<QPushButton>(*window, "abortButton")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(*window, "imageButton")->isEnabled());
    const qint64 pid = window->Recording()->Pid();

    Find<QPushButton>(*window, "abortButton")->click();
    EXPECT_TRUE(RunUntil([&] { return !window->IsRecording(); }, 4000));
    EXPECT_TRUE(RunUntil([pid] { return ProcessGone(pid); }, 4000));
    RunFor(200);
    EXPECT_EQ(m_boxes.Count(), 1); // the build's box only
    EXPECT_TRUE(Find<QPushButton>(*window, "imageButton")->isEnabled());
    ::close(reader);
}

} // namespace
