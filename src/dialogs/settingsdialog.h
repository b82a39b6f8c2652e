#pragma once

#include "controls/themeapi.h"
#include "settings/programsettings.h"

#include <QDialog>
#include <QRect>
#include <QStringList>

#include <memory>

class MessageBoxPresenter;

namespace Ui {
class SettingsDialog;
}

// "Program Settings", also the first-time setup. It holds the program's one
// ProgramSettings, and its controls exchange values directly with it. One
// object lives as long as the main window and is shown again and again.
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SettingsDialog(MessageBoxPresenter& presenter, QWidget* parent = nullptr);
    ~SettingsDialog() override;

    ProgramSettings& Settings() { return m_settings; }

    // Each run opens as a fresh window would: the settings are read again,
    // the recorder checked and the controls filled before it shows.
    int exec() override;
    void PrepareOpening();

    // Enables the recorder's controls as burning and the recorder version
    // allow; a disabled erase option is also cleared.
    void UpdateDecrypterControls();
    // "E&XE file": picks the recorder, then checks it.
    void BrowseDecrypterExe();
    // "Sa&ve": writes the settings file and closes; with burning by xorriso,
    // only when the chosen device is one it can record to.
    void SaveSettings();

private:
    void TakeValues();
    void ShowValues();
    void SelectDrive();
    void Decorate();
    // Drive letters for a Windows recorder, devices for xorriso.
    void UpdateDriveList();
    // Recorder and device words and a wide list for xorriso; the designed
    // ones for a Windows recorder.
    void ShowListWords();
    void OnPathEdited(const QString& path);
    [[nodiscard]] bool NativeRecorder() const;
    void OfferInstalledRecorder();

    ThemeApi m_theme;
    MessageBoxPresenter& m_presenter;
    std::unique_ptr<Ui::SettingsDialog> m_ui;
    ProgramSettings m_settings;
    QStringList m_letters;  // the drive letter items, as designed
    QRect m_letterGeometry; // the list and its label as designed for letters
    QRect m_letterLabelGeometry;
    bool m_listsDevices = false;
    QString m_offeredRecorder; // an installed xorriso, suggested at first start
};
