#include "controls/messagebox.h"
#include "support/scriptedmessagebox.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBox, ApplicationBoxTakesTheExecutableNameAsCaption)
{
    ScriptedMessageBox boxes;
    EXPECT_EQ(ShowApplicationBox(boxes, QStringLiteral("text")), BoxAnswer::Ok);
    const MessageBoxRequest request = boxes.Last();
    EXPECT_EQ(request.caption, "controls_dialogs_test");
    EXPECT_EQ(request.kind, BoxKind::AppWarning);
    EXPECT_EQ(request.owner, BoxOwner::Application);
    EXPECT_EQ(ApplicationTitle(), "controls_dialogs_test");
}

TEST(MessageBox, WindowBoxPassesTheAnswerThrough)
{
    ScriptedMessageBox boxes;
    boxes.Answer(BoxAnswer::No);
    EXPECT_EQ(ShowWindowBox(boxes, "DVD Directory Size", "t", BoxKind::QuestionYesNo),
              BoxAnswer::No);
    EXPECT_EQ(boxes.Last().owner, BoxOwner::MainWindow);
    EXPECT_EQ(boxes.Last().caption, "DVD Directory Size");
}

} // namespace
