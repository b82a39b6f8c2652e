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

// Numbers are read as atoi reads them: a switch is on only for 1, the size
// check for anything but 0; out of range is held at the limits, never wrapped
// round to 1 or 0.
TEST_F(SettingsFileTest, ReadsEachLineAsTheWindowsProgramDid)
{
    const QByteArray lines = "# comment\nSplitImageFile = 1\nDecrypterPath = /opt/rec.exe\n"
                             "Driveletter = F:\nWriteSpeed = 4x\nCheckDirSize = 1\nEraseMedia = 1";
    const SettingsValues all{true, false, true, "/opt/rec.exe", "F:", "4x", true};
    const struct
    {
        QByteArray text;
        SettingsValues values;
    } cases[] = {
        // split, burn, erase, recorder, drive, speed, size check
        {lines, all},
        {QByteArray(lines).replace("\n", "\r\n") + "\r\n", all},
        // Other spacing, case or a comment sign: not a setting.
        {"SplitImageFile=1\r\n SplitImageFile = 1\r\nsplitimagefile = 1\r\nSplitImageFile  = "
         "1\r\n#SplitImageFile = 1\r\nSplitImageFile= 1\r\nSplit ImageFile = "
         "1\r\nWriteSpeed=4x\r\n",
         {}},
        {"SplitImageFile = 2\nEraseMedia = yes\nCheckDirSize =  +7 apples\nBurnImageFile = -3\n",
         {false, false, false, "", "", "", true}},
        {"SplitImageFile = +1 \nEraseMedia = 4294967297\nCheckDirSize = -4294967296\n",
         {true, false, false, "", "", "", true}},
        // Texts keep their blanks and lose line breaks.
        {"WriteSpeed =  4x \r\nDecrypterPath = /a\rb\r\n",
         {false, false, false, "/ab", "", " 4x ", false}},
        {"WriteSpeed = 4x\nSplitImageFile = 1\nWriteSpeed = 8x\nSplitImageFile = 0\n",
         {false, false, false, "", "", "8x", false}}, // the last duplicate wins
        // A drive letter is upper-cased, a device path keeps its case.
        {"Driveletter = e:\n", {false, false, false, "", "E:", "", false}},
        {"Driveletter = dev\n", {false, false, false, "", "DEV", "", false}},
        {"Driveletter = /dev/sr0\n", {false, false, false, "", "/dev/sr0", "", false}},
        {"Driveletter = stdio:/tmp/Disc\n",
         {false, false, false, "", "stdio:/tmp/Disc", "", false}},
    };
    for (const auto& test : cases) {
        ProgramSettings settings;
        settings.SetProgramFolder(m_dir.path());
        WriteFile(test.text);
        ASSERT_TRUE(settings.ReadSettings());
        EXPECT_EQ(settings.Values(), test.values) << test.text.toStdString();
    }
    EXPECT_EQ(ParseLeadingInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseLeadingInt("-99999999999"), INT_MIN);
}

TEST_F(SettingsFileTest, DriveletterIsEmptiedByEveryRead)
{
    m_settings.SetDriveletter(QStringLiteral("E:"));
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
