#include "settings/settingsfile.h"
#include "settingstestfolder.h"

#include <QDir>
#include <csignal>
#include <sys/resource.h>

namespace {

const QString kTooOld =
    QStringLiteral("For recording support at least DVDDecrypter Ver. 3.1.7.0 is needed!");
const QString kNoInformation = QStringLiteral("Can't receive file information for file ");

SettingsNotice RecorderNotice(const QString& text)
{
    return {SettingsNoticeKind::Recorder, QString(), text};
}

using ProgramSettingsTest = SettingsTestFolder;

TEST_F(ProgramSettingsTest, FirstStartAnswersInitialValuesAndWritesNothing)
{
    EXPECT_FALSE(m_settings.ReadSettings());
    EXPECT_FALSE(m_settings.GetSplitImageFile());
    EXPECT_FALSE(m_settings.GetBurnImageFile());
    EXPECT_EQ(m_settings.GetDriveletter(), QString());
    EXPECT_EQ(m_settings.GetDecrypterPath(), QString());
    EXPECT_FALSE(QFile::exists(FilePath()));
    EXPECT_TRUE(Notices().isEmpty());
}

TEST_F(ProgramSettingsTest, QueriesReadTheFileAgainButNotTheWriteSpeed)
{
    WriteFile("SplitImageFile = 1\nEraseMedia = 1\nDecrypterPath = /a.exe\nDriveletter = F:\n"
              "CheckDirSize = 1\nWriteSpeed = 8x\n");
    EXPECT_TRUE(m_settings.ReadSettings());
    EXPECT_TRUE(m_settings.GetSplitImageFile());

    // Edited by hand while running: every query but the write speed sees it.
    WriteFile("SplitImageFile = 0\nEraseMedia = 0\nDecrypterPath = /b.exe\nDriveletter = g:\n"
              "CheckDirSize = 0\nWriteSpeed = 4x\n");
    EXPECT_EQ(m_settings.GetWriteSpeed(), QStringLiteral("8x"));
    EXPECT_FALSE(m_settings.GetSplitImageFile());
    WriteFile("EraseMedia = 0\nDecrypterPath = /b.exe\nDriveletter = g:\nCheckDirSize = 0\n");
    m_settings.SetSplitImageFile(true);
    EXPECT_FALSE(m_settings.GetEraseMedia());
    EXPECT_EQ(m_settings.GetDecrypterPath(), QStringLiteral("/b.exe"));
    EXPECT_EQ(m_settings.GetDriveletter(), QStringLiteral("G:"));
    EXPECT_FALSE(m_settings.GetCheckDirSize());
    EXPECT_TRUE(m_settings.GetSplitImageFile()); // no longer in the file
}

TEST_F(ProgramSettingsTest, RejectedRecorderTurnsBurningOffAtEveryQueryButNotInTheFile)
{
    const QByteArray text =
        "BurnImageFile = 1\nDecrypterPath = " + Recorder("recorder-3.1.6.0.exe").toLocal8Bit() +
        "\n";
    WriteFile(text);
    EXPECT_FALSE(m_settings.GetBurnImageFile());
    EXPECT_FALSE(m_settings.GetBurnImageFile());
    EXPECT_EQ(m_settings.DecrypterVersion(), QStringLiteral("3.1.6.0"));
    const SettingsNotices twice{RecorderNotice(kTooOld), RecorderNotice(kTooOld)};
    EXPECT_EQ(Notices(), twice);
    EXPECT_EQ(FileBytes(), text);
}

TEST_F(ProgramSettingsTest, AcceptedRecorderKeepsBurningAndItsVersion)
{
    for (const char* version : {"3.1.7.0", "3.1.10.0", "10.0.0.0-pe64"}) {
        WriteFile(
            "BurnImageFile = 1\nDecrypterPath = " +
            Recorder(QStringLiteral("recorder-%1.exe").arg(version).toLatin1()).toLocal8Bit());
        EXPECT_TRUE(m_settings.GetBurnImageFile()) << version;
        EXPECT_TRUE(QLatin1String(version).startsWith(m_settings.DecrypterVersion())) << version;
    }
    EXPECT_TRUE(Notices().isEmpty());
}

TEST_F(ProgramSettingsTest, CheckDoesNothingWhileBurningIsOff)
{
    m_settings.SetBurnImageFile(true);
    m_settings.SetDecrypterPath(Recorder("recorder-3.2.0.0.exe"));
    EXPECT_TRUE(m_settings.CheckDecrypterVersion());
    m_settings.SetBurnImageFile(false);
    m_settings.SetDecrypterPath(QStringLiteral("/nowhere.exe"));
    EXPECT_FALSE(m_settings.CheckDecrypterVersion());
    EXPECT_EQ(m_settings.DecrypterVersion(), QStringLiteral("3.2.0.0"));
    EXPECT_TRUE(Notices().isEmpty());
}

TEST_F(ProgramSettingsTest, SavingARecorderWithoutVersionShowsBothMessagesAndStoresBurningOff)
{
    const QString paths[] = {m_dir.filePath(QStringLiteral("DVDDecrypter.exe")),
                             Recorder("no-resources.exe"), QString()};
    for (const QString& path : paths) {
        ProgramSettings settings;
        settings.SetProgramFolder(m_dir.path());
        settings.SetBurnImageFile(true);
        settings.SetDecrypterPath(path);
        EXPECT_TRUE(settings.WriteSettings());
        const SettingsNotices expected{RecorderNotice(kNoInformation + path),
                                       RecorderNotice(kTooOld)};
        EXPECT_EQ(settings.TakeNotices(), expected) << path.toStdString();
        EXPECT_TRUE(FileBytes().contains("\r\nBurnImageFile = 0\r\n"));
        EXPECT_FALSE(settings.BurnImageFile());
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
    EXPECT_FALSE(m_settings.WriteSettings());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(FileBytes(), before);
    ASSERT_EQ(Notices().size(), 1); // the failure is told, with the file's name
    EXPECT_EQ(Notices().last().kind, SettingsNoticeKind::SettingsFile);
    EXPECT_EQ(Notices().last().caption, QStringLiteral("Error"));
    EXPECT_TRUE(Notices().last().text.startsWith(
        QStringLiteral("Cannot save the settings to \"%1\": ").arg(FilePath())))
        << Notices().last().text.toStdString();
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{QStringLiteral("stencil.ini")});
    m_settings.WriteSettings();
    EXPECT_TRUE(FileBytes().contains("\r\nWriteSpeed = 8x\r\n"));
}

// The file is replaced, not rewritten: a reader that opened the old file goes
// on reading all of it, and the name leads to the new one. Another copy of the
// program reading meanwhile sees the old file or the new, never a mix.
TEST_F(ProgramSettingsTest, SavingReplacesTheFileInsteadOfRewritingIt)
{
    const QByteArray old = "SplitImageFile = 1\r\nWriteSpeed = 4x\r\n" + QByteArray(300, '#');
    WriteFile(old);
    QFile reader(FilePath());
    ASSERT_TRUE(reader.open(QIODevice::ReadOnly));
    m_settings.SetWriteSpeed(QStringLiteral("8x"));
    m_settings.WriteSettings();
    EXPECT_EQ(reader.readAll(), old);
    EXPECT_EQ(FileBytes(), FormatSettingsFile(m_settings.Values()));
}

} // namespace
