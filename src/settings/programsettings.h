#pragma once

#include "settings/settingsfileio.h"
#include "settings/settingsnotice.h"
#include "settings/settingsvalues.h"

#include <QString>

// The persisted options and the recorder version found last. The file on disk
// is the authority: every query except the write speed reads it again first,
// so a value edited by hand takes effect without a restart. What the user must
// be told is kept as notices until a face takes them.
class ProgramSettings
{
public:
    // The folder of the program, without a trailing separator. Decides where
    // the settings file is kept (see SettingsFileLocation).
    void SetProgramFolder(const QString& folder);
    // Reads and writes this file instead; empty: no file at all, so the values
    // in memory (the built-in defaults at first) hold.
    void UseSettingsFile(const QString& path) { m_filePath = path; }
    QString SettingsFilePath() const;

    // True when the file was read, false when there is none to read. Empties
    // the drive letter first; keys missing from the file keep their values in
    // memory. A file that is no regular file or too large counts as none, and
    // a notice says so once.
    bool ReadSettings();
    // Runs the recorder check, then replaces the whole file atomically (in place
    // when its folder takes no new file). False when it cannot be written; a
    // notice then names the file and the reason.
    bool WriteSettings();

    // The notices since the last call, oldest first.
    [[nodiscard]] SettingsNotices TakeNotices();

    // Queries that read the file again before they answer.
    // The on/off settings: on when the file says 1 (the size check: anything but 0).
    bool GetSplitImageFile();
    bool GetBurnImageFile(); // also runs CheckDecrypterVersion, whose notices wait
    bool GetEraseMedia();
    QString GetDecrypterPath();
    QString GetDriveletter();
    bool GetCheckDirSize();

    // The write speed is answered from memory only.
    QString GetWriteSpeed() const;
    void SetWriteSpeed(const QString& speed);

    // False when burning is off (nothing changes), else true. Reads the
    // recorder's version into DecrypterVersion and turns burning off in memory
    // when the recorder is too old, with a notice.
    bool CheckDecrypterVersion();
    QString DecrypterVersion() const;

    void MarkFirstTimeSetup();
    bool FirstTimeSetup() const;
    void ClearFirstTimeSetup();

    // The values in memory, without reading the file: for the settings dialog.
    SettingsValues Values() const;
    bool SplitImageFile() const;
    bool BurnImageFile() const;
    bool EraseMedia() const;
    QString DecrypterPath() const;
    QString Driveletter() const;
    bool CheckDirSize() const;

    void SetSplitImageFile(bool on);
    void SetBurnImageFile(bool on);
    void SetEraseMedia(bool on);
    void SetDecrypterPath(const QString& path);
    void SetDriveletter(const QString& drive);
    void SetCheckDirSize(bool on);

private:
    void NoteUnusableFile(SettingsFileState state);
    void NoteFileError(const QString& text);

    SettingsValues m_values;
    SettingsNotices m_notices;
    QString m_filePath;
    QString m_decrypterVersion;
    bool m_firstTimeSetup = false;
    // What was last said about an unusable file, so that the queries, which
    // read it again and again, do not repeat it.
    SettingsFileState m_reportedState = SettingsFileState::Read;
};
