#include "settings/settingsfile.h"
#include "settingstestfolder.h"

#include <QDir>
#include <csignal>
#include <sys/resource.h>

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
    m_settings.SetSplitImageFile(true);
    EXPECT_EQ(m_settings.GetEraseMedia(), 0);
    EXPECT_EQ(m_settings.GetDecrypterPath(), QStringLiteral("/b.exe"));
    EXPECT_EQ(m_settings.GetDriveletter(), QStringLiteral("G:"));
    EXPECT_EQ(m_settings.GetCheckDirSize(), 0);
    EXPECT_TRUE(m_settings.GetSplitImageFile()); // no longer in the file
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
