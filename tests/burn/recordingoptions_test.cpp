#include "burn/recordingoptions.h"

#include <gtest/gtest.h>

namespace {

struct GateRow
{
    const char* version;
    bool shutdown;
    bool verify;
    bool speed;
};

TEST(RecordingOptions, VersionsGateEachOption)
{
    const GateRow rows[] = {
        {"3.1.9.0", false, false, false}, {"3.2.0.0", true, false, false},
        {"3.2.1.0", true, false, false},  {"3.2.2.0", true, true, false},
        {"3.2.2.1", true, true, true},    {"3.2.3.0", true, true, true},
        {"3.1.10.0", true, false, false}, {"", false, false, false},
    };
    for (const GateRow& row : rows) {
        SCOPED_TRACE(row.version);
        const RecordingOptionsState state = DecideRecordingOptions(1, row.version);
        EXPECT_EQ(state.shutdownEnabled, row.shutdown);
        EXPECT_EQ(state.verifyEnabled, row.verify);
        EXPECT_EQ(state.speedEnabled, row.speed);
        EXPECT_EQ(state.clearShutdown, !row.shutdown);
        EXPECT_EQ(state.clearVerify, !row.verify);
    }
}

TEST(RecordingOptions, BurningOffDisablesAllButKeepsTheValues)
{
    const RecordingOptionsState state = DecideRecordingOptions(0, QStringLiteral("3.2.2.1"));
    EXPECT_FALSE(state.shutdownEnabled || state.verifyEnabled || state.speedEnabled);
    EXPECT_FALSE(state.clearShutdown || state.clearVerify);
    // Any value other than 0 counts as on here.
    EXPECT_TRUE(DecideRecordingOptions(2, QStringLiteral("3.2.2.1")).speedEnabled);
}

TEST(SpeedList, ItemsFollowTheDecimalSeparator)
{
    EXPECT_EQ(SpeedListItems(QLatin1Char('.')),
              QStringList({"1x", "2x", "2.4x", "4x", "8x", "12x", "16x", "MAX"}));
    EXPECT_EQ(SpeedListItems(QLatin1Char(',')).at(2), "2,4x");
}

TEST(SpeedList, StoredSpeedSelectsByPrefix)
{
    const QStringList dots = SpeedListItems(QLatin1Char('.'));
    const QStringList commas = SpeedListItems(QLatin1Char(','));
    EXPECT_EQ(SpeedSelection(dots, QStringLiteral("1x")), 0);
    EXPECT_EQ(SpeedSelection(dots, QStringLiteral("16x")), 6);
    EXPECT_EQ(SpeedSelection(dots, QStringLiteral("2.4x")), 2);
    EXPECT_EQ(SpeedSelection(commas, QStringLiteral("2.4x")), -1);
    EXPECT_EQ(SpeedSelection(dots, QStringLiteral("max")), 7);
    EXPECT_EQ(SpeedSelection(dots, QString()), 7);
    EXPECT_EQ(SpeedSelection(dots, QStringLiteral("8")), 7);
    EXPECT_EQ(SpeedSelection(dots, QStringLiteral("3x")), -1);
    // "12" is a prefix of 12x only, never of 1x.
    EXPECT_EQ(SpeedSelection(dots, QStringLiteral("12")), 5);
}

} // namespace
