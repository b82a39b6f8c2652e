#include "settings/programsettings.h"

#include "platform/elidedtext.h"
#include "platform/pathhelper.h"
#include "recorder/decrypterversion.h"
#include "recorder/nativerecorder.h"
#include "settings/settingsfile.h"
#include "settings/settingslocation.h"

#include <QCoreApplication>

#include <utility>

namespace {

constexpr char kErrorCaption[] = QT_TRANSLATE_NOOP("Settings", "Error");

QString Tr(const char* text)
{
    return QCoreApplication::translate("Settings", text);
}

} // namespace

void ProgramSettings::SetProgramFolder(const QString& folder)
{
    m_filePath = SettingsFileLocation(folder, QProcessEnvironment::systemEnvironment());
}

QString ProgramSettings::SettingsFilePath() const
{
    return m_filePath;
}

bool ProgramSettings::ReadSettings()
{
    m_values.driveletter.clear();
    m_values.fileBytes.driveletter.clear();
    const SettingsFileBytes file = ReadSettingsFileBytes(m_filePath);
    NoteUnusableFile(file.state);
    if (file.state != SettingsFileState::Read)
        return false;
    ReadSettingsText(file.bytes, m_values);
    return true;
}

SettingsNotices ProgramSettings::TakeNotices()
{
    return std::exchange(m_notices, {});
}

void ProgramSettings::NoteFileError(const QString& text)
{
    m_notices.append({SettingsNoticeKind::SettingsFile, Tr(kErrorCaption), text});
}

void ProgramSettings::NoteUnusableFile(SettingsFileState state)
{
    const bool unusable =
        state == SettingsFileState::NotRegular || state == SettingsFileState::TooLarge;
    if (unusable && state != m_reportedState) {
        const char* text =
            state == SettingsFileState::TooLarge
                ? QT_TRANSLATE_NOOP(
                      "Settings", "The settings file \"%1\" is larger than 64 KiB and is ignored.")
                : QT_TRANSLATE_NOOP(
                      "Settings", "The settings file \"%1\" is not a regular file and is ignored.");
        NoteFileError(Tr(text).arg(ElideMiddle(m_filePath)));
    }
    m_reportedState = state;
}

bool ProgramSettings::WriteSettings()
{
    // Before writing, so a rejected recorder is saved with burning off.
    CheckDecrypterVersion();
    const QString failure = WriteSettingsFileBytes(m_filePath, FormatSettingsFile(m_values));
    if (failure.isEmpty())
        return true;
    NoteFileError(Tr(QT_TRANSLATE_NOOP("Settings", "Cannot save the settings to \"%1\": %2."))
                      .arg(ElideMiddle(m_filePath), failure));
    return false;
}

bool ProgramSettings::GetSplitImageFile()
{
    ReadSettings();
    return SplitImageFile();
}

bool ProgramSettings::GetBurnImageFile()
{
    ReadSettings();
    CheckDecrypterVersion();
    return BurnImageFile();
}

bool ProgramSettings::GetEraseMedia()
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

bool ProgramSettings::GetCheckDirSize()
{
    ReadSettings();
    return CheckDirSize();
}

QString ProgramSettings::GetWriteSpeed() const
{
    return m_values.writeSpeed;
}

void ProgramSettings::SetWriteSpeed(const QString& speed)
{
    m_values.writeSpeed = speed;
}

bool ProgramSettings::CheckDecrypterVersion()
{
    if (!m_values.burnImageFile)
        return false;
    // xorriso has no Windows version resource and no version gates.
    if (IsXorrisoRecorder(m_values.decrypterPath)) {
        m_decrypterVersion.clear();
        return true;
    }
    const DecrypterVersionCheck check = ::CheckDecrypterVersion(m_values.decrypterPath);
    for (const QString& warning : check.warnings)
        m_notices.append({SettingsNoticeKind::Recorder, QString(), warning});
    m_decrypterVersion = check.version;
    if (!check.accepted)
        m_values.burnImageFile = false; // in memory only; the file keeps its value
    return true;
}

QString ProgramSettings::DecrypterVersion() const
{
    return m_decrypterVersion;
}

void ProgramSettings::MarkFirstTimeSetup()
{
    m_firstTimeSetup = true;
}

bool ProgramSettings::FirstTimeSetup() const
{
    return m_firstTimeSetup;
}

void ProgramSettings::ClearFirstTimeSetup()
{
    m_firstTimeSetup = false;
}

SettingsValues ProgramSettings::Values() const
{
    return m_values;
}

bool ProgramSettings::SplitImageFile() const
{
    return m_values.splitImageFile;
}

bool ProgramSettings::BurnImageFile() const
{
    return m_values.burnImageFile;
}

bool ProgramSettings::EraseMedia() const
{
    return m_values.eraseMedia;
}

QString ProgramSettings::DecrypterPath() const
{
    return m_values.decrypterPath;
}

QString ProgramSettings::Driveletter() const
{
    return m_values.driveletter;
}

bool ProgramSettings::CheckDirSize() const
{
    return m_values.checkDirSize;
}

void ProgramSettings::SetSplitImageFile(bool on)
{
    m_values.splitImageFile = on;
}

void ProgramSettings::SetBurnImageFile(bool on)
{
    m_values.burnImageFile = on;
}

void ProgramSettings::SetEraseMedia(bool on)
{
    m_values.eraseMedia = on;
}

void ProgramSettings::SetDecrypterPath(const QString& path)
{
    m_values.decrypterPath = path;
}

void ProgramSettings::SetDriveletter(const QString& drive)
{
    m_values.driveletter = drive;
}

void ProgramSettings::SetCheckDirSize(bool on)
{
    m_values.checkDirSize = on;
}
