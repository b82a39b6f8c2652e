#include "settingstestfolder.h"

#include <QDir>
#include <QFileDevice>
#include <atomic>
#include <csignal>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

const QString kTooOld =
    QStringLiteral("For recording support at least DVDDecrypter Ver. 3.1.7.0 is needed!");
const QString kNoInformation = QStringLiteral("Can't receive file information for file ");

using ProgramSettingsTest = SettingsTestFolder;

TEST_F(ProgramSettingsTest, FirstStartAnswersInitialValuesAndWritesNothing)
{
    EXPECT_EQ(m_settings.ReadSettings(), -1);
    EXPECT_EQ(m_settings.GetSplitImageFile(), 0);
    EXPECT_EQ(m_settings.GetBurnImageFile(), 0);
    EXPECT_EQ(m_settings.GetDriveletter(), QString());
    EXPECT_EQ(m_settings.GetDecrypterPath(), QString());
    EXPECT_FALSE(QFile::exists(FilePath()));
    EXPECT_EQ(m_boxes.Count(), 0);
}

TEST_F(ProgramSettingsTest, QueriesReadTheFileAgainButNotTheWriteSpeed)
{
    WriteFile("SplitImageFile = 1\nEraseMedia = 1\nDecrypterPath = /a.exe\nDriveletter = F:\n"
              "CheckDirSize = 1\nWriteSpeed = 8x\n");
    EXPECT_EQ(m_settings.ReadSettings(), 0);
    EXPECT_EQ(m_settings.GetSplitImageFile(), 1);

    // Edited by hand while running: every query but the write speed sees it.
    WriteFile("SplitImageFile = 0\nEraseMedia = 0\nDecrypterPath = /b.exe\nDriveletter = g:\n"
              "CheckDirSize = 0\nWriteSpeed = 4x\n");
    EXPECT_EQ(m_settings.GetWriteSpeed(), QStringLiteral("8x"));
    EXPECT_EQ(m_settings.GetSplitImageFile(), 0);
    WriteFile("EraseMedia = 0\nDecrypterPath = /b.exe\nDriveletter = g:\nCheckDirSize = 0\n");
    m_settings.SetSplitImageFile(5);
    EXPECT_EQ(m_settings.GetEraseMedia(), 0);
    EXPECT_EQ(m_settings.GetDecrypterPath(), QStringLiteral("/b.exe"));
    EXPECT_EQ(m_settings.GetDriveletter(), QStringLiteral("G:"));
    EXPECT_EQ(m_settings.GetCheckDirSize(), 0);
    EXPECT_EQ(m_settings.GetSplitImageFile(), 5); // no longer in the file
}

TEST_F(ProgramSettingsTest, RejectedRecorderTurnsBurningOffAtEveryQueryButNotInTheFile)
{
    const QByteArray text =
        "BurnImageFile = 1\nDecrypterPath = " + Recorder("recorder-3.1.6.0.exe").toLocal8Bit() +
        "\n";
    WriteFile(text);
    EXPECT_EQ(m_settings.GetBurnImageFile(), 0);
    EXPECT_EQ(m_settings.GetBurnImageFile(), 0);
    EXPECT_EQ(m_settings.DecrypterVersion(), QStringLiteral("3.1.6.0"));
    ASSERT_EQ(m_boxes.Count(), 2);
    EXPECT_EQ(m_boxes.Shown()[0].text, kTooOld);
    EXPECT_EQ(m_boxes.Shown()[1].text, kTooOld);
    EXPECT_EQ(FileBytes(), text);
}

TEST_F(ProgramSettingsTest, AcceptedRecorderKeepsBurningAndItsVersion)
{
    for (const char* version : {"3.1.7.0", "3.1.10.0", "10.0.0.0-pe64"}) {
        WriteFile(
            "BurnImageFile = 1\nDecrypterPath = " +
            Recorder(QStringLiteral("recorder-%1.exe").arg(version).toLatin1()).toLocal8Bit());
        EXPECT_EQ(m_settings.GetBurnImageFile(), 1) << version;
        EXPECT_TRUE(QLatin1String(version).startsWith(m_settings.DecrypterVersion())) << version;
    }
    EXPECT_EQ(m_boxes.Count(), 0);
}

