#pragma once

#include "settings/settingsvalues.h"

#include <QMutex>
#include <QString>

class MessageBoxPresenter;

// The persisted options and the recorder version found last. The file on disk
// is the authority: every query except the write speed reads it again first,
// so a value edited by hand takes effect without a restart.
class ProgramSettings
{
public:
    explicit ProgramSettings(MessageBoxPresenter& presenter);

    // The folder whose settings file is used, without a trailing separator.
    void SetProgramFolder(const QString& folder);
    QString SettingsFilePath() const;

    // 0 when the file was read, -1 when it cannot be opened. Empties the drive
    // letter first; keys missing from the file keep their values in memory.
    int ReadSettings();
    // Runs the recorder check, then replaces the whole file atomically; a file
    // that cannot be written is skipped silently and the old one stays.
    void WriteSettings();

    // Queries that read the file again before they answer.
    int GetSplitImageFile();
    int GetBurnImageFile(); // also runs CheckDecrypterVersion
    int GetEraseMedia();
    QString GetDecrypterPath();
    QString GetDriveletter();
    int GetCheckDirSize();

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
    int SplitImageFile() const;
    int BurnImageFile() const;
    int EraseMedia() const;
    QString DecrypterPath() const;
    QString Driveletter() const;
    int CheckDirSize() const;

    void SetSplitImageFile(int value);
    void SetBurnImageFile(int value);
    void SetEraseMedia(int value);
    void SetDecrypterPath(const QString& path);
    void SetDriveletter(const QString& drive);
    void SetCheckDirSize(int value);

private:
    MessageBoxPresenter& m_presenter;
    // Guards the members only, never held while a message box is up: the build's
    // monitor thread queries while the user may change the write speed.
    mutable QMutex m_mutex;
    SettingsValues m_values;
    QString m_programFolder;
    QString m_decrypterVersion;
    bool m_firstTimeSetup = false;
};
