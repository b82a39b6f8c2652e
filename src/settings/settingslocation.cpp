#include "settings/settingslocation.h"

#include "platform/installedlayout.h"
#include "platform/pathhelper.h"
#include "settings/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace {

// access() asks what this user may do, with the folder's real permissions and
// mount options; root passes except on a read-only file system.
bool FolderTakesNewFiles(const QString& folder)
{
    return !folder.isEmpty() && ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
}

// The user's configuration folder, or empty when the environment names none.
QString ConfigurationFolder(const QProcessEnvironment& environment)
{
    QString xdg = environment.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (QDir::isAbsolutePath(xdg))
        return xdg;
    const QString home = environment.value(QStringLiteral("HOME"));
    if (QDir::isAbsolutePath(home))
        return JoinPath(home, QStringLiteral(".config"));
    return {};
}

// The home folder the account database gives this user, or empty.
QString AccountHome()
{
    std::vector<char> buffer(16384);
    passwd entry = {};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr)
        return {};
    QString home = QFile::decodeName(found->pw_dir);
    return QDir::isAbsolutePath(home) ? home : QString();
}

QString UserSettingsFile(const QString& configuration)
{
    return JoinPath(JoinPath(configuration, QStringLiteral("isomint")),
                    QLatin1String(SettingsFileName));
}

// An installed copy's folder is never written, so without HOME (a service,
// env -i) the account's home stands in; with none at all there is no file.
QString InstalledCopySettingsFile(const QProcessEnvironment& environment)
{
    QString configuration = ConfigurationFolder(environment);
    if (configuration.isEmpty()) {
        const QString home = AccountHome();
        if (home.isEmpty())
            return {};
        configuration = JoinPath(home, QStringLiteral(".config"));
    }
    return UserSettingsFile(configuration);
}

} // namespace

QString SettingsFileLocation(const QString& programFolder, const QProcessEnvironment& environment)
{
    if (IsInstalledCopy(programFolder))
        return InstalledCopySettingsFile(environment);
    QString beside = JoinPath(programFolder, QLatin1String(SettingsFileName));
    const QFileInfo file(beside);
    if (file.exists() || file.isSymLink() || FolderTakesNewFiles(programFolder))
        return beside;
    const QString configuration = ConfigurationFolder(environment);
    // With nowhere else to go, the program folder is still the best answer.
    if (configuration.isEmpty())
        return beside;
    return UserSettingsFile(configuration);
}
