// A copy installed by `cmake --install`, run by root and by a user who may not
// write it: nothing is written into its program folder, the settings go to the
// user's ~/.config/isomint/, the first-time setup runs once, not at every
// start, and the data is read from the installed data folder.
#include "app/apptesthelpers.h"
#include "app/maindialog.h"
#include "controls/linkopener.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/licensedialog.h"
#include "dialogs/settingsdialog.h"
#include "settings/programsettings.h"
#include "support/rerunasnobody.h"
#include "support/scriptedmessagebox.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const kInstalledVariable = "ISOMINT_TEST_INSTALLED_COPY";
const QString kPrefix = QStringLiteral("/opt/isomint-stencil");
const QString kProgramDir = QStringLiteral("lib/isomint-stencil");

// Installs this build as `cmake --install` does, under `root` as DESTDIR.
// Returns the installed program folder, or empty on failure.
QString Install(const QString& root)
{
    QProcess install;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), root);
    install.setProcessEnvironment(environment);
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(ISOMINT_CMAKE_COMMAND),
                  {QStringLiteral("--install"), QStringLiteral(ISOMINT_BUILD_DIR),
                   QStringLiteral("--prefix"), kPrefix});
    if (!install.waitForFinished(120000) || install.exitCode() != 0) {
        ADD_FAILURE() << install.readAll().toStdString();
        return {};
    }
    return root + kPrefix + QLatin1Char('/') + kProgramDir;
}

// The data folder of the install whose program folder this is.
QString InstalledData(const QString& installed)
{
    return installed.chopped(kProgramDir.size()) + QStringLiteral("share/isomint-stencil");
}

// The folder's entries, one line, for a readable failure.
std::string Entries(const QString& folder)
{
    return QDir(folder)
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)
        .join(QLatin1Char(' '))
        .toStdString();
}

QByteArray BytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool IsSettingsDialogUp()
{
    return qobject_cast<SettingsDialog*>(QApplication::activeModalWidget()) != nullptr;
}

// Records the addresses handed to the desktop instead of opening them.
class RecordingOpener : public LinkOpener
{
public:
    void OpenWithDesktop(const QString& address, QObject* /*context*/, LinkOpenDone done) override
    {
        opened.append(address);
        done(LinkOpenResult{});
    }
    QString BrowserCommand() override { return {}; }
    QStringList opened;
};

// Help, License and Info read the installed data folder.
void ExpectInstalledData(MainDialog& window, const QString& installed)
{
    const QString data = InstalledData(installed);
    RecordingOpener opener;
    SetLinkOpener(&opener);
    Find<QAction>(window, "helpAction")->trigger();
    SetLinkOpener(nullptr);
    EXPECT_EQ(opener.opened.join(QLatin1Char(' ')).toStdString(),
              (data + QStringLiteral("/stencil_hlp.html")).toStdString());

    QString license;
    WhenModalShown<LicenseDialog>([&license](LicenseDialog& dialog) {
        license = dialog.LicenseText();
        dialog.close();
    });
    Find<QAction>(window, "licenseAction")->trigger();
    const QByteArray firstLine =
        BytesOf(data + QStringLiteral("/license.txt")).split('\n').value(0);
    EXPECT_FALSE(firstLine.isEmpty());
    EXPECT_TRUE(license.startsWith(QString::fromUtf8(firstLine))) << license.toStdString();

    QString modules;
    WhenModalShown<AboutDialog>([&modules](AboutDialog& dialog) {
        modules = dialog.ModuleText();
        dialog.close();
    });
    Find<QAction>(window, "infoAction")->trigger();
    EXPECT_TRUE(modules.startsWith(QStringLiteral("Using following modules:")))
        << modules.toStdString();
}

// The user's side: two starts of the installed program, with HOME of its own.
void RunTwoStarts(const QString& installed)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray savedHome = qgetenv("HOME");
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    const bool hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_CONFIG_HOME");
    const QString settingsFile = home.filePath(QStringLiteral(".config/isomint/stencil.ini"));
    ScriptedMessageBox boxes;

    // First start: the setup runs and its "Sa&ve" stores the file for the user.
    QString caption;
    WhenModalShown<SettingsDialog>([&caption](SettingsDialog& setup) {
        caption = setup.windowTitle();
        setup.findChild<QCheckBox*>(QStringLiteral("splitCheck"))->setChecked(true);
        setup.findChild<QPushButton*>(QStringLiteral("saveButton"))->click();
    });
    {
        MainDialog first(installed, &boxes);
        first.show();
        EXPECT_EQ(first.Settings().SettingsFilePath().toStdString(), settingsFile.toStdString());
    }
    EXPECT_EQ(caption, QStringLiteral("Isomint Stencil << First Time Setup >>"));
    EXPECT_EQ(boxes.Count(), 0) << boxes.Last().text.toStdString();
    EXPECT_TRUE(BytesOf(settingsFile).contains("\r\nSplitImageFile = 1\r\n"));

    // Second start: the file is found, so no setup; a speed change is stored too.
    bool setupAgain = false;
    QTimer::singleShot(0, [&setupAgain] {
        if (IsSettingsDialogUp()) {
            setupAgain = true;
            QApplication::activeModalWidget()->close();
        }
    });
    MainDialog second(installed, &boxes);
    second.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(setupAgain);
    EXPECT_TRUE(second.Settings().GetSplitImageFile());
    second.Settings().SetWriteSpeed(QStringLiteral("8x"));
    second.Settings().WriteSettings();
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_TRUE(BytesOf(settingsFile).contains("\r\nWriteSpeed = 8x\r\n"));
    ExpectInstalledData(second, installed);
    qputenv("HOME", savedHome);
    if (hadConfig)
        qputenv("XDG_CONFIG_HOME", savedConfig);
}

TEST(InstalledCopy, KeepsSettingsPerUserAndWritesNothingIntoItsFolder)
{
    const QString given = qEnvironmentVariable(kInstalledVariable);
    if (!given.isEmpty()) {
        RunTwoStarts(given); // the rerun as nobody
        return;
    }
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString installed = Install(root.path());
    ASSERT_FALSE(installed.isEmpty());
    ASSERT_TRUE(QFileInfo(installed + QStringLiteral("/isomint")).isExecutable());
    const std::string before = Entries(installed);

    // Whoever runs it: root, or the user who installed it, may write the
    // folder, and still nothing lands there.
    ASSERT_TRUE(QFileInfo(installed).isWritable());
    RunTwoStarts(installed);
    EXPECT_EQ(Entries(installed), before);

    // And a user who may not write it; nobody must be able to reach it.
    if (::geteuid() != 0 || !CanRerunAsNobody())
        return;
    ASSERT_EQ(::chmod(QFile::encodeName(root.path()).constData(), 0755), 0);
    qputenv(kInstalledVariable, QFile::encodeName(installed));
    EXPECT_TRUE(RerunAsNobody());
    qunsetenv(kInstalledVariable);
    EXPECT_EQ(Entries(installed), before);
}

} // namespace
