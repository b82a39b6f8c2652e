#include "cli/clioptions.h"
#include "cli/progressprinter.h"
#include "cli/recordrun.h"
#include "cli/sourcelist.h"

#include "cli/writtentext.h"
#include <QTemporaryDir>

#include <QJsonObject>
#include <QLocale>

#include <array>
#include <cstdio>
#include <string>

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
        {{"build", "--split", "--no-split"}, "build", {}, "--split and --no-split exclude"},
        {{"build", "--settings", "s.ini", "--no-settings"}, "build", {}, "--settings and"},
        {{"build", "--checksum=md5"}, "build", {}, "Unknown checksum \"md5\"; use sha256."},
        {{"build", "-0", "--output-dir", "o"}, "build", {}, "-0 needs --sources-from."},
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
    EXPECT_EQ(values.split, std::nullopt); // the settings decide
    const CliOptions switches =
        ParseCliOptions({"build", "--no-split", "--size-check", "--settings=s.ini", "-q",
                         "--sources-from", "-", "-0", "--dry-run", "--checksum", "sha256"});
    EXPECT_EQ(switches.error, QString());
    EXPECT_EQ(switches.split, false);
    EXPECT_EQ(switches.sizeCheck, true);
    EXPECT_EQ(switches.settingsFile, "s.ini");
    EXPECT_EQ(switches.progress, ProgressMode::None);
    EXPECT_EQ(switches.sourcesFrom, "-");
    EXPECT_TRUE(switches.nulSeparated && switches.dryRun);
    EXPECT_EQ(switches.checksum, "sha256");
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

// A list as an editor on Windows or find -print0 leaves it: line ends, blank
// entries and names with blanks or line feeds.
TEST(SourceListTest, LinesOrNulEndedNamesWithoutBlankEntries)
{
    QTemporaryDir folder;
    const struct
    {
        QByteArray bytes;
        bool nul;
        QStringList sources;
    } cases[] = {
        {"a\r\n\nb c\n", false, {"a", "b c"}},
        {"a\nb", false, {"a", "b"}},
        {QByteArray("x\ny\0\0z\0", 7), true, {"x\ny", "z"}},
    };
    for (const auto& test : cases) {
        QFile list(folder.filePath("list"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly | QIODevice::Truncate));
        list.write(test.bytes);
        list.close();
        QString problem;
        EXPECT_EQ(ReadSourceList(list.fileName(), test.nul, &problem), test.sources);
        EXPECT_EQ(problem, QString());
    }
    QString problem;
    EXPECT_EQ(ReadSourceList(folder.filePath("none"), false, &problem), std::nullopt);
    EXPECT_TRUE(
        problem.startsWith("The source list \"" + folder.filePath("none") + "\" cannot be read: "))
        << problem.toStdString();
}

TEST(ProgressTextTest, SpeedAndTimeLeftFromTheShareDoneSoFar)
{
    // 50 % of 200 MiB in 10 s: 10 MB/s, 10 s left.
    const ProgressSample half{50, 10.0, 200.0 * 1048576};
    EXPECT_EQ(FormatProgress(ProgressStyle::Lines, half, "a.iso"), " 50 %  10.0 MB/s  0:10 left");
    EXPECT_EQ(
        FormatProgress(ProgressStyle::Json, half, "a.iso"),
        R"({"event":"progress","mbPerSecond":10,"output":"a.iso","percent":50,"secondsLeft":10})");
    // Nothing done yet: no speed, and no time left to promise.
    const ProgressSample start{0, 0.0, 1e9};
    EXPECT_EQ(FormatProgress(ProgressStyle::InPlace, start, ""), "  0 %  0.0 MB/s  -:-- left");
    EXPECT_EQ(
        FormatProgress(ProgressStyle::Json, start, "b"),
        R"({"event":"progress","mbPerSecond":0,"output":"b","percent":0,"secondsLeft":null})");

    EXPECT_EQ(ChooseProgressStyle(ProgressMode::Automatic, true), ProgressStyle::InPlace);
    EXPECT_EQ(ChooseProgressStyle(ProgressMode::Automatic, false), ProgressStyle::Lines);
    EXPECT_EQ(ChooseProgressStyle(ProgressMode::Json, true), ProgressStyle::Json);
    EXPECT_EQ(ChooseProgressStyle(ProgressMode::None, true), ProgressStyle::None);
}

// The pace so far in MiB a second, and the rest of the run at that pace,
// rounded to the nearest second; no time left is promised before a percent.
TEST(ProgressTextTest, RateAndTimeLeftAtThePaceSoFar)
{
    constexpr double kMiB = 1048576;
    const struct
    {
        ProgressSample sample;
        double megabytesPerSecond;
        const char* clock;
    } cases[] = {
        {{50, 10, 200 * kMiB}, 10.0, "0:10"},
        {{0, 10, 200 * kMiB}, 0.0, "-:--"},
        {{50, 0, 200 * kMiB}, 0.0, "0:00"},
        {{3, 20, 4.7e9}, 4.7e9 * 0.03 / kMiB / 20, "10:47"}, // 646.67 s
        {{100, 125, 1000 * kMiB}, 8.0, "0:00"},
        {{50, 59999, 0}, 0.0, "999:59"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.clock);
        EXPECT_DOUBLE_EQ(MegabytesPerSecond(test.sample), test.megabytesPerSecond);
        EXPECT_EQ(ClockText(SecondsLeft(test.sample)), test.clock);
    }
}

// A split image names its first and last chunk; the size is the files' together.
TEST(ProgressTextTest, WhatWasWrittenNamesItsFilesItsSizeAndItsLabel)
{
    const QLocale before;
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(WrittenText({"/o/a.iso"}, 1258291, "MY_DISC"),
              R"(Wrote "/o/a.iso": 1.2 MB, Volume ID "MY_DISC".)");
    EXPECT_EQ(WrittenText({"/o/a.iso_00", "/o/a.iso_01", "/o/a.iso_02"}, 2500000000, "X"),
              R"(Wrote 3 chunks, "/o/a.iso_00" to "/o/a.iso_02": 2.3 GB, Volume ID "X".)");
    QLocale::setDefault(before);
}

// Only a front end reads result objects; a quiet run prints nothing at all.
TEST(ProgressTextTest, ResultObjectsFollowTheProgressOfAFrontEndOnly)
{
    const struct
    {
        ProgressStyle style;
        const char* printed;
    } cases[] = {
        {ProgressStyle::Json,
         "{\"event\":\"progress\",\"mbPerSecond\":10,\"output\":\"a.iso\",\"percent\":50,"
         "\"secondsLeft\":10}\n{\"event\":\"result\",\"status\":0}\n"},
        {ProgressStyle::Lines, " 50 %  10.0 MB/s  0:10 left\n"},
        {ProgressStyle::None, ""},
    };
    for (const auto& test : cases) {
        std::FILE* stream = std::tmpfile();
        ASSERT_NE(stream, nullptr);
        ProgressPrinter printer(test.style, stream);
        printer.Begin("a.iso");
        printer.Show({50, 10.0, 200.0 * 1048576});
        printer.Show({50, 11.0, 200.0 * 1048576}); // each percent once
        printer.End();
        printer.PrintResult({{"event", "result"}, {"status", 0}});
        std::rewind(stream);
        std::array<char, 512> text{};
        const size_t length = std::fread(text.data(), 1, text.size() - 1, stream);
        std::fclose(stream);
        EXPECT_EQ(std::string(text.data(), length), test.printed);
    }
}

} // namespace