TEST_F(ProgramSettingsTest, CheckDoesNothingWhileBurningIsOff)
{
    m_settings.SetBurnImageFile(1);
    m_settings.SetDecrypterPath(Recorder("recorder-3.2.0.0.exe"));
    EXPECT_EQ(m_settings.CheckDecrypterVersion(), 0);
    m_settings.SetBurnImageFile(0);
    m_settings.SetDecrypterPath(QStringLiteral("/nowhere.exe"));
    EXPECT_EQ(m_settings.CheckDecrypterVersion(), -1);
    EXPECT_EQ(m_settings.DecrypterVersion(), QStringLiteral("3.2.0.0"));
    EXPECT_EQ(m_boxes.Count(), 0);
}

MessageBoxRequest AppBox(const QString& text)
{
    return {ApplicationTitle(), text, BoxKind::AppWarning, BoxOwner::Application};
}

TEST_F(ProgramSettingsTest, SavingARecorderWithoutVersionShowsBothMessagesAndStoresBurningOff)
{
    const QString paths[] = {m_dir.filePath(QStringLiteral("DVDDecrypter.exe")),
                             Recorder("no-resources.exe"), QString()};
    for (const QString& path : paths) {
        ScriptedMessageBox boxes;
        ProgramSettings settings(boxes);
        settings.SetProgramFolder(m_dir.path());
        settings.SetBurnImageFile(1);
        settings.SetDecrypterPath(path);
        settings.WriteSettings();
        const QList<MessageBoxRequest> expected{AppBox(kNoInformation + path), AppBox(kTooOld)};
        EXPECT_EQ(boxes.Shown(), expected) << path.toStdString();
        EXPECT_TRUE(FileBytes().contains("\r\nBurnImageFile = 0\r\n"));
        EXPECT_EQ(settings.BurnImageFile(), 0);
        EXPECT_EQ(settings.DecrypterVersion(), QString());
    }
}

// A full disk cuts the write short: the old file must stay whole.
TEST_F(ProgramSettingsTest, WriteCutShortKeepsTheOldFile)
{
    WriteFile("SplitImageFile = 1\r\nWriteSpeed = 4x\r\n");
    const QByteArray before = FileBytes();
    m_settings.SetWriteSpeed(QStringLiteral("8x"));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 64; // fewer bytes than the file needs
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    m_settings.WriteSettings();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(FileBytes(), before);
    ASSERT_EQ(m_boxes.Count(), 1); // the failure is told, with the file's name
    EXPECT_EQ(m_boxes.Last().caption, QStringLiteral("Error"));
    EXPECT_TRUE(m_boxes.Last().text.startsWith(
        QStringLiteral("Cannot save the settings to \"%1\": ").arg(FilePath())))
        << m_boxes.Last().text.toStdString();
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{QStringLiteral("stencil.ini")});
    m_settings.WriteSettings();
    EXPECT_TRUE(FileBytes().contains("\r\nWriteSpeed = 8x\r\n"));
}

// While one copy of the program saves again and again, another one reads: every
// read must see one whole file or the other, never a mix or an empty file.
TEST_F(ProgramSettingsTest, ReaderNeverSeesAHalfWrittenFile)
{
    const SettingsValues first{
        1, 0, 1, QStringLiteral("/opt/first.exe"), QStringLiteral("E:"), QStringLiteral("4x"), 1};
    const SettingsValues second{
        0, 0, 0, QString(300, QLatin1Char('s')), QStringLiteral("F:"), QStringLiteral("8x"), 0};
    auto apply = [](ProgramSettings& s, const SettingsValues& v) {
        s.SetSplitImageFile(v.splitImageFile);
        s.SetEraseMedia(v.eraseMedia);
        s.SetDecrypterPath(v.decrypterPath);
        s.SetDriveletter(v.driveletter);
        s.SetWriteSpeed(v.writeSpeed);
        s.SetCheckDirSize(v.checkDirSize);
    };
    apply(m_settings, first);
    m_settings.WriteSettings();

    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 150; ++i) {
            apply(m_settings, i % 2 ? first : second);
            m_settings.WriteSettings();
        }
        done = true;
    });
    ProgramSettings reader(m_boxes);
    reader.SetProgramFolder(m_dir.path());
    int reads = 0;
    int failures = 0;
    do {
        ++reads;
        if (reader.ReadSettings() != 0 || (reader.Values() != first && reader.Values() != second))
            ++failures;
    } while (!done);
    writer.join();
    EXPECT_EQ(failures, 0) << "of " << reads << " reads";
}

} // namespace
