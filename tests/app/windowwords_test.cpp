// What the windows say and to whom: names for a screen reader, the words for
// the recorder in use, and help that explains why it did not open.
#include "app/apptesthelpers.h"
#include "app/maindialog.h"
#include "controls/applicationprofile.h"
#include "controls/cxfiledialog.h"
#include "controls/folderpicker.h"
#include "controls/linklabel.h"
#include "controls/linkopener.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/licensedialog.h"
#include "dialogs/logdialog.h"
#include "dialogs/settingsdialog.h"
#include "fakes/testprogramfolder.h"
#include "support/scriptedmessagebox.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

QString NameOf(const QWidget& control)
{
    return QLatin1String(control.metaObject()->className()) + QLatin1Char('/') +
           control.objectName();
}

QString AccessibleText(QWidget& control, QAccessible::Text text)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&control);
    return face == nullptr ? QString() : face->text(text).simplified();
}

// What a screen reader or a keyboard would miss in a control, or nothing.
QString FaultOf(QWidget& control)
{
    const QString name = AccessibleText(control, QAccessible::Name);
    // A control whose focus goes to another is announced as that one.
    const bool tabStop = (control.focusPolicy() & Qt::TabFocus) && control.focusProxy() == nullptr;
    const bool text = control.inherits("QPlainTextEdit");
    if ((tabStop || text || qobject_cast<QProgressBar*>(&control) != nullptr) && name.isEmpty())
        return QStringLiteral("no name");
    if (!name.isEmpty() && AccessibleText(control, QAccessible::Description) == name)
        return QStringLiteral("read twice");
    if (qobject_cast<LinkLabel*>(&control) != nullptr) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&control);
        QAccessibleActionInterface* actions = face->actionInterface();
        if (face->role() != QAccessible::Link || !tabStop || actions == nullptr ||
            !actions->actionNames().contains(QAccessibleActionInterface::pressAction()))
            return QStringLiteral("no link");
    }
    if (auto* bar = qobject_cast<QProgressBar*>(&control)) {
        const auto labels = control.window()->findChildren<QLabel*>();
        if (std::none_of(labels.begin(), labels.end(),
                         [bar](const QLabel* label) { return label->buddy() == bar; }))
            return QStringLiteral("no label");
    }
    return {};
}

// Each visible control of a window with what it lacks, by class and object
// name: a name where a screen reader needs one, a description that does not
// repeat it, a link that is a link to the keyboard and the screen reader, a
// progress bar with its label.
QStringList FaultsWhenShown(QWidget& window)
{
    window.show();
    QStringList faults;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&window))
            continue;
        const QString fault = FaultOf(*control);
        if (!fault.isEmpty())
            faults << NameOf(*control) + QLatin1String(": ") + fault;
    }
    window.hide();
    return faults;
}

class WindowWordsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetApplicationProfilePath(m_folder.File("profile.ini"));
        m_folder.WriteSettings(0, 0, 0, QString(), QString(), 0);
    }
    void TearDown() override
    {
        FolderPicker::ClearAnswers();
        CXFileDialog::ClearAnswers();
        SetLinkOpener(nullptr);
        SetApplicationProfilePath(QString());
    }

    std::unique_ptr<MainDialog> MainWindow()
    {
        auto window = std::make_unique<MainDialog>(m_folder.Path(), &m_boxes);
        window->show();
        return window;
    }

    std::unique_ptr<SettingsDialog> Settings(bool firstStart = false)
    {
        auto dialog = std::make_unique<SettingsDialog>(m_boxes);
        dialog->Settings().SetProgramFolder(m_folder.Path());
        if (firstStart)
            dialog->Settings().MarkFirstTimeSetup();
        dialog->PrepareOpening();
        return dialog;
    }

    // Burning on with this recorder; the xorriso stand-in answers nothing.
    void UseRecorder(const char* name, const char* device)
    {
        const QString recorder = m_folder.File(QLatin1String(name));
        const bool exe = recorder.endsWith(QLatin1String(".exe"));
        QFile::copy(exe ? QStringLiteral(ISOMINT_TEST_DATA_DIR "/pe/recorder-3.2.2.1.exe")
                        : QStringLiteral("/bin/true"),
                    recorder);
        m_folder.WriteSettings(0, 1, 0, recorder, QLatin1String(device), 0);
    }

    TestProgramFolder m_folder{QStringLiteral(ISOMINT_FAKE_MKISOFS)};
    ScriptedMessageBox m_boxes;
};

