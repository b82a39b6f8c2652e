#include "burn/decrypterversion.h"
#include "platform/messagebox.h"
#include "support/scriptedmessagebox.h"

#include <gtest/gtest.h>

namespace {

const QString kPeDir = QStringLiteral(ISOMINT_TEST_DATA_DIR "/pe/");
const QString kTooOld =
    QStringLiteral("For recording support at least DVDDecrypter Ver. 3.1.7.0 is needed!");

MessageBoxRequest AppBox(const QString& text)
{
    return {ApplicationTitle(), text, BoxKind::AppWarning, BoxOwner::Application};
}

TEST(DecrypterVersionTest, RecentRecorderIsAcceptedWithoutMessage)
{
    for (const char* version : {"3.1.7.0", "3.2.2.1", "3.1.10.0"}) {
        ScriptedMessageBox boxes;
        const QString path = kPeDir + QStringLiteral("recorder-%1.exe").arg(version);
        const DecrypterVersionCheck check = CheckDecrypterVersion(path, boxes);
        EXPECT_TRUE(check.accepted) << version;
        EXPECT_EQ(check.version, QLatin1String(version));
        EXPECT_EQ(boxes.Count(), 0) << version;
    }
}

TEST(DecrypterVersionTest, OldRecorderIsRefusedWithOneMessage)
{
    ScriptedMessageBox boxes;
    const DecrypterVersionCheck check =
        CheckDecrypterVersion(kPeDir + QStringLiteral("recorder-3.1.6.0.exe"), boxes);
    EXPECT_FALSE(check.accepted);
    EXPECT_EQ(check.version, QStringLiteral("3.1.6.0"));
    EXPECT_EQ(boxes.Shown(), QList<MessageBoxRequest>{AppBox(kTooOld)});
}

TEST(DecrypterVersionTest, MissingOrVersionlessRecorderGivesBothMessagesInOrder)
{
    const QString paths[] = {kPeDir + QStringLiteral("no-such-recorder.exe"),
                             kPeDir + QStringLiteral("no-resources.exe"), QString()};
    for (const QString& path : paths) {
        ScriptedMessageBox boxes;
        const DecrypterVersionCheck check = CheckDecrypterVersion(path, boxes);
        EXPECT_FALSE(check.accepted);
        EXPECT_TRUE(check.version.isEmpty());
        const QList<MessageBoxRequest> expected{
            AppBox(QStringLiteral("Can't receive file information for file ") + path),
            AppBox(kTooOld)};
        EXPECT_EQ(boxes.Shown(), expected) << path.toStdString();
    }
}

} // namespace
