#pragma once

class MessageBoxPresenter;
class ProgramSettings;

// Shows what the settings found since they were last asked, in order: a
// settings file problem in an error box over the main window, a recorder
// warning in the plain application box.
void ShowSettingsNotices(MessageBoxPresenter& presenter, ProgramSettings& settings);