TEST_F(WindowWordsTest, EveryWindowIsWholeToTheKeyboardAndAScreenReader)
{
    const std::vector<std::pair<const char*, std::function<QStringList()>>> windows = {
        {"main window", [this] { return FaultsWhenShown(*MainWindow()); }},
        {"settings", [this] { return FaultsWhenShown(*Settings()); }},
        {"first-time setup", [this] { return FaultsWhenShown(*Settings(true)); }},
        {"log", [] { return FaultsWhenShown(*std::make_unique<LogDialog>()); }},
        {"about",
         [this] {
             AboutDialog about;
             about.SetProgramFolder(m_folder.Path());
             about.Prepare();
             return FaultsWhenShown(about);
         }},
        {"license", [] { return FaultsWhenShown(*std::make_unique<LicenseDialog>()); }},
        {"file chooser",
         [] {
             QStringList faults{QStringLiteral("never shown")};
             CXFileDialog::SetNextAnswer([&faults](CXFileDialog& dialog) {
                 faults = FaultsWhenShown(dialog);
                 return std::optional<QString>();
             });
             CXFileDialog(true, {}, QStringLiteral("*.exe"), 0, QStringLiteral("EXE|*.exe||"))
                 .DoModal();
             return faults;
         }},
        {"folder chooser",
         [] {
             QStringList faults{QStringLiteral("never shown")};
             FolderPicker::SetNextAnswer([&faults](QFileDialog& dialog) {
                 faults = FaultsWhenShown(dialog);
                 return std::optional<QString>();
             });
             FolderPicker().Browse(QStringLiteral("Folder"), QDir::homePath());
             return faults;
         }},
    };
    for (const auto& [name, faultsOf] : windows)
        EXPECT_EQ(faultsOf().join(QLatin1String(", ")).toStdString(), "") << name;
}

// The texts that name the Windows recorder, Windows or a drive letter, as
// designed for an .exe recorder and in the native recorder's words for xorriso.
TEST_F(WindowWordsTest, XorrisoIsNamedInLinuxWordsAndTheExeRecorderAsDesigned)
{
    struct Words
    {
        const char* recorder;
        const char* device;
        const char* group;
        const char* burn;
        const char* path;
        const char* drive;
        const char* browseTip;
        const char* shutdown;
    };
    const Words cases[] = {
        {"rec.exe", "E:", " DVD Decrypter Settings ", "&Burn generated image using DVD Decrypter",
         "Path to DVD Decrypter \"exe\" file:", "DVD Recorder Drive Letter: ",
         "Get DVD Decrypter Location", "&Shutdown Windows after recording"},
        {"xorriso", "stdio:/tmp/disc.iso", " Recorder Settings ", "&Burn generated image",
         "Recorder program:", "Recorder device:", "Get the recorder program",
         "&Power off after recording"},
    };
    // Back and forth, so the designed texts come back exactly after xorriso.
    for (const Words& words : {cases[0], cases[1], cases[0]}) {
        SCOPED_TRACE(words.recorder);
        UseRecorder(words.recorder, words.device);
        const auto settings = Settings();
        EXPECT_EQ(Find<QGroupBox>(*settings, "decrypterGroup")->title(), words.group);
        EXPECT_EQ(Find<QCheckBox>(*settings, "burnCheck")->text(), words.burn);
        EXPECT_EQ(Find<QLabel>(*settings, "pathLabel")->text(), words.path);
        EXPECT_EQ(Find<QLabel>(*settings, "driveLabel")->text(), words.drive);
        EXPECT_EQ(Find<QPushButton>(*settings, "exeButton")->toolTip().simplified(),
                  words.browseTip);
        const auto window = MainWindow();
        EXPECT_EQ(Find<QCheckBox>(*window, "shutdownCheck")->text(), words.shutdown);
    }
}

// Hands every address to nothing, as a desktop without opener or browser does.
class NoOpener : public LinkOpener
{
public:
    void OpenWithDesktop(const QString& address, QObject* /*context*/, LinkOpenDone done) override
    {
        opened << address;
        done({OpenLinkCode::NoAssociation, QStringLiteral("xdg-open: no method available")});
    }
    QString BrowserCommand() override { return {}; }
    QStringList opened;
};

TEST_F(WindowWordsTest, HelpThatCannotOpenIsExplainedAsAFailedLink)
{
    const auto window = MainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"F1", [&window] { QTest::keyClick(window.get(), Qt::Key_F1); }},
        {"? > Help", [&window] { Find<QAction>(*window, "helpAction")->trigger(); }},
    };
    for (const auto& [name, askForHelp] : ways) {
        NoOpener opener;
        SetLinkOpener(&opener);
        const int before = m_boxes.Count();
        askForHelp();
        SetLinkOpener(nullptr);
        EXPECT_EQ(opener.opened, QStringList{m_folder.File("stencil_hlp.html")}) << name;
        ASSERT_EQ(m_boxes.Count(), before + 1) << name;
        EXPECT_TRUE(m_boxes.Last().text.startsWith(QStringLiteral("Unable to open hyperlink:")))
            << name;
    }
}

} // namespace
