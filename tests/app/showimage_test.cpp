// The success boxes of the main window offer to show the image in its folder:
// a real build of the fixture, recorded by the real xorriso to a stdio
// pseudo-drive. How the folder is shown is the control's, tested with it.
#include "app/apptesthelpers.h"
#include "app/maindialog.h"
#include "controls/showinfolder.h"
#include "fakes/testprogramfolder.h"
#include "support/scriptedmessagebox.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

// Records what it is asked to show, and shows it.
class RecordingFileManager : public FileManager
{
public:
    RecordingFileManager() { SetFileManager(this); }
    ~RecordingFileManager() override { SetFileManager(nullptr); }
    RecordingFileManager(const RecordingFileManager&) = delete;
    RecordingFileManager& operator=(const RecordingFileManager&) = delete;

    void ShowItems(const QStringList& files, QObject* /*context*/, FileManagerDone done) override
    {
        asked.append(files);
        done(true);
    }

    QList<QStringList> asked;
};

TEST(ShowImage, TheBuildsAndTheRecordingsSuccessBoxesShowTheImage)
{
    const QString xorriso = QStandardPaths::findExecutable(QStringLiteral("xorriso"));
    if (xorriso.isEmpty())
        GTEST_SKIP() << "xorriso is not installed";
    TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
    folder.WriteSettings(0, 1, 0, xorriso, "stdio:" + folder.File("disc"), 0);
    TestProgramFolder::CopyTree(QStringLiteral(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset"),
                                folder.File("dvd"));
    RecordingFileManager fileManager;
    ScriptedMessageBox boxes;
    MainDialog window(
        folder.Path(), &boxes,
        MonitorTimings{std::chrono::milliseconds(10), std::chrono::milliseconds(100)});
    window.show();

    // A refusal is no success: its box offers nothing.
    Find<QPushButton>(window, "imageButton")->click();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().extraButton, QString());

    Find<QLineEdit>(window, "sourceEdit")->setText(folder.File("dvd"));
    Find<QLineEdit>(window, "outputEdit")->setText(folder.File("movie.iso"));
    boxes.Clear();
    boxes.Answer(BoxAnswer::Extra);
    boxes.Answer(BoxAnswer::Extra);
    Find<QPushButton>(window, "imageButton")->click();
    ASSERT_TRUE(RunUntil([&] { return boxes.Count() >= 2 && !window.IsRecording(); }, 120000));
    ASSERT_EQ(boxes.Count(), 2);
    for (const MessageBoxRequest& box : boxes.Shown()) {
        EXPECT_EQ(box.caption, "Information") << box.text.toStdString();
        EXPECT_EQ(box.extraButton, "Show in &Folder");
    }
    const QStringList image = {folder.File("movie.iso")};
    EXPECT_EQ(fileManager.asked, (QList<QStringList>{image, image}));
}

} // namespace
