#pragma once

#include "controls/themeapi.h"
#include "dialogs/viewtext.h"

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class LogDialog;
}

// "View Logfile": everything mkisofs printed during the last build, with a
// way to save it. One object lives as long as the main window.
class LogDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LogDialog(QWidget* parent = nullptr);
    ~LogDialog() override;

    // The text in view form (CR LF line breaks).
    void SetLogText(const QString& text);
    QString LogText() const;

    // Fills the text from the capture file, read whole as it is at this
    // moment; an unreadable or missing file gives an empty text.
    void LoadCapture(const QString& capturePath);

    // "&Save": asks for a target and writes the text there as LF lines. A
    // cancel or a target that cannot be written changes nothing, silently.
    void SaveLog();

protected:
    // Opens at the newest line, where a running build is.
    void showEvent(QShowEvent* event) override;

private:
    void ShowNewestLine();
    void SelectWholeText();

    ThemeApi m_theme;
    std::unique_ptr<Ui::LogDialog> m_ui;
    QString m_logText;
    // A capture that was not UTF-8 is saved in its own bytes again.
    TextEncoding m_encoding = TextEncoding::Utf8;
};
