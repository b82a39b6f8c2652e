// The native recorder's command line, its choice by file name, and the
// percentage read from its progress lines.
#include "burn/drivespeeds.h"
#include "burn/xorrisocommand.h"

#include <gtest/gtest.h>

namespace {

TEST(XorrisoCommand, ChosenByItsFileNameOnly)
{
    EXPECT_TRUE(IsXorrisoRecorder(QStringLiteral("/usr/bin/xorriso")));
    EXPECT_TRUE(IsXorrisoRecorder(QStringLiteral("xorriso")));
    EXPECT_FALSE(IsXorrisoRecorder(QStringLiteral("/opt/xorriso.exe")));
    EXPECT_FALSE(IsXorrisoRecorder(QStringLiteral("/opt/xorriso/DVD Decrypter.exe")));
    EXPECT_FALSE(IsXorrisoRecorder(QString()));
}

// An image file as it is, or a streamed track of a stated size from stdin;
// speeds in xorriso's own units, none for the fastest.
TEST(XorrisoCommand, ImageFileOrStreamedTrackWithItsSwitches)
{
    XorrisoCall call;
    call.drive = QStringLiteral("/dev/sr0");
    call.speedText = QStringLiteral("2,4x");
    call.erase = true;
    call.source = QStringLiteral("/home/me/my movie.iso");
    EXPECT_EQ(XorrisoArguments(call),
              QStringList({"-as", "cdrecord", "-v", "dev=/dev/sr0", "speed=2.4d", "blank=as_needed",
                           "padsize=0", "-eject", "/home/me/my movie.iso"}));
    call = XorrisoCall();
    call.drive = QStringLiteral("stdio:/tmp/disc");
    call.speedText = QStringLiteral("MAX");
    call.trackSize = 12345;
    EXPECT_EQ(XorrisoArguments(call), QStringList({"-as", "cdrecord", "-v", "dev=stdio:/tmp/disc",
                                                   "padsize=0", "-eject", "tsize=12345", "-"}));
    EXPECT_EQ(XorrisoSpeed(QString()), QString());
    EXPECT_EQ(XorrisoSpeed(QStringLiteral("16x")), "16d");
    EXPECT_EQ(XorrisoSpeed(QStringLiteral("fast")), QString());
}

TEST(XorrisoCommand, PercentFromProgressLinesOnly)
{
    EXPECT_EQ(RecordingPercent(QStringLiteral(
                  "xorriso : UPDATE :    5 of   20 MB written (fifo  0%) [buf  50%]")),
              25);
    EXPECT_EQ(RecordingPercent(QStringLiteral("xorriso : UPDATE : 30 of 20 MB written")), 100);
    EXPECT_EQ(RecordingPercent(QStringLiteral("xorriso : UPDATE : 0 of 0 MB written")),
              std::nullopt);
    EXPECT_EQ(RecordingPercent(QStringLiteral("Beginning to write data track.")), std::nullopt);
}

TEST(XorrisoCommand, SpeedListFromTheDriveReport)
{
    const QString report = QStringLiteral("Write speed L:  1385k ,  1.0xD ,  7.9xC\n"
                                          "Write speed  :  5540k ,  4.0xD , 31.6xC ,  1.2xB\n"
                                          "Write speed  :  3324k ,  2.4xD , 18.9xC ,  0.7xB\n"
                                          "Write speed  :  5540k ,  4.0xD , 31.6xC ,  1.2xB\n"
                                          "Write speed H:  5540k ,  4.0xD , 31.6xC\n");
    EXPECT_EQ(DriveSpeedItems(report, QLatin1Char(',')), QStringList({"2,4x", "4x", "MAX"}));
    EXPECT_EQ(DriveSpeedItems(QStringLiteral("xorriso : NOTE : Output device is not an MMC "
                                             "drive."),
                              QLatin1Char('.')),
              QStringList());
}

} // namespace
