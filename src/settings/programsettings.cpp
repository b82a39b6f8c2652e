#include "settings/programsettings.h"

#include "platform/elidedtext.h"
#include "platform/messagebox.h"
#include "platform/pathhelper.h"
#include "recorder/decrypterversion.h"
#include "recorder/nativerecorder.h"
#include "settings/settingsfile.h"
#include "settings/settingslocation.h"

#include <QCoreApplication>

namespace {

constexpr char kErrorCaption[] = QT_TRANSLATE_NOOP("Settings", "Error");

QString Tr(const char* text)
{
    return QCoreApplication::translate("Settings", text);
}

} // namespace

ProgramSettings::ProgramSettings(MessageBoxPresenter& presenter) : m_presenter(presenter) {}

void ProgramSettings::SetProgramFolder(const QString& folder)
{
    m_filePath = SettingsFileLocation(folder, QProcessEnvironment::systemEnvironment());
}

QString ProgramSettings::SettingsFilePath() const
{
    return m_filePath;
}

int ProgramSettings::ReadSettings()
{
    m_values.driveletter.clear();
    m_values.fileBytes.driveletter.clear();
    const SettingsFileBytes file = ReadSettingsFileBytes(m_filePath);
    ReportUnusableFile(file.state);
    if (file.state != SettingsFileState::Read)
        return -1;
    ReadSettingsText(file.bytes, m_values);
    return 0;
}

void ProgramSettings::ReportUnusableFile(SettingsFileState state)
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
        ShowWindowBox(m_presenter, Tr(kErrorCaption), Tr(text).arg(ElideMiddle(m_filePath)),
                      BoxKind::Error);
    }
    m_reportedState = state;
}

void ProgramSettings::WriteSettings()
{
    // Before writing, so a rejected recorder is saved with burning off.
    CheckDecrypterVersion();
    const QString failure = WriteSettingsFileBytes(m_filePath, FormatSettingsFile(m_values));
    if (failure.isEmpty())
        return;
    ShowWindowBox(m_presenter, Tr(kErrorCaption),
                  Tr(QT_TRANSLATE_NOOP("Settings", "Cannot save the settings to \"%1\": %2."))
                      .arg(ElideMiddle(m_filePath), failure),
                  BoxKind::Error);
}

bool ProgramSettings::GetSplitImageFile()
{
    ReadSettings();
    return SplitImageFile() == 1;
}

bool ProgramSettings::GetBurnImageFile()
{
    ReadSettings();
    CheckDecrypterVersion();
    return BurnImageFile() == 1;
}

bool ProgramSettings::GetEraseMedia()
{
    ReadSettings();
    return EraseMedia() == 1;
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
    return CheckDirSize() != 0;
}

QString ProgramSettings::GetWriteSpeed() const
{
    return m_values.writeSpeed;
}

void ProgramSettings::SetWriteSpeed(const QString& speed)
{
    m_values.writeSpeed = speed;
}

int ProgramSettings::CheckDecrypterVersion()
{
    if (m_values.burnImageFile == 0)
        return -1;
    // xorriso has no Windows version resource and no version gates.
    if (IsXorrisoRecorder(m_values.decrypterPath)) {
        m_decrypterVersion.clear();
        return 0;
    }
    const DecrypterVersionCheck check =
        ::CheckDecrypterVersion(m_values.decrypterPath, m_presenter);
    m_decrypterVersion = check.version;
    if (!check.accepted)
        m_values.burnImageFile = 0; // in memory only; the file keeps its value
    return 0;
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

int ProgramSettings::SplitImageFile() const
{
    return m_values.splitImageFile;
}

int ProgramSettings::BurnImageFile() const
{
    return m_values.burnImageFile;
}

int ProgramSettings::EraseMedia() const
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

int ProgramSettings::CheckDirSize() const
{
    return m_values.checkDirSize;
}

void ProgramSettings::SetSplitImageFile(bool on)
{
    m_values.splitImageFile = on ? 1 : 0;
}

void ProgramSettings::SetBurnImageFile(bool on)
{
    m_values.burnImageFile = on ? 1 : 0;
}

void ProgramSettings::SetEraseMedia(bool on)
{
    m_values.eraseMedia = on ? 1 : 0;
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
    m_values.checkDirSize = on ? 1 : 0;
}
