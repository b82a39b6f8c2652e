#pragma once

#include "settings/settingsfileio.h"
#include "settings/settingsvalues.h"

#include <QString>

class MessageBoxPresenter;

// The persisted options and the recorder version found last. The file on disk
// is the authority: every query except the write speed reads it again first,
// so a value edited by hand takes effect without a restart.
class ProgramSettings
{
public:
    explicit ProgramSettings(MessageBoxPresenter& presenter);

    // The folder of the program, without a trailing separator. Decides where
    // the settings file is kept (see SettingsFileLocation).
    void SetProgramFolder(const QString& folder);
    QString SettingsFilePath() const;

    // 0 when the file was read, -1 when there is none to read. Empties the drive
    // letter first; keys missing from the file keep their values in memory. A
    // file that is no regular file or too large counts as none, and the user is
    // told once.
    int ReadSettings();
    // Runs the recorder check, then replaces the whole file atomically (in place
    // when its folder takes no new file). When it cannot be written an error box
    // names the file and the reason.
    void WriteSettings();

    // Queries that read the file again before they answer.
    // The on/off settings: on when the file says 1 (the size check: anything but 0).
    bool GetSplitImageFile();
    bool GetBurnImageFile(); // also runs CheckDecrypterVersion
    bool GetEraseMedia();
    QString GetDecrypterPath();
    QString GetDriveletter();
    bool GetCheckDirSize();

    // The write speed is answered from memory only.
    QString GetWriteSpeed() const;
    void SetWriteSpeed(const QString& speed);

    // -1 when burning is off (nothing changes), else 0. Reads the recorder's
    // version into DecrypterVersion and turns burning off in memory when the
    // recorder is too old, telling the user.
    int CheckDecrypterVersion();
    QString DecrypterVersion() const;

    void MarkFirstTimeSetup();
    bool FirstTimeSetup() const;
    void ClearFirstTimeSetup();

    // The values in memory, without reading the file: for the settings dialog.
    SettingsValues Values() const;
    // The numbers as the file holds them.
    int SplitImageFile() const;
    int BurnImageFile() const;
    int EraseMedia() const;
    QString DecrypterPath() const;
    QString Driveletter() const;
    int CheckDirSize() const;

    // Stored as the file writes them, 1 or 0.
    void SetSplitImageFile(bool on);
    void SetBurnImageFile(bool on);
    void SetEraseMedia(bool on);
    void SetDecrypterPath(const QString& path);
    void SetDriveletter(const QString& drive);
    void SetCheckDirSize(bool on);

private:
    void ReportUnusableFile(SettingsFileState state);

    MessageBoxPresenter& m_presenter;
    SettingsValues m_values;
    QString m_filePath;
    QString m_decrypterVersion;
    bool m_firstTimeSetup = false;
    // What was last said about an unusable file, so that the queries, which
    // read it again and again, do not repeat it.
    SettingsFileState m_reportedState = SettingsFileState::Read;
};
