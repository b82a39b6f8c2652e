#include "imaging/mkisofscommandline.h"

#include <gtest/gtest.h>

namespace {

MkisofsRequest Example(bool split)
{
    return {QStringLiteral("/opt/isomint"), split, QStringLiteral("MY_MOVIE"),
            QStringLiteral("/out/MY_MOVIE.iso"), QStringLiteral("/dvd/My Movie")};
}

TEST(MkisofsCommandLineTest, LineIsTheTemplateFilledIn)
{
    EXPECT_EQ(FormMkisofsCommandLine(Example(false)),
              "\"/opt/isomint/mkisofs\" -gui -dvd-video -no-cache-inodes  -V \"MY_MOVIE\" -o "
              "\"/out/MY_MOVIE.iso\" "
              "\"/dvd/My Movie\"");
    EXPECT_EQ(FormMkisofsCommandLine(Example(true)),
              "\"/opt/isomint/mkisofs\" -gui -dvd-video -no-cache-inodes -split-output -V "
              "\"MY_MOVIE\" -o "
              "\"/out/MY_MOVIE.iso\" \"/dvd/My Movie\"");
    // Paths go in as typed: nothing escaped, a trailing separator kept.
    MkisofsRequest typed = Example(false);
    typed.sourceDirectory = QStringLiteral("/dvd/say \"hi\"/");
    typed.volumeId.clear();
    EXPECT_EQ(FormMkisofsCommandLine(typed), "\"/opt/isomint/mkisofs\" -gui -dvd-video "
                                             "-no-cache-inodes  -V \"\" -o \"/out/MY_MOVIE.iso\" "
                                             "\"/dvd/say \"hi\"/\"");
}

TEST(MkisofsCommandLineTest, ArgumentsAreTheLinesTokensEachWhole)
{
    EXPECT_EQ(MkisofsProgramPath(QStringLiteral("/opt/isomint")), "/opt/isomint/mkisofs");
    EXPECT_EQ(MkisofsArguments(Example(false)),
              QStringList({"-gui", "-dvd-video", "-no-cache-inodes", "-V", "MY_MOVIE", "-o",
                           "/out/MY_MOVIE.iso", "/dvd/My Movie"}));
    EXPECT_EQ(MkisofsArguments(Example(true)),
              QStringList({"-gui", "-dvd-video", "-no-cache-inodes", "-split-output", "-V",
                           "MY_MOVIE", "-o", "/out/MY_MOVIE.iso", "/dvd/My Movie"}));
}

TEST(MkisofsCommandLineTest, VolumeIdScanNamesTheFirstCharacterOutsideTheSet)
{
    EXPECT_FALSE(
        FindUnsupportedVolumeIdChar(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ_0123456789")));
    EXPECT_FALSE(FindUnsupportedVolumeIdChar(QString()));
    EXPECT_EQ(FindUnsupportedVolumeIdChar(QStringLiteral("MY_DISC!?")), QChar('!'));
    EXPECT_EQ(FindUnsupportedVolumeIdChar(QStringLiteral("a")), QChar('a'));
    EXPECT_EQ(FindUnsupportedVolumeIdChar(QStringLiteral("AB C")), QChar(' '));
    EXPECT_EQ(FindUnsupportedVolumeIdChar(QString(QChar(0)) + "A"), QChar(0));
    EXPECT_EQ(FindUnsupportedVolumeIdChar(QStringLiteral("XÄ")), QChar(0xC4));
    // A character beyond the BMP is named whole, not by half its surrogate pair.
    const QString grin = QString::fromUcs4(U"\U0001F600", 1);
    EXPECT_EQ(FindUnsupportedVolumeIdChar("MY_" + grin + "!"), grin);
}

} // namespace
