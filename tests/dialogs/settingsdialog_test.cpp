#include "burn/opticaldrives.h"
#include "burn/recordingdevice.h"
#include "controls/applicationprofile.h"
#include "controls/cxfiledialog.h"
#include "dialogs/nativedrivelist.h"
#include "dialogs/settingsdialog.h"
#include "support/scriptedmessagebox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr char Rule[] = "###############################################\r\n";

QString Recorder(const char* name)
{
    return QStringLiteral(ISOMINT_TEST_DATA_DIR "/pe/") + QLatin1String(name);
}

// A program folder of its own, a private folder history, and the one settings
// dialog of a run, set up as the main window does at start-up.
class SettingsDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        SetApplicationProfilePath(m_dir.filePath(QStringLiteral("profile.ini")));
        CXFileDialog::ClearAnswers();
        m_dialog.Settings().SetProgramFolder(m_dir.path());
    }

    void TearDown() override
    {
        CXFileDialog::ClearAnswers();
        SetApplicationProfilePath(QString());
    }

    QString IniPath() const { return m_dir.filePath(QStringLiteral("stencil.ini")); }

    void WriteIni(const QByteArray& bytes)
    {
        QFile file(IniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray IniBytes() const
    {
        QFile file(IniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A settings file with burning on and the given recorder.
    void WriteBurningIni(const char* recorder, int erase = 0)
    {
        WriteIni("BurnImageFile = 1\nEraseMedia = " + QByteArray::number(erase) +
                 "\nDecrypterPath = " + Recorder(recorder).toUtf8() + "\n");
    }

    // Runs the dialog modally; `act` works on it while it is open.
    int Run(const std::function<void()>& act)
    {
        QTimer::singleShot(0, &m_dialog, [&] {
            m_captionWhileOpen = m_dialog.windowTitle();
            act();
            if (m_dialog.isVisible())
                m_dialog.reject();
        });
        return m_dialog.exec();
    }

    // A check box reacts only on its box and text, not on the empty rest of its width.
    void Click(const char* name)
    {
        QWidget* widget = Widget<QWidget>(name);
        const QPoint at = qobject_cast<QCheckBox*>(widget) != nullptr
                              ? QPoint(6, widget->height() / 2)
                              : widget->rect().center();
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
    }

    template <typename T> T* Widget(const char* name) { return m_dialog.findChild<T*>(name); }

    bool Enabled(const char* name) { return Widget<QWidget>(name)->isEnabled(); }
    bool Checked(const char* name) { return Widget<QCheckBox>(name)->isChecked(); }
    QComboBox& Drives() { return *Widget<QComboBox>("driveList"); }

    // A recorder named xorriso that answers nothing.
    QString Xorriso() const
    {
        QString xorriso = m_dir.filePath(QStringLiteral("bin/xorriso"));
        QDir(m_dir.path()).mkdir(QStringLiteral("bin"));
        QFile::copy(QStringLiteral("/bin/true"), xorriso);
        return xorriso;
    }

    QTemporaryDir m_dir;
    ScriptedMessageBox m_boxes;
    SettingsDialog m_dialog{m_boxes};
    QString m_captionWhileOpen;
};

TEST_F(SettingsDialogTest, FirstStartCancelledLeavesNoFileAndAsksAgainNextTime)
{
    ASSERT_FALSE(m_dialog.Settings().ReadSettings());
    m_dialog.Settings().MarkFirstTimeSetup();
    EXPECT_EQ(Run([&] { Click("splitCheck"); }), QDialog::Rejected);
    EXPECT_EQ(m_captionWhileOpen, QStringLiteral("Isomint Stencil << First Time Setup >>"));
    EXPECT_FALSE(QFile::exists(IniPath()));
    // What was taken stays in memory for this run.
    EXPECT_TRUE(m_dialog.Settings().SplitImageFile());

    // The same run's menu command opens it with its normal caption.
    Run([] {});
    EXPECT_EQ(m_captionWhileOpen, QStringLiteral("Program Settings"));

    // The next start finds no file and runs the setup again.
    ScriptedMessageBox boxes;
    SettingsDialog next(boxes);
    next.Settings().SetProgramFolder(m_dir.path());
    EXPECT_FALSE(next.Settings().ReadSettings());
}

TEST_F(SettingsDialogTest, FirstStartSavedCreatesTheExactFile)
{
    m_dialog.Settings().MarkFirstTimeSetup();
    EXPECT_EQ(Run([&] {
                  EXPECT_EQ(Drives().currentText(), QStringLiteral("D:"));
                  Click("checkSizeCheck");
                  Click("saveButton");
              }),
              QDialog::Accepted);
    EXPECT_EQ(IniBytes(), QByteArray(Rule) + "# Isomint Stencil Inifile \r\n" + Rule +
                              "SplitImageFile = 0\r\n"
                              "BurnImageFile = 0\r\n"
                              "EraseMedia = 0\r\n"
                              "DecrypterPath = \r\n"
                              "Driveletter = D:\r\n"
                              "WriteSpeed = \r\n"
                              "CheckDirSize = 1\r\n");
    EXPECT_EQ(m_boxes.Count(), 0);
}

// A path the Windows program wrote in its code page is shown decoded and, when
// the user does not change it, saved with the very same bytes.
TEST_F(SettingsDialogTest, EightBitPathIsShownDecodedAndSavedUnchanged)
{
    const QByteArray path = "C:\\Programme\\M\xfcller\\\x81\x9d\\DVDDecrypter.exe";
    WriteIni("SplitImageFile = 0\r\nDecrypterPath = " + path + "\r\nWriteSpeed = 2,4x\xa0\r\n");
    QString shown;
    Run([&] {
        shown = Widget<QLineEdit>("pathEdit")->text();
        Click("splitCheck"); // takes the path from the edit box, as every click does
        Click("saveButton");
    });
    EXPECT_EQ(shown, QStringLiteral(u"C:\\Programme\\M\u00fcller\\\u0081\u009d\\DVDDecrypter.exe"));
    EXPECT_TRUE(IniBytes().contains("\r\nDecrypterPath = " + path + "\r\n"));
    EXPECT_TRUE(IniBytes().contains("\r\nWriteSpeed = 2,4x\xa0\r\n"));
    EXPECT_TRUE(IniBytes().contains("\r\nSplitImageFile = 1\r\n"));
}

// With burning on the path controls are enabled, and erasing too when the
// recorder is new enough; with burning off all are disabled and erase cleared.
TEST_F(SettingsDialogTest, EraseNeedsBurningAndARecorderNewerThan3190ComparedAsNumbers)
{
    struct Case
    {
        const char* recorder; // nullptr: burning off
        bool erase;
    };
    // 3.1.10.0 is newer than 3.1.9.0, although it sorts lower as text.
    for (const Case c : {Case{nullptr, false}, Case{"recorder-3.1.9.0.exe", false},
                         Case{"recorder-3.2.0.0.exe", true}, Case{"recorder-3.1.10.0.exe", true}}) {
        const char* name = c.recorder != nullptr ? c.recorder : "burning off";
        if (c.recorder != nullptr)
            WriteBurningIni(c.recorder, 1);
        else
            WriteIni("BurnImageFile = 0\nEraseMedia = 1\n");
        m_dialog.PrepareOpening();
        EXPECT_EQ(Checked("burnCheck"), c.recorder != nullptr) << name;
        for (const char* control : {"driveList", "exeButton", "pathEdit"})
            EXPECT_EQ(Enabled(control), c.recorder != nullptr) << name << " " << control;
        EXPECT_EQ(Enabled("eraseCheck"), c.erase) << name;
        EXPECT_EQ(Checked("eraseCheck"), c.erase) << name;
        EXPECT_EQ(m_dialog.Settings().EraseMedia(), c.erase) << name;
    }
    EXPECT_EQ(m_boxes.Count(), 0);
}

TEST_F(SettingsDialogTest, RecorderWithoutVersionTurnsBurningOffAndKeepsEraseDisabled)
{
    WriteBurningIni("no-resources.exe", 1);
    m_dialog.PrepareOpening();
    EXPECT_EQ(m_boxes.Count(), 2); // no file information, then the minimum version
    EXPECT_TRUE(m_dialog.Settings().DecrypterVersion().isEmpty());
    EXPECT_FALSE(Checked("burnCheck"));

    // Checking Burn again runs no new check: the path controls come back, erase not.
    Click("burnCheck");
    EXPECT_EQ(m_boxes.Count(), 2);
    for (const char* name : {"driveList", "exeButton", "pathEdit"})
        EXPECT_TRUE(Enabled(name)) << name;
    EXPECT_FALSE(Enabled("eraseCheck"));
}

TEST_F(SettingsDialogTest, UncheckingBurnClearsEraseAndCheckingAgainDoesNotRestoreIt)
{
    WriteBurningIni("recorder-3.2.0.0.exe", 1);
    m_dialog.PrepareOpening();
    ASSERT_TRUE(Checked("eraseCheck"));

    Click("burnCheck");
    EXPECT_FALSE(Checked("eraseCheck"));
    EXPECT_FALSE(Enabled("eraseCheck"));
    EXPECT_FALSE(m_dialog.Settings().BurnImageFile());

    Click("burnCheck");
    EXPECT_TRUE(Enabled("eraseCheck"));
    EXPECT_FALSE(Checked("eraseCheck"));
    EXPECT_FALSE(m_dialog.Settings().EraseMedia());
}

// An unknown letter shows no drive and is saved empty; a chosen one is saved as shown.
TEST_F(SettingsDialogTest, DriveListFollowsTheStoredLetterAndSavesTheShownOne)
{
    ASSERT_EQ(Drives().count(), 23);
    EXPECT_EQ(Drives().itemText(0), QStringLiteral("D:"));
    EXPECT_EQ(Drives().itemText(22), QStringLiteral("Z:"));

    for (const auto& row : {std::pair<QByteArray, QString>{"Driveletter = F:\n", "F:"},
                            {"Driveletter = f:\n", "F:"},
                            {"Driveletter = \n", "D:"},
                            {"SplitImageFile = 0\n", "D:"},
                            {"Driveletter = C:\n", ""}}) {
        const QByteArray& line = row.first;
        const QString& expected = row.second;
        WriteIni(line);
        Run([&] {
            EXPECT_EQ(Drives().currentText(), expected) << line.constData();
            Click("saveButton");
        });
        EXPECT_TRUE(IniBytes().contains("\r\nDriveletter = " + expected.toUtf8() + "\r\n"))
            << line.constData();
    }

    Run([&] {
        Drives().setCurrentIndex(Drives().findText(QStringLiteral("K:")));
        Click("saveButton");
    });
    EXPECT_TRUE(IniBytes().contains("\r\nDriveletter = K:\r\n"));
}

TEST_F(SettingsDialogTest, SavingWithARejectedRecorderWarnsAndWritesBurningOff)
{
    EXPECT_EQ(Run([&] {
                  Click("burnCheck");
                  Widget<QLineEdit>("pathEdit")->setText(Recorder("recorder-3.1.6.0.exe"));
                  Click("saveButton");
              }),
              QDialog::Accepted);
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(
        m_boxes.Last().text,
        QStringLiteral("For recording support at least DVDDecrypter Ver. 3.1.7.0 is needed!"));
    EXPECT_EQ(m_boxes.Last().kind, BoxKind::AppWarning);
    EXPECT_TRUE(IniBytes().contains("\r\nBurnImageFile = 0\r\n"));
    EXPECT_TRUE(IniBytes().contains("recorder-3.1.6.0.exe\r\n"));
}

TEST_F(SettingsDialogTest, ExeButtonOffersStarExeUnlessThePathNamesAnExe)
{
    WriteIni("BurnImageFile = 1\nDecrypterPath = /opt/recorder\n");
    m_dialog.PrepareOpening(); // the recorder is unreadable: burning goes off
    Click("burnCheck");
    m_boxes.Clear();

    QString offered;
    CXFileDialog::SetNextAnswer([&](CXFileDialog& dialog) {
        offered = dialog.selectedFiles().value(0);
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_TRUE(dialog.defaultSuffix().isEmpty());
        EXPECT_EQ(dialog.nameFilters(), QStringList({QStringLiteral("EXE Files (*.exe)"),
                                                     QStringLiteral("xorriso (xorriso)"),
                                                     QStringLiteral("All Files (*)")}));
        return std::optional<QString>(Recorder("recorder-3.2.0.0.exe"));
    });
    Click("exeButton");
    EXPECT_TRUE(offered.endsWith(QStringLiteral("/*.exe"))) << offered.toStdString();

    // The choice is checked at once and enables erasing.
    EXPECT_EQ(Widget<QLineEdit>("pathEdit")->text(), Recorder("recorder-3.2.0.0.exe"));
    EXPECT_EQ(m_dialog.Settings().DecrypterVersion(), QStringLiteral("3.2.0.0"));
    EXPECT_TRUE(Enabled("eraseCheck"));
    EXPECT_EQ(m_boxes.Count(), 0);

    // Now the path names an executable, so it is offered; a cancel changes nothing.
    CXFileDialog::SetNextAnswer([&](CXFileDialog& dialog) {
        offered = dialog.selectedFiles().value(0);
        return std::optional<QString>();
    });
    Click("exeButton");
    EXPECT_EQ(offered, Recorder("recorder-3.2.0.0.exe"));
    EXPECT_EQ(m_dialog.Settings().DecrypterPath(), Recorder("recorder-3.2.0.0.exe"));
}

// With xorriso as the recorder the list names devices, keeps a stored pseudo
// drive, enables erasing without a version, and saves the device as chosen;
// choosing a Windows recorder again brings the letters back.
TEST_F(SettingsDialogTest, XorrisoListsDevicesAndSavesTheChosenOne)
{
    const QString xorriso = Xorriso();
    WriteIni("BurnImageFile = 1\nEraseMedia = 1\nDecrypterPath = " + xorriso.toUtf8() +
             "\nDriveletter = stdio:/tmp/Disc\n");
    m_dialog.PrepareOpening();
    EXPECT_EQ(m_boxes.Count(), 0);
    EXPECT_EQ(Drives().currentText(), "stdio:/tmp/Disc");
    EXPECT_EQ(Drives().findText(QStringLiteral("D:")), -1);
    EXPECT_TRUE(Enabled("eraseCheck"));
    EXPECT_TRUE(Checked("eraseCheck"));
    Widget<QPushButton>("saveButton")->click();
    EXPECT_TRUE(IniBytes().contains("DecrypterPath = " + xorriso.toUtf8() + "\r\n"));
    EXPECT_TRUE(IniBytes().contains("Driveletter = stdio:/tmp/Disc\r\n"));
    EXPECT_TRUE(IniBytes().contains("BurnImageFile = 1\r\n"));

    CXFileDialog::SetNextAnswer([&](CXFileDialog& dialog) {
        EXPECT_TRUE(dialog.selectedFiles().value(0).endsWith(QStringLiteral("/xorriso")));
        return std::optional<QString>(Recorder("recorder-3.2.0.0.exe"));
    });
    m_dialog.PrepareOpening();
    Click("exeButton");
    EXPECT_EQ(Drives().findText(QStringLiteral("stdio:/tmp/Disc")), -1);
    EXPECT_GE(Drives().findText(QStringLiteral("D:")), 0);
}

// A recorder typed in, without Browse, refills the drive list at once; with
// xorriso, Save takes only a drive or an explicit stdio: pseudo-drive and
// otherwise says why and leaves the file as it was.
TEST_F(SettingsDialogTest, TypedXorrisoListsDevicesAndSaveRefusesANonDrive)
{
    const QString xorriso = Xorriso();
    const QList<OpticalDrive> drives = OpticalDrives();
    // A drive letter is dropped: the system's first drive is offered, if any.
    const QString firstDrive = drives.isEmpty() ? QString() : drives.first().device;
    for (const auto& row : {std::pair<QString, QString>{"D:", firstDrive},
                            {"stdio:disc", "stdio:disc"},
                            {"/dev/null", "/dev/null"},
                            {"stdio:/tmp/Disc", "stdio:/tmp/Disc"}}) {
        const QString& stored = row.first;
        const QString& offered = row.second;
        SCOPED_TRACE(stored.toStdString());
        const QByteArray ini =
            "BurnImageFile = 1\nDecrypterPath = " + Recorder("recorder-3.2.0.0.exe").toUtf8() +
            "\nDriveletter = " + stored.toUtf8() + "\n";
        WriteIni(ini);
        m_boxes.Clear();
        const int result = Run([&] {
            auto* path = Widget<QLineEdit>("pathEdit");
            path->clear();
            QTest::keyClicks(path, xorriso);
            EXPECT_EQ(Drives().findText(QStringLiteral("D:")), -1);
            EXPECT_EQ(SelectedDevice(Drives()), offered);
            Click("saveButton");
        });
        if (IsRecordingDevice(offered)) {
            EXPECT_EQ(result, QDialog::Accepted);
            EXPECT_EQ(m_boxes.Count(), 0);
            EXPECT_TRUE(IniBytes().contains("\r\nDriveletter = " + offered.toUtf8() + "\r\n"));
            continue;
        }
        EXPECT_EQ(result, QDialog::Rejected);
        EXPECT_EQ(m_boxes.Shown(),
                  QList<MessageBoxRequest>({{QStringLiteral("Program Settings"),
                                             RecordingDeviceRefusal(offered), BoxKind::Error}}));
        EXPECT_EQ(IniBytes(), ini);
    }

    // Typed back to a Windows recorder, the letters return.
    m_dialog.PrepareOpening();
    auto* path = Widget<QLineEdit>("pathEdit");
    path->clear();
    QTest::keyClicks(path, Recorder("recorder-3.2.0.0.exe"));
    EXPECT_GE(Drives().findText(QStringLiteral("D:")), 0);
}

TEST(OpticalDrives, ReadFromSysfsWithModelsInNumericOrder)
{
    QTemporaryDir sys;
    for (const char* name : {"sr10", "sr2", "sda"}) {
        QDir(sys.path()).mkpath(QString::fromLatin1(name) + QStringLiteral("/device"));
    }
    QFile vendor(sys.filePath(QStringLiteral("sr2/device/vendor")));
    ASSERT_TRUE(vendor.open(QIODevice::WriteOnly));
    vendor.write("HL-DT-ST\n");
    vendor.close();
    QFile model(sys.filePath(QStringLiteral("sr2/device/model")));
    ASSERT_TRUE(model.open(QIODevice::WriteOnly));
    model.write("DVDRAM GH24NSD1  \n");
    model.close();
    const QList<OpticalDrive> drives = OpticalDrives(sys.path());
    ASSERT_EQ(drives.size(), 2);
    EXPECT_EQ(drives.at(0).Label(), "/dev/sr2 (HL-DT-ST DVDRAM GH24NSD1)");
    EXPECT_EQ(drives.at(1).Label(), "/dev/sr10");

    QComboBox list;
    FillNativeDrives(list, drives, QStringLiteral("/dev/sr10"));
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(SelectedDevice(list), "/dev/sr10");
    FillNativeDrives(list, drives, QString());
    EXPECT_EQ(SelectedDevice(list), "/dev/sr2");
}

} // namespace
