#include "imaging/outcome.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

struct OutcomeRow
{
    int code;
    const char* caption;
    const char* text;
    OutcomeKind kind;
};

const QString kErrorList = QStringLiteral(
    "http://isomint-stencil.example.org/ib/index.php?act=html_include&incl_name=error");

// The whole vocabulary, with detail "D" and system error 5 supplied to every row:
// rows that do not use them must not show them.
const OutcomeRow kRows[] = {
    {0, "Information", "Action successfully completed!\nSee log for details.",
     OutcomeKind::Information},
    {1, "Error",
     "Can't find a \"VIDEO_TS\" directory.\nThis directory must exist below the given Source "
     "Directory!",
     OutcomeKind::Error},
    {2, "Error", "Unknown Error", OutcomeKind::Error},
    {3, "Error!",
     "Unsupported character (\"D\") in Volume ID.\nUse only standard letters, numbers and "
     "underscores!",
     OutcomeKind::Error},
    {4, "Error", "Missing needed file: D", OutcomeKind::Error},
    {5, "Warning", "Missing file: D\nDo you want to continue?", OutcomeKind::Question},
    {6, "Error",
     "Missing needed information.\nCheck if you have inserted SourceDir, TargetFile and VolumeID!",
     OutcomeKind::Error},
    {7, "Error", "Volume ID too long!", OutcomeKind::Error},
    {8, "Error", "\"mkisofs\" reports some errors.\nSee log for details.", OutcomeKind::Error},
    {10, "Error", "Unknown Error", OutcomeKind::Error},
    {-1, "Error", "Unknown Error", OutcomeKind::Error},
    {INT_MIN, "Error", "Unknown Error", OutcomeKind::Error},
};

TEST(OutcomeMessage, MapsEveryCodeToItsExactBox)
{
    for (const OutcomeRow& row : kRows) {
        SCOPED_TRACE(row.code);
        const OutcomeText message =
            OutcomeMessage(static_cast<OutcomeCode>(row.code), QStringLiteral("D"), 5);
        EXPECT_EQ(message.caption, QString::fromUtf8(row.caption));
        EXPECT_EQ(message.text, QString::fromUtf8(row.text));
        EXPECT_EQ(message.kind, row.kind);
    }
}

TEST(OutcomeMessage, SystemErrorNamesTheNumberAndTheErrorList)
{
    const OutcomeText message =
        OutcomeMessage(OutcomeCode::SystemError, QStringLiteral("ignored"), -13);
    EXPECT_EQ(message.caption, "Error");
    EXPECT_EQ(message.kind, OutcomeKind::Error);
    EXPECT_EQ(message.text,
              "System Error # -13!\n\nYou can find a list with possible errors at:\n\n" +
                  kErrorList + "\n\nPlease use the support forum for help!");
    EXPECT_TRUE(kErrorList.contains("/ib/index.php?act=html_include&incl_name=error"));
}

// A path goes in as it is: no separator changed, no "%" taken as a format.
TEST(OutcomeMessage, DetailTextIsTakenVerbatim)
{
    EXPECT_EQ(OutcomeMessage(OutcomeCode::MissingNeededFile,
                             QStringLiteral("C:\\DVD\\VIDEO_TS\\video_ts.ifo"), 0)
                  .text,
              "Missing needed file: C:\\DVD\\VIDEO_TS\\video_ts.ifo");
    EXPECT_EQ(OutcomeMessage(OutcomeCode::MissingFileAsk, QStringLiteral("100%s.VOB"), 0).text,
              "Missing file: 100%s.VOB\nDo you want to continue?");
}

} // namespace
