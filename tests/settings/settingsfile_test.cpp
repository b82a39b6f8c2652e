#include "settingstestfolder.h"

#include <climits>

namespace {

using SettingsFileTest = SettingsTestFolder;

TEST_F(SettingsFileTest, WritesTheTenLinesByteForByte)
{
    m_settings.SetSplitImageFile(1);
    m_settings.SetEraseMedia(1);
    m_settings.SetDecrypterPath(QStringLiteral("/opt/dvd decrypter/DVDDecrypter.exe"));
    m_settings.SetDriveletter(QStringLiteral("E:"));
    m_settings.SetWriteSpeed(QStringLiteral("8x"));
    m_settings.SetCheckDirSize(1);
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

    ProgramSettings fresh(m_boxes);
    fresh.SetProgramFolder(m_dir.path());
    fresh.WriteSettings();
    EXPECT_TRUE(FileBytes().endsWith("SplitImageFile = 0\r\nBurnImageFile = 0\r\nEraseMedia = "
                                     "0\r\nDecrypterPath = \r\nDriveletter = \r\nWriteSpeed = "
                                     "\r\nCheckDirSize = 0\r\n"));
    EXPECT_EQ(m_boxes.Count(), 0);
}

TEST_F(SettingsFileTest, ReadsLfAndCrLfFilesAlike)
{
    const QByteArray lines = "# comment\nSplitImageFile = 1\nDecrypterPath = /opt/rec.exe\n"
                             "Driveletter = F:\nWriteSpeed = 4x\nCheckDirSize = 1\nEraseMedia = 1";
    for (const QByteArray& text : {lines, QByteArray(lines).replace("\n", "\r\n") + "\r\n"}) {
        ProgramSettings settings(m_boxes);
        settings.SetProgramFolder(m_dir.path());
        WriteFile(text);
        ASSERT_EQ(settings.ReadSettings(), 0);
        SettingsValues expected{1, 0, 1, "/opt/rec.exe", "F:", "4x", 1};
        EXPECT_EQ(settings.Values(), expected) << text.toStdString();
    }
}

TEST_F(SettingsFileTest, IgnoresOtherSpacingCaseAndComments)
{
    WriteFile("SplitImageFile=1\r\n SplitImageFile = 1\r\nsplitimagefile = 1\r\n"
              "SplitImageFile  = 1\r\n#SplitImageFile = 1\r\nSplitImageFile= 1\r\n"
              "Split ImageFile = 1\r\nWriteSpeed=4x\r\n");
    EXPECT_EQ(m_settings.ReadSettings(), 0);
    EXPECT_EQ(m_settings.Values(), SettingsValues{});
}

TEST_F(SettingsFileTest, ReadsIntegersAsAtoiDoes)
{
    WriteFile("SplitImageFile = 2\nEraseMedia = yes\nCheckDirSize =  +7 apples\n"
              "BurnImageFile = -3\n");
    ASSERT_EQ(m_settings.ReadSettings(), 0);
    EXPECT_EQ(m_settings.SplitImageFile(), 2);
    EXPECT_EQ(m_settings.EraseMedia(), 0);
    EXPECT_EQ(m_settings.CheckDirSize(), 7);
    EXPECT_EQ(m_settings.BurnImageFile(), -3);

    // Out of range is held at the limits rather than wrapping.
    WriteFile("SplitImageFile = 99999999999999999999\nEraseMedia = -99999999999\n");
    ASSERT_EQ(m_settings.ReadSettings(), 0);
    EXPECT_EQ(m_settings.SplitImageFile(), INT_MAX);
    EXPECT_EQ(m_settings.EraseMedia(), INT_MIN);
}

TEST_F(SettingsFileTest, TextValuesKeepBlanksAndLoseLineBreaks)
{
    WriteFile("WriteSpeed =  4x \r\nDecrypterPath = /a\rb\r\n");
    ASSERT_EQ(m_settings.ReadSettings(), 0);
    EXPECT_EQ(m_settings.GetWriteSpeed(), QStringLiteral(" 4x "));
    EXPECT_EQ(m_settings.DecrypterPath(), QStringLiteral("/ab"));
}

TEST_F(SettingsFileTest, LastDuplicateWins)
{
    WriteFile("WriteSpeed = 4x\nSplitImageFile = 1\nWriteSpeed = 8x\nSplitImageFile = 0\n");
    ASSERT_EQ(m_settings.ReadSettings(), 0);
    EXPECT_EQ(m_settings.GetWriteSpeed(), QStringLiteral("8x"));
    EXPECT_EQ(m_settings.SplitImageFile(), 0);
}

TEST_F(SettingsFileTest, DriveletterIsUpperCasedAndEmptiedByEveryRead)
{
    WriteFile("Driveletter = e:\n");
    EXPECT_EQ(m_settings.GetDriveletter(), QStringLiteral("E:"));

    m_settings.SetWriteSpeed(QStringLiteral("4x"));
    WriteFile("# nothing but a comment\n");
    EXPECT_EQ(m_settings.ReadSettings(), 0);
    EXPECT_EQ(m_settings.Driveletter(), QString());
    EXPECT_EQ(m_settings.GetWriteSpeed(), QStringLiteral("4x")); // absent keys keep their value

    m_settings.SetDriveletter(QStringLiteral("G:"));
    ASSERT_TRUE(QFile::remove(FilePath()));
    EXPECT_EQ(m_settings.ReadSettings(), -1);
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
    m_settings.SetSplitImageFile(1);
    m_settings.WriteSettings();

    ProgramSettings reader(m_boxes);
    reader.SetProgramFolder(m_dir.path());
    ASSERT_EQ(reader.ReadSettings(), 0);
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

    ProgramSettings reader(m_boxes);
    reader.SetProgramFolder(m_dir.path());
    ASSERT_EQ(reader.ReadSettings(), 0);
    EXPECT_EQ(reader.BurnImageFile(), 0);
    EXPECT_EQ(reader.CheckDirSize(), 0);
    EXPECT_EQ(reader.DecrypterPath(), QStringLiteral("/opt/recBurnImageFile = 1.exe"));
}

} // namespace
