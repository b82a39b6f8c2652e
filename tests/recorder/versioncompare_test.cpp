#include "recorder/decrypterprogram.h"
#include "recorder/versioncompare.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace {

const char* const kThresholds[] = {Decrypter::RecordingThreshold, Decrypter::ShutdownEraseThreshold,
                                   Decrypter::VerifyThreshold,
                                   Decrypter::VerifyValueSpeedThreshold};

// Which thresholds a version is above, in the order of kThresholds.
std::vector<bool> Decisions(const QString& version)
{
    std::vector<bool> above;
    for (const char* threshold : kThresholds)
        above.push_back(IsVersionAbove(version, threshold));
    return above;
}

TEST(VersionCompareTest, VersionsPassTheGatesInNumericOrder)
{
    using V = std::vector<bool>;
    EXPECT_EQ(Decisions("3.1.6.0"), (V{false, false, false, false}));
    EXPECT_EQ(Decisions("3.1.7.0"), (V{true, false, false, false}));
    EXPECT_EQ(Decisions("3.1.9.0"), (V{true, false, false, false}));
    EXPECT_EQ(Decisions("3.2.0.0"), (V{true, true, false, false}));
    EXPECT_EQ(Decisions("3.2.1.0"), (V{true, true, false, false}));
    EXPECT_EQ(Decisions("3.2.1.1"), (V{true, true, true, false}));
    EXPECT_EQ(Decisions("3.2.2.0"), (V{true, true, true, false}));
    EXPECT_EQ(Decisions("3.2.2.1"), (V{true, true, true, true}));
    // Parts compare as numbers: as text these would be below "3.1.6.0" and be refused.
    EXPECT_EQ(Decisions("3.1.10.0"), (V{true, true, false, false}));
    EXPECT_EQ(Decisions("10.0.0.0"), (V{true, true, true, true}));
    EXPECT_EQ(Decisions("3.10.0.0"), (V{true, true, true, true}));
    EXPECT_EQ(Decisions("65535.2.40000.4"), (V{true, true, true, true}));
    EXPECT_FALSE(IsVersionAbove("3.1.6.0", "3.1.10.0"));
    EXPECT_FALSE(IsVersionAbove("3.1.06.0", "3.1.6.0")); // equal as numbers
}

TEST(VersionCompareTest, EmptyOrMalformedVersionIsBelowEveryThreshold)
{
    for (const char* text :
         {"", "3", "3.2.2", "3.2.2.1.0", "3..2.1", "3.2.2.1.", ".3.2.2", "3.2.2.x", " 3.2.2.1",
          "3.2.2.1 ", "-3.2.2.1", "+3.2.2.1", "3,2,2,1", "99999999999.0.0.0", "\xd9\xa3.2.2.1"}) {
        const QString version = QString::fromUtf8(text);
        EXPECT_EQ(Decisions(version), std::vector<bool>(4, false)) << text;
    }
    EXPECT_FALSE(IsVersionAbove("9.9.9.9", "not a version"));
}

// Every version the recorder was published with has single-digit parts; for
// those the numeric rule decides exactly as a byte-wise text comparison did.
TEST(VersionCompareTest, SingleDigitVersionsDecideAsTheTextualRule)
{
    int above = 0;
    for (int n = 0; n < 10000; ++n) {
        const QString version =
            QString::asprintf("%d.%d.%d.%d", n / 1000, n / 100 % 10, n / 10 % 10, n % 10);
        for (const char* threshold : kThresholds) {
            const bool textual = version.toLatin1() > QByteArray(threshold);
            ASSERT_EQ(IsVersionAbove(version, threshold), textual)
                << version.toStdString() << " vs " << threshold;
            above += textual;
        }
    }
    EXPECT_GT(above, 0);
    EXPECT_LT(above, 40000);
}

} // namespace
