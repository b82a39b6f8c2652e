// A copy installed by root, run by a user who may not write its folder: the
// settings go to the user's configuration folder, and the first-time setup
// runs once, not at every start.
#include "app/apptesthelpers.h"
#include "app/maindialog.h"
#include "dialogs/settingsdialog.h"
#include "settings/programsettings.h"
#include "support/rerunasnobody.h"
#include "support/scriptedmessagebox.h"

#include <QCheckBox>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const kInstalledVariable = "ISOMINT_TEST_INSTALLED_COPY";
const QString kPrefix = QStringLiteral("/opt/isomint-stencil");

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
    return root + kPrefix + QStringLiteral("/lib/isomint-stencil");
}

bool MakeTreeReadOnly(const QString& folder)
{
    return ::chmod(QFile::encodeName(folder).constData(), 0555) == 0;
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

// The user's side: two starts of the installed program.
void RunTwoStarts(const QString& installed)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    const QString settingsFile = home.filePath(QStringLiteral("config/isomint/stencil.ini"));
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
        EXPECT_EQ(first.Settings().SettingsFilePath(), settingsFile);
    }
    EXPECT_EQ(caption, QStringLiteral("Isomint Stencil << First Time Setup >>"));
    EXPECT_EQ(boxes.Count(), 0) << boxes.Last().text.toStdString();
    EXPECT_TRUE(BytesOf(settingsFile).contains("\r\nSplitImageFile = 1\r\n"));
    EXPECT_FALSE(QFile::exists(installed + QStringLiteral("/stencil.ini")));

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
    qputenv("XDG_CONFIG_HOME", savedConfig);
}

TEST(InstalledCopy, UserWithoutWriteAccessKeepsSettingsInTheConfigurationFolder)
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
    // As root, the copy is root's: nobody must be able to reach it, not write it.
    ASSERT_EQ(::chmod(QFile::encodeName(root.path()).constData(), 0755), 0);
    qputenv(kInstalledVariable, QFile::encodeName(installed));
    const bool reran = RanAsNobodyInstead();
    qunsetenv(kInstalledVariable);
    if (reran) {
        EXPECT_FALSE(QFile::exists(installed + QStringLiteral("/stencil.ini")));
        return;
    }
    // Not root: the copy is this user's own, so take its write access away.
    ASSERT_TRUE(MakeTreeReadOnly(installed));
    RunTwoStarts(installed);
    ::chmod(QFile::encodeName(installed).constData(), 0755);
}

} // namespace
