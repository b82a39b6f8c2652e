#include "settings/settingslocation.h"

#include "platform/pathhelper.h"
#include "settings/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

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

} // namespace

QString SettingsFileLocation(const QString& programFolder, const QProcessEnvironment& environment)
{
    QString beside = JoinPath(programFolder, QLatin1String(SettingsFileName));
    const QFileInfo file(beside);
    if (file.exists() || file.isSymLink() || FolderTakesNewFiles(programFolder))
        return beside;
    const QString configuration = ConfigurationFolder(environment);
    // With nowhere else to go, the program folder is still the best answer.
    if (configuration.isEmpty())
        return beside;
    return JoinPath(JoinPath(configuration, QStringLiteral("isomint")),
                    QLatin1String(SettingsFileName));
}
