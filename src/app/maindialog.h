#pragma once

#include "app/buildwindow.h"
#include "app/fieldvalues.h"
#include "app/windowbuild.h"
#include "controls/themeapi.h"
#include "imaging/monitortimings.h"

#include <QDialog>

#include <memory>

class FinishNotice;
class LogDialog;
class MessageBoxPresenter;
class ProgramSettings;
class SettingsDialog;
class ThemedButton;
class DriveSpeedQuery;
class PowerOffService;
class RecordingSession;
class XorrisoRecording;
struct RecordingReport;
enum class RecordingPhase;

namespace Ui {
class MainDialog;
}

// The command of the About entry in the window menu.
inline constexpr unsigned AboutSysCommand = 0x10;

// The program's one top-level window: source, output and Volume ID, the build
// with its progress, the recording options, and every command. The build
// engine works on it through the BuildWindow interface.
class MainDialog : public QDialog, public BuildWindow
{
    Q_OBJECT

public:
    // programFolder: the folder of the running program, where mkisofs, the
    // settings and the companion files are looked up.
    // presenter: where message boxes go; null for Qt's own boxes over this window.
    explicit MainDialog(const QString& programFolder, MessageBoxPresenter* presenter = nullptr,
                        MonitorTimings timings = {});
    ~MainDialog() override;

    // The start-up sequence; runs once, before the window first shows.
    void OnInitDialog();
    int exec() override;

    QString ProgramFolder() const { return m_programFolder; }
    ProgramSettings& Settings();
    WindowBuild& Engine() { return *m_engine; }
    SettingsDialog& SettingsWindow() { return *m_settings; }
    LogDialog& LogWindow() { return *m_log; }
    FinishNotice& FinishNotices() { return *m_finishNotice; }
    // The native recording run; it exists while one runs and after it.
    [[nodiscard]] bool IsRecording() const;
    [[nodiscard]] const XorrisoRecording* Recording() const;
    // How the computer is powered off after a verified recording (logind by default).
    void SetPowerOff(std::unique_ptr<PowerOffService> powerOff);

    // BuildWindow
    void EnterBusyState() override;
    void LeaveBusyState() override;
    FieldValues TakeFieldValues() override;
    void StoreFieldValues(const FieldValues& values) override;
    void ShowFieldValues() override;
    FieldValues StoredFieldValues() const override { return m_fields; }
    void SetProgressPosition(int percent) override;
    void SetPercentLabel(const QString& text) override;
    void SetWindowTitle(const QString& title) override;
    void EnableLog() override;

    // The text of the selected Recording Speed item; empty when none is.
    QString SelectedSpeedText() const;

    // Shows a folder as the Source Directory and proposes its Volume ID.
    void UseSourceDirectory(const QString& folder);
    // `isomint DIR`: the first argument, a folder or a file in a VIDEO_TS, is
    // taken as a dropped one would be.
    void OpenFromCommandLine(const QStringList& arguments);

    // Commands.
    void BrowseSource();
    void BrowseOutput();
    // Records an image or an image list made earlier, chosen in the file
    // dialog, as a build's image would be.
    void RecordImage();
    void ShowLog();
    void ShowAbout();
    void ShowHelp();
    void ShowSettings();
    void ShowLicense();
    void ShowDonation();
    void StoreWriteSpeed();
    void UpdateRecordingOptions();
    // Told to stop by the session or by kill, at any moment, without asking:
    // ends every child and what the build wrote, removes the capture file, and
    // leaves every event loop, so open boxes close and exec() returns.
    void Terminate();

    // A command of the window menu: the About entry opens the About box. False
    // for every other command, which the platform handles itself.
    bool OnSysCommand(unsigned command);

public slots:
    // Closing during a build asks first; Yes aborts it and waits for its end,
    // so no mkisofs outlives the window, No keeps it building.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void SetUpButtons();
    void SetUpSignals();
    void RunFirstTimeSetupIfNeeded();
    void FillSpeedList();
    void ShowSpeedItems(const QStringList& items);
    void OnDriveSpeeds(const QString& listSpeedsOutput);
    void SetInputsEnabled(bool enabled);
    [[nodiscard]] bool ConfirmAbortOnClose();
    void OnImageBuilt(const QString& outputFile, int chunkCount);
    void ConnectRecordingSession();
    void StartPendingRecording();
    void OnRecordingPhase(RecordingPhase phase);
    void OnRecordingProgress(int percent);
    void OnRecordingEnded(const RecordingReport& report);
    void AbortRecording();

    std::unique_ptr<Ui::MainDialog> m_ui;
    std::unique_ptr<MessageBoxPresenter> m_ownPresenter;
    MessageBoxPresenter& m_presenter;
    QString m_programFolder;
    std::unique_ptr<SettingsDialog> m_settings;
    std::unique_ptr<LogDialog> m_log;
    std::unique_ptr<FinishNotice> m_finishNotice;
    std::unique_ptr<WindowBuild> m_engine;
    ThemeApi m_theme;
    FieldValues m_fields;
    bool m_shutdown = false;
    bool m_verify = false;
    bool m_initialised = false;
    std::unique_ptr<RecordingSession> m_session;
    std::unique_ptr<DriveSpeedQuery> m_speedQuery;
    std::unique_ptr<PowerOffService> m_powerOff;
};
