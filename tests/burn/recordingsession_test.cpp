// A recording session from the hand-over of a real image to its report, with
// the real xorriso on stdio pseudo-drives.
#include "burn/poweroffservice.h"
#include "burn/recordingchoices.h"
#include "burn/recordingdevice.h"
#include "burn/recordingsession.h"
#include "burn/xorrisorecording.h"
#include "fakes/testprogramfolder.h"
#include "settings/programsettings.h"
#include "support/eventloop.h"
#include "support/filebytes.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

// Stands in for logind: always there, and counts the requests.
class CountingPowerOff : public PowerOffService
{
public:
    bool Available() override { return true; }
    bool Request() override
    {
        ++requests;
        return true;
    }
    int requests = 0;
};

// movie.iso, a real image of the fixture, and the same image as the three
// chunks a split build leaves.
class RecordingSessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_xorriso = QStandardPaths::findExecutable(QStringLiteral("xorriso"));
        if (m_xorriso.isEmpty())
            GTEST_SKIP() << "xorriso is not installed";
        ASSERT_TRUE(TestProgramFolder::BuildRealImage(ISOMINT_TEST_DATA_DIR "/dvd/two-titlesets",
                                                      File("movie.iso")));
        m_image = FileBytes(File("movie.iso"));
        WriteImageFiles();
        m_settings.SetProgramFolder(m_folder.Path());
    }

    // The image file and its chunks anew, as new files.
    void WriteImageFiles()
    {
        QFile::remove(File("movie.iso"));
        ASSERT_TRUE(WriteBytes(File("movie.iso"), m_image));
        const qsizetype third = m_image.size() / 2048 / 3 * 2048;
        m_chunks.clear();
        for (int n = 0; n < 3; ++n) {
            m_chunks << File(QStringLiteral("movie.iso_%1").arg(n, 2, 10, QLatin1Char('0')));
            QFile::remove(m_chunks.last());
            ASSERT_TRUE(WriteBytes(m_chunks.last(), m_image.mid(n * third, n == 2 ? -1 : third)));
        }
    }

    QString File(const QString& name) const { return m_folder.File(name); }

    RecordingPlan Plan(const QString& drive, const QString& recorder = QString()) const
    {
        RecordingPlan plan;
        plan.recorder = recorder.isEmpty() ? m_xorriso : recorder;
        plan.drive = drive;
        return plan;
    }

    // Records the pending image and waits for the report.
    static RecordingReport Record(RecordingSession& session, const RecordingPlan& plan)
    {
        std::optional<RecordingReport> report;
        QObject::connect(&session, &RecordingSession::Ended, &session,
                         [&report](const RecordingReport& ended) { report = ended; });
        session.StartPending(plan);
        EXPECT_TRUE(RunUntil([&report] { return report.has_value(); }, 60000));
        EXPECT_FALSE(session.IsRunning());
        return report.value_or(RecordingReport{});
    }

    // A recorder named xorriso: a shell script around the real one.
    QString WriteWrapper(const QString& body) const
    {
        QDir(m_folder.Path()).mkpath(QStringLiteral("bin"));
        QString path = File("bin/xorriso");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            QFile::encodeName(QStringLiteral("#!/bin/sh\nREAL='%1'\n%2\n").arg(m_xorriso, body)));
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return path;
    }

    QString m_xorriso;
    TestProgramFolder m_folder{QStringLiteral(ISOMINT_FAKE_MKISOFS)};
    ProgramSettings m_settings;
    QByteArray m_image;
    QStringList m_chunks;
};

// The window's hand-over as the settings say, then the recording; a split
// image goes to the disc as one track. The command line's hand-over writes the
// same list and says when it could not.
TEST_F(RecordingSessionTest, HandOverListsASplitImageAndRecordsWhatTheSettingsSay)
{
    struct Row
    {
        const char* name;
        int split;
        int burn;
        bool pending;
    };
    for (const Row& row : {Row{"split", 1, 1, true}, Row{"split, recording off", 1, 0, false},
                           Row{"one file", 0, 1, true}}) {
        SCOPED_TRACE(row.name);
        QFile::remove(File("movie.lst"));
        const QString disc = File(QStringLiteral("disc-%1").arg(row.split));
        m_folder.WriteSettings(row.split, row.burn, 0, m_xorriso, "stdio:" + disc, 0);
        RecordingSession session;
        session.HandOver(m_settings, RecordingChoices{}, File("movie.iso"), 3);
        EXPECT_EQ(QFile::exists(File("movie.lst")), row.split == 1);
        ASSERT_EQ(session.HasPendingImage(), row.pending);
        if (!row.pending)
            continue;
        const RecordingReport report = Record(session, PlanFromSettings(m_settings, {}));
        EXPECT_EQ(report.outcome, RecordingOutcome::Recorded)
            << RecordingMessage(report).toStdString();
        EXPECT_TRUE(DiscHolds(disc, m_image));
    }
    RecordingSession cli;
    EXPECT_TRUE(cli.HandOver({File("movie.iso"), m_chunks, true}, true).taken);
    const HandOverResult unlisted = cli.HandOver({File("gone/movie.iso"), m_chunks, true}, false);
    EXPECT_FALSE(unlisted.listWritten);
    EXPECT_FALSE(unlisted.taken);
    // An image that cannot be taken leaves nothing pending, not even the one before it.
    ASSERT_TRUE(cli.HasPendingImage());
    EXPECT_FALSE(cli.TakeImage({File("gone/movie.iso")}));
    EXPECT_FALSE(cli.HasPendingImage());
}

