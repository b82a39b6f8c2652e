#include "imaging/outcome.h"
#include "support/scriptedmessagebox.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace {

struct OutcomeRow
{
    OutcomeCode code;
    const char* caption;
    const char* text;
    BoxKind kind;
};

const QString kErrorList = QStringLiteral(
    "http://isomint-stencil.example.org/ib/index.php?act=html_include&incl_name=error");

// The whole vocabulary, with detail "D" and system error 5 supplied to every row:
// rows that do not use them must not show them.
const OutcomeRow kRows[] = {
    {0, "Information", "Action successfully completed!\nSee log for details.",
     BoxKind::Information},
    {1, "Error",
     "Can't find a \"VIDEO_TS\" directory.\nThis directory must exist below the given Source "
     "Directory!",
     BoxKind::Error},
    {2, "Error", "Unknown Error", BoxKind::Error},
    {3, "Error!",
     "Unsupported character (\"D\") in Volume ID.\nUse only standard letters, numbers and "
     "underscores!",
     BoxKind::Error},
    {4, "Error", "Missing needed file: D", BoxKind::Error},
    {5, "Warning", "Missing file: D\nDo you want to continue?", BoxKind::WarningYesNo},
    {6, "Error",
     "Missing needed information.\nCheck if you have inserted SourceDir, TargetFile and VolumeID!",
     BoxKind::Error},
    {7, "Error", "Volume ID too long!", BoxKind::Error},
    {8, "Error", "\"mkisofs\" reports some errors.\nSee log for details.", BoxKind::Error},
    {10, "Error", "Unknown Error", BoxKind::Error},
    {-1, "Error", "Unknown Error", BoxKind::Error},
    {INT_MIN, "Error", "Unknown Error", BoxKind::Error},
};

TEST(OutcomeMessage, MapsEveryCodeToItsExactBox)
{
    for (const OutcomeRow& row : kRows) {
        SCOPED_TRACE(row.code);
        const OutcomeText message = OutcomeMessage(row.code, QStringLiteral("D"), 5);
        EXPECT_EQ(message.caption, QString::fromUtf8(row.caption));
        EXPECT_EQ(message.text, QString::fromUtf8(row.text));
        EXPECT_EQ(message.kind, row.kind);
    }
}

TEST(OutcomeMessage, SystemErrorNamesTheNumberAndTheErrorList)
{
    const OutcomeText message = OutcomeMessage(9, QStringLiteral("ignored"), -13);
    EXPECT_EQ(message.caption, "Error");
    EXPECT_EQ(message.kind, BoxKind::Error);
    EXPECT_EQ(message.text,
              "System Error # -13!\n\nYou can find a list with possible errors at:\n\n" +
                  kErrorList + "\n\nPlease use the support forum for help!");
    EXPECT_TRUE(kErrorList.contains("/ib/index.php?act=html_include&incl_name=error"));
}

TEST(OutcomeMessage, DetailTextIsTakenVerbatim)
{
    EXPECT_EQ(OutcomeMessage(3, QStringLiteral("!"), 0).text,
              "Unsupported character (\"!\") in Volume ID.\nUse only standard letters, numbers "
              "and underscores!");
    EXPECT_EQ(OutcomeMessage(4, QStringLiteral("/dvd/VIDEO_TS/video_ts.ifo"), 0).text,
              "Missing needed file: /dvd/VIDEO_TS/video_ts.ifo");
    EXPECT_EQ(OutcomeMessage(4, QStringLiteral("C:\\DVD\\VIDEO_TS\\video_ts.ifo"), 0).text,
              "Missing needed file: C:\\DVD\\VIDEO_TS\\video_ts.ifo");
    // A "%" in a path must not be taken as a format.
    EXPECT_EQ(OutcomeMessage(5, QStringLiteral("100%s.VOB"), 0).text,
              "Missing file: 100%s.VOB\nDo you want to continue?");
}

TEST(ReportOutcome, ShowsTheBoxOverTheMainWindowAndReturnsTheAnswer)
{
    ScriptedMessageBox boxes;
    boxes.Answer(IdNo);
    boxes.Answer(IdYes);
    EXPECT_EQ(ReportOutcome(boxes, Outcome::MissingFileAsk, QStringLiteral("VTS_01_1.VOB")), IdNo);
    EXPECT_EQ(ReportOutcome(boxes, Outcome::MissingFileAsk, QStringLiteral("VTS_01_1.VOB")), IdYes);
    EXPECT_EQ(ReportOutcome(boxes, Outcome::Success, QString()), IdOk);

    ASSERT_EQ(boxes.Count(), 3);
    const MessageBoxRequest ask = boxes.Shown().at(0);
    EXPECT_EQ(ask.caption, "Warning");
    EXPECT_EQ(ask.text, "Missing file: VTS_01_1.VOB\nDo you want to continue?");
    EXPECT_EQ(ask.kind, BoxKind::WarningYesNo);
    EXPECT_EQ(ask.owner, BoxOwner::MainWindow);
    EXPECT_EQ(boxes.Last().caption, "Information");
}

TEST(ReportOutcome, SystemErrorReadsTheCallersErrno)
{
    ScriptedMessageBox boxes;
    errno = ENOENT;
    ReportOutcome(boxes, Outcome::SystemError, QString());
    EXPECT_TRUE(boxes.Last().text.startsWith(QStringLiteral("System Error # %1!").arg(ENOENT)));

    ReportOutcome(boxes, Outcome::SystemError, QString(), EACCES);
    EXPECT_TRUE(boxes.Last().text.startsWith(QStringLiteral("System Error # %1!").arg(EACCES)));
}

} // namespace
