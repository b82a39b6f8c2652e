#include "cli/clioptions.h"
#include "cli/progressprinter.h"
#include "cli/recordrun.h"

#include <gtest/gtest.h>

namespace {

struct OptionsCase
{
    QStringList arguments;
    QString command;
    QStringList operands;
    QString error; // the start of the message, empty when none
};

TEST(CliOptionsTest, OptionsAnywhereOperandsInOrderAndMistakesNamed)
{
    const QList<OptionsCase> cases = {
        {{"build", "a", "--split", "b.iso", "--volume-id", "X"}, "build", {"a", "b.iso"}, ""},
        {{"--yes", "build", "a", "b"}, "build", {"a", "b"}, ""},
        {{"build", "--", "-dvd", "-o"}, "build", {"-dvd", "-o"}, ""},
        {{"build", "a", "--volume-id"}, "build", {"a"}, "--volume-id needs a value."},
        {{"build", "--yes", "--no"}, "build", {}, "--yes and --no exclude each other."},
        {{"build", "--progress=xml"}, "build", {}, "Unknown progress mode \"xml\""},
        {{"build", "--force"}, "build", {}, "Unknown option \"--force\"."},
    };
    for (const OptionsCase& test : cases) {
        const CliOptions options = ParseCliOptions(test.arguments);
        SCOPED_TRACE(test.arguments.join(' ').toStdString());
        if (!test.error.isEmpty()) {
            EXPECT_TRUE(options.error.startsWith(test.error)) << options.error.toStdString();
            continue;
        }
        EXPECT_EQ(options.error, QString());
        EXPECT_EQ(options.command, test.command);
        EXPECT_EQ(options.operands, test.operands);
    }
    const CliOptions values = ParseCliOptions(
        {"build", "--volume-id=MY DISC", "--output-dir", "out", "--progress=json", "--no"});
    EXPECT_EQ(values.volumeId, "MY DISC");
    EXPECT_EQ(values.outputDir, "out");
    EXPECT_EQ(values.progress, ProgressMode::Json);
    EXPECT_EQ(values.answer, AnswerMode::No);
}

TEST(CliOptionsTest, RecordingNeedsADeviceAndASpeedXorrisoTakes)
{
    CliOptions options = ParseCliOptions({"record", "a.iso", "--speed", "fast"});
    EXPECT_EQ(RecordingMisuse(options), "recording needs --device DEV.");
    options.device = "stdio:disc";
    EXPECT_EQ(RecordingMisuse(options),
              "--speed takes a DVD speed such as 4 or 2.4, not \"fast\".");
    options.speed = "2.4";
    EXPECT_EQ(RecordingMisuse(options), QString());
}

TEST(ProgressTextTest, SpeedAndTimeLeftFromTheShareDoneSoFar)
{
    // 50 % of 200 MiB in 10 s: 10 MB/s, 10 s left.
    const ProgressSample half{50, 10.0, 200.0 * 1048576};
    EXPECT_EQ(FormatProgress(ProgressStyle::Lines, half, "a.iso"), " 50 %  10.0 MB/s  0:10 left");
    EXPECT_EQ(FormatProgress(ProgressStyle::Json, half, "a.iso"),
              R"({"mbPerSecond":10,"output":"a.iso","percent":50,"secondsLeft":10})");
    // Nothing done yet: no speed, and no time left to promise.
    const ProgressSample start{0, 0.0, 1e9};
    EXPECT_EQ(FormatProgress(ProgressStyle::InPlace, start, ""), "  0 %  0.0 MB/s  -:-- left");
    EXPECT_EQ(FormatProgress(ProgressStyle::Json, start, "b"),
              R"({"mbPerSecond":0,"output":"b","percent":0,"secondsLeft":null})");

    EXPECT_EQ(ChooseProgressStyle(ProgressMode::Automatic, true), ProgressStyle::InPlace);
    EXPECT_EQ(ChooseProgressStyle(ProgressMode::Automatic, false), ProgressStyle::Lines);
    EXPECT_EQ(ChooseProgressStyle(ProgressMode::Json, true), ProgressStyle::Json);
}

} // namespace