// The files the check read are the ones recorded: a chunk or image removed,
// shortened or rewritten after it is named; and only an optical drive or an
// explicit stdio: pseudo-drive is handed to xorriso, so that no other name
// becomes a file. Nothing is written either way.
TEST_F(RecordingSessionTest, RefusedImagesAndDevicesRecordNothing)
{
    using Change = std::function<void(QFile&)>;
    const Change keep = [](QFile&) {};
    const Change remove = [](QFile& file) { file.remove(); };
    const Change shorten = [](QFile& file) { file.resize(file.size() - 2048); };
    const Change rewrite = [](QFile& file) {
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        const QByteArray bytes = file.readAll();
        file.seek(0);
        file.write(bytes); // same bytes and size, a new modification time
    };
    // The same size and the old modification time put back: only the inode tells.
    const Change disguise = [](QFile& file) {
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
    const QString plain = File("plain");
    ASSERT_TRUE(WriteBytes(plain, {}));
    struct Row
    {
        QString drive; // "DISC": the pseudo-drive
        bool split;
        const char* changed;
        Change change;
    };
    const Row rows[] = {
        {"DISC", true, "movie.iso_02", remove},  {"DISC", true, "movie.iso_01", shorten},
        {"DISC", true, "movie.iso_00", rewrite}, {"DISC", false, "movie.iso", shorten},
        {"DISC", false, "movie.iso", disguise},  {"D:", false, nullptr, keep},
        {"stdio:disc", false, nullptr, keep},    {"STDIO:/tmp/disc", false, nullptr, keep},
        {"/dev/null", false, nullptr, keep},     {plain, false, nullptr, keep},
        {QString(), false, nullptr, keep},
    };
    for (const Row& row : rows) {
        const QString changed = row.changed == nullptr ? QString() : File(row.changed);
        SCOPED_TRACE((row.drive + " " + changed).toStdString());
        const QString drive = row.drive == "DISC" ? "stdio:" + File("disc") : row.drive;
        RecordingSession session;
        ASSERT_TRUE(session.TakeImage(row.split ? m_chunks : QStringList{File("movie.iso")}));
        QFile file(changed);
        // A later modification time, even on the kernel's coarse file clock.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        row.change(file);
        const RecordingReport report = Record(session, Plan(drive));
        EXPECT_EQ(report.outcome, RecordingOutcome::Refused);
        EXPECT_EQ(report.refusal,
                  changed.isEmpty()
                      ? RecordingDeviceRefusal(drive)
                      : QStringLiteral("Nothing was recorded: \"%1\" is no longer the file that "
                                       "was built and checked.\nBuild the image again.")
                            .arg(changed));
        EXPECT_EQ(session.Recording(), nullptr);
        for (const QString& name : {QStringLiteral("D:"), QStringLiteral("disc")}) {
            EXPECT_FALSE(QFile::exists(QDir::current().filePath(name)));
            EXPECT_FALSE(QFile::exists(File(name)));
        }
        EXPECT_EQ(QFileInfo(plain).size(), 0);
        WriteImageFiles();
    }
}

// The session's decisions on xorriso's result: only a confirmed write is read
// back, only a verified disc may power the computer off, and the disc stays in
// until it was read. The read-back compares the image's length of the disc, so
// a disc cut short fails.
TEST_F(RecordingSessionTest, OnlyAVerifiedDiscCountsAndMayPowerOff)
{
    struct Row
    {
        const char* name;
        bool verify;
        bool powerOff;
        const char* wrapper; // around the real xorriso; null: xorriso itself
        RecordingOutcome outcome;
        const char* message;
    };
    const Row rows[] = {
        {"unverified", false, true, nullptr, RecordingOutcome::Recorded,
         "The image was recorded successfully."},
        {"verified", true, false, nullptr, RecordingOutcome::Verified,
         "The image was recorded and verified successfully."},
        {"verified, then off", true, true, nullptr, RecordingOutcome::PoweringOff, ""},
        {"disc cut short", true, true,
         "\"$REAL\" \"$@\" || exit\n"
         "case \"$*\" in *movie.iso) truncate -s 65536 \"$DISC\";; esac",
         RecordingOutcome::VerifyFailed,
         "Verification failed: the disc does not match the image.\nSee log for details."},
        {"write unconfirmed", true, true, "exit 0", RecordingOutcome::Unconfirmed,
         "Recording failed: xorriso did not report the whole image as written.\n"
         "See log for details."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString disc = File("disc");
        QFile::remove(disc);
        RecordingSession session;
        ASSERT_TRUE(session.TakeImage({File("movie.iso")}));
        RecordingPlan plan = Plan("stdio:" + disc);
        if (row.wrapper != nullptr)
            plan.recorder = WriteWrapper(
                QStringLiteral("DISC='%1'\n%2").arg(disc, QString::fromLatin1(row.wrapper)));
        CountingPowerOff powerOff;
        plan.verify = row.verify;
        plan.powerOff = row.powerOff ? &powerOff : nullptr;
        const RecordingReport report = Record(session, plan);
        EXPECT_EQ(report.outcome, row.outcome) << RecordingMessage(report).toStdString();
        EXPECT_EQ(RecordingMessage(report), row.message);
        EXPECT_EQ(powerOff.requests, row.outcome == RecordingOutcome::PoweringOff ? 1 : 0);
        ASSERT_NE(session.Recording(), nullptr);
        EXPECT_EQ(session.Recording()->Output().contains("-eject"), !row.verify);
    }
}

} // namespace
