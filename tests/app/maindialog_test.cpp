// The main window's commands and start-up details, offscreen, with scripted
// dialogs and message boxes.
#include "app/apptesthelpers.h"
#include "app/maindialog.h"
#include "app/manifest.h"
#include "controls/applicationprofile.h"
#include "controls/cxfiledialog.h"
#include "controls/folderpicker.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/settingsdialog.h"
#include "fakes/testprogramfolder.h"
#include "imaging/buildengine.h"
#include "imaging/droppedsource.h"
#include "settings/programsettings.h"
#include "support/scriptedmessagebox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

class MainDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetApplicationProfilePath(m_folder.File("profile.ini"));
        m_folder.WriteSettings(0, 0, 0, QString(), QString(), 0);
        m_window = std::make_unique<MainDialog>(
            m_folder.Path(), &m_boxes,
            MonitorTimings{std::chrono::milliseconds(10), std::chrono::milliseconds(100)});
        m_window->show();
    }
    void TearDown() override
    {
        FolderPicker::ClearAnswers();
        CXFileDialog::ClearAnswers();
        SetApplicationProfilePath(QString());
        qunsetenv("ISOMINT_FAKE_MKISOFS_SCRIPT");
    }

    template <typename T> T* Child(const char* name)
    {
        return m_window->findChild<T*>(QString::fromLatin1(name));
    }
    QString Text(const char* edit) { return Child<QLineEdit>(edit)->text(); }

    // A recorder whose version offers every option, so the speed list is filled.
    void EnableRecording(const QString& writeSpeed)
    {
        const QString recorder = m_folder.File("rec.exe");
        QFile::copy(QStringLiteral(ISOMINT_TEST_DATA_DIR "/pe/recorder-3.2.2.1.exe"), recorder);
        m_folder.WriteSettings(0, 1, 0, recorder, "E:", 0);
        // The last of two keys wins.
        QFile file(m_folder.File("stencil.ini"));
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("WriteSpeed = " + writeSpeed.toUtf8() + "\r\n");
        file.close();
        m_window->UpdateRecordingOptions();
    }

    QByteArray SettingsFile()
    {
        QFile file(m_folder.File("stencil.ini"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TestProgramFolder m_folder{QStringLiteral(ISOMINT_FAKE_MKISOFS)};
    ScriptedMessageBox m_boxes;
    std::unique_ptr<MainDialog> m_window;
};

TEST_F(MainDialogTest, ChoosingASourceProposesItsVolumeId)
{
    const QString chosen = m_folder.File("My Movie");
    QDir().mkpath(chosen);
    FolderPicker::SetNextAnswer(chosen + "//");
    m_window->BrowseSource();
    EXPECT_EQ(Text("sourceEdit"), chosen);
    EXPECT_EQ(Text("volumeEdit"), "MY_MOVIE");

    FolderPicker::SetNextAnswer(QStringLiteral("/"));
    m_window->BrowseSource();
    EXPECT_EQ(Text("sourceEdit"), "/");
    EXPECT_EQ(Text("volumeEdit"), "NO_NAME");

    // Characters the build refuses in a label are not proposed.
    const QString refused = m_folder.File("Ocean's Eleven");
    QDir().mkpath(refused);
    FolderPicker::SetNextAnswer(refused);
    m_window->BrowseSource();
    EXPECT_EQ(Text("volumeEdit"), "OCEAN_S_ELEVEN");
    m_window->UseSourceDirectory(m_folder.File("東京物語 1953"));
    EXPECT_EQ(Text("volumeEdit"), "_____1953");
}

TEST_F(MainDialogTest, ChoosersStartWhereTheUserIs)
{
    const QString source = m_folder.File("My Movie");
    const QString images = m_folder.File("images");
    QDir().mkpath(source);
    QDir().mkpath(images);
    QString pickerStart;
    const auto cancelPicker = [&pickerStart](QFileDialog& chooser) {
        pickerStart = chooser.directory().absolutePath();
        return std::optional<QString>();
    };
    FolderPicker::SetNextAnswer(cancelPicker);
    m_window->BrowseSource();
    EXPECT_EQ(pickerStart, QDir::homePath()) << "no source yet";

    Child<QLineEdit>("sourceEdit")->setText(source);
    Child<QLineEdit>("outputEdit")->setText(images + "/movie.iso");
    m_window->TakeFieldValues();
    FolderPicker::SetNextAnswer(cancelPicker);
    m_window->BrowseSource();
    EXPECT_EQ(pickerStart, source);

    QString outputStart;
    CXFileDialog::SetNextAnswer([&outputStart](CXFileDialog& dialog) {
        outputStart = dialog.directory().absolutePath();
        return std::optional<QString>();
    });
    m_window->BrowseOutput();
    EXPECT_EQ(outputStart, images);
}

TEST(DroppedSource, AFolderOrAFileInsideAVideoTsStandsForTheSource)
{
    TestProgramFolder folder{QStringLiteral(ISOMINT_FAKE_MKISOFS)};
    const QString movie = folder.File("My Movie");
    QDir().mkpath(movie + "/video_ts");
    QFile ifo(movie + "/video_ts/VIDEO_TS.IFO");
    ASSERT_TRUE(ifo.open(QIODevice::WriteOnly));
    ifo.close();
    EXPECT_EQ(SourceFolderOfDroppedPath(movie), movie);
    EXPECT_EQ(SourceFolderOfDroppedPath(movie + "/video_ts"), movie);
    EXPECT_EQ(SourceFolderOfDroppedPath(movie + "/video_ts/VIDEO_TS.IFO"), movie);
    EXPECT_EQ(SourceFolderOfDroppedPath(folder.File("stencil.ini")), QString())
        << "a file outside a VIDEO_TS is no source";
    EXPECT_EQ(SourceFolderOfDroppedPath(folder.File("gone")), QString());
    EXPECT_EQ(SourceFolderOfDroppedPath(QString()), QString());
}

TEST_F(MainDialogTest, ADroppedFolderFillsTheSourceAndProposesTheVolumeId)
{
    const QString movie = m_folder.File("My Movie");
    QDir().mkpath(movie + "/VIDEO_TS");
    Child<QLineEdit>("outputEdit")->setText("/typed/out.iso");
    const auto drag = [this](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(m_window.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_window.get(), &drop);
        return drop.isAccepted();
    };
    EXPECT_TRUE(m_window->acceptDrops());
    EXPECT_FALSE(drag({QUrl("https://example.org/movie")}));
    EXPECT_FALSE(drag({QUrl::fromLocalFile(m_folder.File("stencil.ini"))}));
    EXPECT_EQ(Text("sourceEdit"), "");

    EXPECT_TRUE(drag({QUrl::fromLocalFile(movie + "/VIDEO_TS")}));
    EXPECT_EQ(Text("sourceEdit"), movie);
    EXPECT_EQ(Text("volumeEdit"), "MY_MOVIE");
    EXPECT_EQ(Text("outputEdit"), "/typed/out.iso") << "what was typed stays";

    m_window->EnterBusyState();
    EXPECT_FALSE(drag({QUrl::fromLocalFile(m_folder.File("dvd"))})) << "not during a build";
    m_window->LeaveBusyState();
}

TEST(MainDialogStart, AFolderOnTheCommandLineIsTheSource)
{
    TestProgramFolder folder{QStringLiteral(ISOMINT_FAKE_MKISOFS)};
    folder.WriteSettings(0, 0, 0, QString(), QString(), 0);
    QDir().mkpath(folder.File("Holiday 2026/VIDEO_TS"));
    ScriptedMessageBox boxes;
    MainDialog window(folder.Path(), &boxes);
    const QString before = QDir::currentPath();
    QDir::setCurrent(folder.File("."));
    window.OpenFromCommandLine({"Holiday 2026/VIDEO_TS"});
    QDir::setCurrent(before);
    window.show();
    EXPECT_EQ(window.findChild<QLineEdit*>("sourceEdit")->text(),
              QDir::cleanPath(folder.File("Holiday 2026")));
    EXPECT_EQ(window.findChild<QLineEdit*>("volumeEdit")->text(), "HOLIDAY_2026");
}

TEST(DesktopEntry, OpensAFolderFromTheFileManager)
{
    QFile entry(QStringLiteral(ISOMINT_PROGRAM_DIR "/../isomint-stencil.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QByteArray text = entry.readAll();
    EXPECT_TRUE(text.contains("\nExec=") && text.contains(" %f\n")) << text.constData();
    EXPECT_TRUE(text.contains("\nMimeType=inode/directory;\n")) << text.constData();
}

TEST_F(MainDialogTest, CancelledSourceShowsOnlyAtTheNextTransfer)
{
    Child<QLineEdit>("sourceEdit")->setText(QStringLiteral("/typed"));
    FolderPicker::SetNextCancel();
    m_window->BrowseSource();
    EXPECT_EQ(Text("sourceEdit"), "/typed");

    Child<QLineEdit>("volumeEdit")->setText(QStringLiteral("MY_MOVIE"));
    m_window->TakeFieldValues();
    FolderPicker::SetNextCancel();
    m_window->BrowseSource();
    QString proposed;
    CXFileDialog::SetNextAnswer([&proposed](CXFileDialog& dialog) {
        proposed = dialog.selectedFiles().value(0);
        return std::optional<QString>(QStringLiteral("/images/MY_MOVIE.iso"));
    });
    m_window->BrowseOutput();
    EXPECT_TRUE(proposed.endsWith("/MY_MOVIE.iso")) << proposed.toStdString();
    EXPECT_EQ(Text("outputEdit"), "/images/MY_MOVIE.iso");
    EXPECT_EQ(Text("sourceEdit"), "Can't get dir...");

    CXFileDialog::SetNextCancel();
    m_window->BrowseOutput();
    EXPECT_EQ(Text("outputEdit"), "/images/MY_MOVIE.iso");
}

TEST_F(MainDialogTest, EscapeIsSwallowedAndEnterRunsImage)
{
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    EXPECT_TRUE(m_window->isVisible());

    Child<QLineEdit>("volumeEdit")->setFocus();
    QTest::keyClick(Child<QLineEdit>("volumeEdit"), Qt::Key_Return);
    // Empty source and output: the build is refused with its message.
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(m_boxes.Last().text, "Missing needed information.\nCheck if you have inserted "
                                   "SourceDir, TargetFile and VolumeID!");
    EXPECT_TRUE(Child<QPushButton>("imageButton")->isEnabled());
}

// The recording options follow the settings file each time the settings box
// closes, even when it is cancelled; the speed is written as soon as it is
// chosen, during a build too.
TEST_F(MainDialogTest, RecordingOptionsFollowTheSettingsAndTheSpeedIsStoredAtOnce)
{
    QComboBox* speed = Child<QComboBox>("speedCombo");
    EXPECT_FALSE(speed->isEnabled());
    EnableRecording(QString());
    EXPECT_EQ(speed->currentText(), "MAX");
    EnableRecording(QStringLiteral("8x"));
    const auto cancelSettings = [this] {
        WhenModalShown<SettingsDialog>([](SettingsDialog& settings) { settings.reject(); });
        m_window->ShowSettings();
    };
    cancelSettings();
    ASSERT_TRUE(speed->isEnabled());
    EXPECT_TRUE(Child<QLabel>("speedLabel")->isEnabled());
    EXPECT_EQ(speed->count(), 8);
    EXPECT_EQ(speed->currentText(), "8x");

    m_folder.WriteScript({"sleep 600000"});
    TestProgramFolder::CopyTree(QStringLiteral(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset"),
                                m_folder.File("dvd"));
    Child<QLineEdit>("sourceEdit")->setText(m_folder.File("dvd"));
    Child<QLineEdit>("outputEdit")->setText(m_folder.File("out.iso"));
    Child<QPushButton>("imageButton")->click();
    ASSERT_TRUE(m_window->Engine().IsBuilding());
    speed->setCurrentIndex(2);
    emit speed->activated(2);
    EXPECT_TRUE(SettingsFile().contains("WriteSpeed = 2.4x\r\n")) << SettingsFile().constData();
    m_window->Engine().AbortBuild();
    ASSERT_TRUE(RunUntil([&] { return !m_window->Engine().IsBuilding(); }));

    // Burning switched off: all disabled, the check marks stay.
    Child<QCheckBox>("verifyCheck")->click();
    m_folder.WriteSettings(0, 0, 0, QString(), QString(), 0);
    cancelSettings();
    EXPECT_FALSE(Child<QCheckBox>("verifyCheck")->isEnabled());
    EXPECT_TRUE(Child<QCheckBox>("verifyCheck")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>("shutdownCheck")->isEnabled());
    EXPECT_FALSE(speed->isEnabled());
}

TEST_F(MainDialogTest, WindowMenuAboutEntryOpensTheAboutBoxAndNothingElse)
{
    int shown = 0;
    const auto close = [&shown](AboutDialog& about) {
        ++shown;
        about.reject();
    };
    WhenModalShown<AboutDialog>(close);
    EXPECT_TRUE(m_window->OnSysCommand(AboutSysCommand));
    EXPECT_EQ(shown, 1);
    // The low four bits are the system's own and do not change the command.
    WhenModalShown<AboutDialog>(close);
    EXPECT_TRUE(m_window->OnSysCommand(AboutSysCommand | 0x3));
    EXPECT_EQ(shown, 2);
    // The window menu's close and move commands stay with the platform.
    EXPECT_FALSE(m_window->OnSysCommand(0xF060));
    EXPECT_FALSE(m_window->OnSysCommand(0xF010));
    EXPECT_EQ(shown, 2);
    EXPECT_TRUE(m_window->isVisible());
}

TEST_F(MainDialogTest, ANegativePercentageEmptiesTheBar)
{
    m_window->SetProgressPosition(42);
    m_window->SetProgressPosition(-5);
    EXPECT_EQ(Child<QProgressBar>("progressBar")->value(), 0);
}

TEST(MainDialogStart, AnExistingManifestIsNeverRewritten)
{
    QTemporaryDir folder;
    const QString manifest = folder.filePath(QString::fromLatin1(ManifestName));
    {
        QFile file(manifest);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("mine");
    }
    ScriptedMessageBox boxes;
    WhenModalShown<SettingsDialog>([](SettingsDialog& settings) { settings.reject(); });
    MainDialog window(folder.path(), &boxes);
    window.OnInitDialog();
    QFile file(manifest);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "mine");
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("renamed-program.manifest"))));
}

TEST(MainDialogStart, ManifestTextIsTheSideBySideManifestWithCrLf)
{
    const QByteArray text = ManifestText();
    EXPECT_TRUE(text.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
                                "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" "
                                "manifestVersion=\"1.0\">\r\n   <assemblyIdentity\r\n"
                                "      version=\"1.0.91.5\"\r\n"));
    EXPECT_TRUE(text.endsWith("          />\r\n      </dependentAssembly>\r\n   </dependency>\r\n"
                              "</assembly>\r\n"));
    EXPECT_EQ(text.count("\r\n"), 22);
    EXPECT_EQ(text.count('\n'), 22);
}

} // namespace
