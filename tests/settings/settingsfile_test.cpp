#include "settings/settingsfile.h"
#include "settingstestfolder.h"

#include <climits>

namespace {

using SettingsFileTest = SettingsTestFolder;

TEST_F(SettingsFileTest, WritesTheTenLinesByteForByte)
{
    m_settings.SetSplitImageFile(true);
    m_settings.SetEraseMedia(true);
    m_settings.SetDecrypterPath(QStringLiteral("/opt/dvd decrypter/DVDDecrypter.exe"));
    m_settings.SetDriveletter(QStringLiteral("E:"));
    m_settings.SetWriteSpeed(QStringLiteral("8x"));
    m_settings.SetCheckDirSize(true);
    m_settings.WriteSettings();
    EXPECT_EQ(FileBytes(), QByteArray("###############################################\r\n"
                                      "# Isomint Stencil Inifile \r\n"
                                      "###############################################\r\n"
                                      "SplitImageFile = 1\r\n"
                                      "BurnImageFile = 0\r\n"
                                      "EraseMedia = 1\r\n"
                                      "DecrypterPath = /opt/dvd decrypter/DVDDecrypter.exe\r\n"
                                      "Driveletter = E:\r\n"
                                      "WriteSpeed = 8x\r\n"
                                      "CheckDirSize = 1\r\n"));

    ProgramSettings fresh;
    fresh.SetProgramFolder(m_dir.path());
    fresh.WriteSettings();
    EXPECT_TRUE(FileBytes().endsWith("SplitImageFile = 0\r\nBurnImageFile = 0\r\nEraseMedia = "
                                     "0\r\nDecrypterPath = \r\nDriveletter = \r\nWriteSpeed = "
                                     "\r\nCheckDirSize = 0\r\n"));
    EXPECT_TRUE(Notices().isEmpty());
    EXPECT_TRUE(fresh.TakeNotices().isEmpty());
}

TEST_F(SettingsFileTest, ReadsLfAndCrLfFilesAlike)
{
    const QByteArray lines = "# comment\nSplitImageFile = 1\nDecrypterPath = /opt/rec.exe\n"
                             "Driveletter = F:\nWriteSpeed = 4x\nCheckDirSize = 1\nEraseMedia = 1";
    for (const QByteArray& text : {lines, QByteArray(lines).replace("\n", "\r\n") + "\r\n"}) {
        ProgramSettings settings;
        settings.SetProgramFolder(m_dir.path());
        WriteFile(text);
        ASSERT_TRUE(settings.ReadSettings());
        SettingsValues expected{true, false, true, "/opt/rec.exe", "F:", "4x", true};
        EXPECT_EQ(settings.Values(), expected) << text.toStdString();
    }
}

TEST_F(SettingsFileTest, IgnoresOtherSpacingCaseAndComments)
{
    WriteFile("SplitImageFile=1\r\n SplitImageFile = 1\r\nsplitimagefile = 1\r\n"
              "SplitImageFile  = 1\r\n#SplitImageFile = 1\r\nSplitImageFile= 1\r\n"
              "Split ImageFile = 1\r\nWriteSpeed=4x\r\n");
    EXPECT_TRUE(m_settings.ReadSettings());
    EXPECT_EQ(m_settings.Values(), SettingsValues{});
}

// The numbers are read as atoi reads them: a switch is on only for 1, the size
// check for anything but 0; out of range is held at the limits, never wrapped
// round to 1 or 0.
TEST_F(SettingsFileTest, ReadsSwitchesAsAtoiDoes)
{
    WriteFile("SplitImageFile = 2\nEraseMedia = yes\nCheckDirSize =  +7 apples\n"
              "BurnImageFile = -3\n");
    ASSERT_TRUE(m_settings.ReadSettings());
    EXPECT_FALSE(m_settings.SplitImageFile());
    EXPECT_FALSE(m_settings.EraseMedia());
    EXPECT_TRUE(m_settings.CheckDirSize());
    EXPECT_FALSE(m_settings.BurnImageFile());

    WriteFile("SplitImageFile = +1 \nEraseMedia = 4294967297\nCheckDirSize = -4294967296\n");
    ASSERT_TRUE(m_settings.ReadSettings());
    EXPECT_TRUE(m_settings.SplitImageFile());
    EXPECT_FALSE(m_settings.EraseMedia());
    EXPECT_TRUE(m_settings.CheckDirSize());
    EXPECT_EQ(ParseLeadingInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseLeadingInt("-99999999999"), INT_MIN);
}

TEST_F(SettingsFileTest, TextValuesKeepBlanksAndLoseLineBreaks)
{
    WriteFile("WriteSpeed =  4x \r\nDecrypterPath = /a\rb\r\n");
    ASSERT_TRUE(m_settings.ReadSettings());
    EXPECT_EQ(m_settings.GetWriteSpeed(), QStringLiteral(" 4x "));
    EXPECT_EQ(m_settings.DecrypterPath(), QStringLiteral("/ab"));
}

TEST_F(SettingsFileTest, LastDuplicateWins)
{
    WriteFile("WriteSpeed = 4x\nSplitImageFile = 1\nWriteSpeed = 8x\nSplitImageFile = 0\n");
    ASSERT_TRUE(m_settings.ReadSettings());
    EXPECT_EQ(m_settings.GetWriteSpeed(), QStringLiteral("8x"));
    EXPECT_FALSE(m_settings.SplitImageFile());
}

TEST_F(SettingsFileTest, DriveletterIsUpperCasedAndEmptiedByEveryRead)
{
    WriteFile("Driveletter = e:\n");
    EXPECT_EQ(m_settings.GetDriveletter(), QStringLiteral("E:"));

    m_settings.SetWriteSpeed(QStringLiteral("4x"));
    WriteFile("# nothing but a comment\n");
    EXPECT_TRUE(m_settings.ReadSettings());
    EXPECT_EQ(m_settings.Driveletter(), QString());
    EXPECT_EQ(m_settings.GetWriteSpeed(), QStringLiteral("4x")); // absent keys keep their value

    m_settings.SetDriveletter(QStringLiteral("G:"));
    ASSERT_TRUE(QFile::remove(FilePath()));
    EXPECT_FALSE(m_settings.ReadSettings());
    EXPECT_EQ(m_settings.Driveletter(), QString());
    EXPECT_EQ(m_settings.GetWriteSpeed(), QStringLiteral("4x"));
}

TEST_F(SettingsFileTest, DevicePathsKeepTheirCase)
{
    WriteFile("Driveletter = /dev/sr0\n");
    EXPECT_EQ(m_settings.GetDriveletter(), QStringLiteral("/dev/sr0"));
    WriteFile("Driveletter = stdio:/tmp/Disc\n");
    EXPECT_EQ(m_settings.GetDriveletter(), QStringLiteral("stdio:/tmp/Disc"));
    WriteFile("Driveletter = dev\n");
    EXPECT_EQ(m_settings.GetDriveletter(), QStringLiteral("DEV"));
}

TEST_F(SettingsFileTest, LongAndNonAsciiValuesSurviveWriteAndRead)
{
    const QString path = QStringLiteral("/opt/") + QString(1000, QLatin1Char('p')) +
                         QStringLiteral("/Décrypteur ✓/rec.exe");
    m_settings.SetDecrypterPath(path);
    m_settings.SetDriveletter(QStringLiteral("Z:"));
    m_settings.SetWriteSpeed(QStringLiteral("2,4x"));
    m_settings.SetSplitImageFile(true);
    m_settings.WriteSettings();

    ProgramSettings reader;
    reader.SetProgramFolder(m_dir.path());
    ASSERT_TRUE(reader.ReadSettings());
    EXPECT_EQ(reader.Values(), m_settings.Values());
    EXPECT_EQ(reader.DecrypterPath().size(), path.size());
}

// A line break inside a value must not start a line of its own in the file,
// where it could set another key.
TEST_F(SettingsFileTest, LineBreakInAValueCannotAddAKey)
{
    m_settings.SetDecrypterPath(QStringLiteral("/opt/rec\nBurnImageFile = 1\r\n.exe"));
    m_settings.SetWriteSpeed(QStringLiteral("4x\nCheckDirSize = 1"));
    m_settings.WriteSettings();
    EXPECT_EQ(FileBytes().count('\n'), 10);

    ProgramSettings reader;
    reader.SetProgramFolder(m_dir.path());
    ASSERT_TRUE(reader.ReadSettings());
    EXPECT_FALSE(reader.BurnImageFile());
    EXPECT_FALSE(reader.CheckDirSize());
    EXPECT_EQ(reader.DecrypterPath(), QStringLiteral("/opt/recBurnImageFile = 1.exe"));
}

} // namespace
