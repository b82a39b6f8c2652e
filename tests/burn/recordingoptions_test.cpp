#include "burn/recordingoptions.h"

#include <gtest/gtest.h>

namespace {

// With recording off every option is disabled but keeps its value; any value
// other than 0 counts as on.
TEST(RecordingOptions, VersionsGateEachOption)
{
    struct Row
    {
        int burn;
        const char* version;
        bool shutdown, verify, speed;
    };
    const Row rows[] = {
        {1, "3.1.9.0", false, false, false}, {1, "3.2.0.0", true, false, false},
        {1, "3.2.1.0", true, false, false},  {1, "3.2.2.0", true, true, false},
        {1, "3.2.2.1", true, true, true},    {2, "3.2.3.0", true, true, true},
        {1, "3.1.10.0", true, false, false}, {1, "", false, false, false},
        {0, "3.2.2.1", false, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.burn << " " << row.version);
        const RecordingOptionsState state = DecideRecordingOptions(row.burn, row.version);
        EXPECT_EQ(state.shutdownEnabled, row.shutdown);
        EXPECT_EQ(state.verifyEnabled, row.verify);
        EXPECT_EQ(state.speedEnabled, row.speed);
        EXPECT_EQ(state.clearShutdown, row.burn != 0 && !row.shutdown);
        EXPECT_EQ(state.clearVerify, row.burn != 0 && !row.verify);
    }
}

// The items follow the decimal separator; a stored speed selects by prefix,
// and "12" is a prefix of 12x only, never of 1x.
TEST(SpeedList, ItemsFollowTheSeparatorAndAStoredSpeedSelectsByPrefix)
{
    const QStringList dots = SpeedListItems(QLatin1Char('.'));
    const QStringList commas = SpeedListItems(QLatin1Char(','));
    EXPECT_EQ(dots, QStringList({"1x", "2x", "2.4x", "4x", "8x", "12x", "16x", "MAX"}));
    EXPECT_EQ(commas.at(2), "2,4x");
    EXPECT_EQ(SpeedSelection(dots, QStringLiteral("1x")), 0);
    EXPECT_EQ(SpeedSelection(dots, QStringLiteral("16x")), 6);
    EXPECT_EQ(SpeedSelection(dots, QStringLiteral("2.4x")), 2);
    EXPECT_EQ(SpeedSelection(commas, QStringLiteral("2.4x")), -1);
    EXPECT_EQ(SpeedSelection(dots, QStringLiteral("max")), 7);
    EXPECT_EQ(SpeedSelection(dots, QString()), 7);
    EXPECT_EQ(SpeedSelection(dots, QStringLiteral("8")), 7);
    EXPECT_EQ(SpeedSelection(dots, QStringLiteral("3x")), -1);
    EXPECT_EQ(SpeedSelection(dots, QStringLiteral("12")), 5);
}

} // namespace
