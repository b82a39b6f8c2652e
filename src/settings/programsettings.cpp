#include "settings/programsettings.h"

#include "platform/pathhelper.h"
#include "recorder/decrypterversion.h"
#include "settings/settingsfile.h"

#include <QFile>
#include <QMutexLocker>
#include <QSaveFile>

ProgramSettings::ProgramSettings(MessageBoxPresenter& presenter) : m_presenter(presenter) {}

void ProgramSettings::SetProgramFolder(const QString& folder)
{
    QMutexLocker lock(&m_mutex);
    m_programFolder = folder;
}

QString ProgramSettings::SettingsFilePath() const
{
    QMutexLocker lock(&m_mutex);
    return JoinPath(m_programFolder, QLatin1String(SettingsFileName));
}

int ProgramSettings::ReadSettings()
{
    // The file is small, and no message box is shown while the lock is held.
    QMutexLocker lock(&m_mutex);
    m_values.driveletter.clear();
    QFile file(JoinPath(m_programFolder, QLatin1String(SettingsFileName)));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    ReadSettingsText(file.readAll(), m_values);
    return 0;
}

void ProgramSettings::WriteSettings()
{
    // A temporary file renamed over the old one: a crash or a full disk never
    // leaves a half-written settings file, and a reader sees old or new.
    QSaveFile file(SettingsFilePath());
    const bool opened = file.open(QIODevice::WriteOnly);
    // Before writing, so a rejected recorder is saved with burning off.
    CheckDecrypterVersion();
    if (!opened)
        return;
    // A failed flush is not seen by commit(), so check it here; an uncommitted
    // file is discarded and the old one stays. Nothing is reported.
    const QByteArray text = FormatSettingsFile(Values());
    if (file.write(text) == text.size() && file.flush())
        file.commit();
}

int ProgramSettings::GetSplitImageFile()
{
    ReadSettings();
    return SplitImageFile();
}

int ProgramSettings::GetBurnImageFile()
{
    ReadSettings();
    CheckDecrypterVersion();
    return BurnImageFile();
}

int ProgramSettings::GetEraseMedia()
{
    ReadSettings();
    return EraseMedia();
}

QString ProgramSettings::GetDecrypterPath()
{
    ReadSettings();
    return DecrypterPath();
}

QString ProgramSettings::GetDriveletter()
{
    ReadSettings();
    return Driveletter();
}

int ProgramSettings::GetCheckDirSize()
{
    ReadSettings();
    return CheckDirSize();
}

QString ProgramSettings::GetWriteSpeed() const
{
    QMutexLocker lock(&m_mutex);
    return m_values.writeSpeed;
}

void ProgramSettings::SetWriteSpeed(const QString& speed)
{
    QMutexLocker lock(&m_mutex);
    m_values.writeSpeed = speed;
}

int ProgramSettings::CheckDecrypterVersion()
{
    QString path;
    {
        QMutexLocker lock(&m_mutex);
        if (m_values.burnImageFile == 0)
            return -1;
        path = m_values.decrypterPath;
    }
    // Unlocked: the check may wait for the user to answer a message box.
    const DecrypterVersionCheck check = ::CheckDecrypterVersion(path, m_presenter);
    QMutexLocker lock(&m_mutex);
    m_decrypterVersion = check.version;
    if (!check.accepted)
        m_values.burnImageFile = 0; // in memory only; the file keeps its value
    return 0;
}

QString ProgramSettings::DecrypterVersion() const
{
    QMutexLocker lock(&m_mutex);
    return m_decrypterVersion;
}

void ProgramSettings::MarkFirstTimeSetup()
{
    QMutexLocker lock(&m_mutex);
    m_firstTimeSetup = true;
}

bool ProgramSettings::FirstTimeSetup() const
{
    QMutexLocker lock(&m_mutex);
    return m_firstTimeSetup;
}

void ProgramSettings::ClearFirstTimeSetup()
{
    QMutexLocker lock(&m_mutex);
    m_firstTimeSetup = false;
}

SettingsValues ProgramSettings::Values() const
{
    QMutexLocker lock(&m_mutex);
    return m_values;
}

int ProgramSettings::SplitImageFile() const
{
    return Values().splitImageFile;
}

int ProgramSettings::BurnImageFile() const
{
    return Values().burnImageFile;
}

int ProgramSettings::EraseMedia() const
{
    return Values().eraseMedia;
}

QString ProgramSettings::DecrypterPath() const
{
    return Values().decrypterPath;
}

QString ProgramSettings::Driveletter() const
{
    return Values().driveletter;
}

int ProgramSettings::CheckDirSize() const
{
    return Values().checkDirSize;
}

void ProgramSettings::SetSplitImageFile(int value)
{
    QMutexLocker lock(&m_mutex);
    m_values.splitImageFile = value;
}

void ProgramSettings::SetBurnImageFile(int value)
{
    QMutexLocker lock(&m_mutex);
    m_values.burnImageFile = value;
}

void ProgramSettings::SetEraseMedia(int value)
{
    QMutexLocker lock(&m_mutex);
    m_values.eraseMedia = value;
}

void ProgramSettings::SetDecrypterPath(const QString& path)
{
    QMutexLocker lock(&m_mutex);
    m_values.decrypterPath = path;
}

void ProgramSettings::SetDriveletter(const QString& drive)
{
    QMutexLocker lock(&m_mutex);
    m_values.driveletter = drive;
}

void ProgramSettings::SetCheckDirSize(int value)
{
    QMutexLocker lock(&m_mutex);
    m_values.checkDirSize = value;
}
