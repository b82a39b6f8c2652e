#include "dialogs/logdialog.h"

#include "controls/cxfiledialog.h"
#include "controls/fontunits.h"
#include "ui_logdialog.h"

#include <QScrollBar>
#include <QShortcut>

namespace {

constexpr int SaveIcon = 134;
constexpr int CancelIcon = 164;
constexpr int SaveTooltip = 107;
constexpr int CancelTooltip = 108;

} // namespace

LogDialog::LogDialog(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::LogDialog>())
{
    m_ui->setupUi(this);
    FontUnits::Apply(*this);
    m_ui->saveButton->Decorate(&m_theme, SaveIcon, SaveTooltip);
    m_ui->cancelButton->Decorate(&m_theme, CancelIcon, CancelTooltip);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &LogDialog::SaveLog);
    // The text is no tab stop: Ctrl+A takes the keyboard into it, all of it
    // selected, so it can be read line by line or copied with Ctrl+C.
    auto* selectAll = new QShortcut(QKeySequence::SelectAll, this);
    connect(selectAll, &QShortcut::activated, this, &LogDialog::SelectWholeText);
}

LogDialog::~LogDialog() = default;

void LogDialog::SetLogText(const QString& text)
{
    m_logText = text;
    m_encoding = TextEncoding::Utf8;
    m_ui->logEdit->setPlainText(ViewTextForDisplay(m_logText));
}

QString LogDialog::LogText() const
{
    return m_logText;
}

void LogDialog::LoadCapture(const QString& capturePath)
{
    TextEncoding encoding = TextEncoding::Utf8;
    SetLogText(ReadFileForView(capturePath, &encoding));
    m_encoding = encoding;
    ShowNewestLine();
}

void LogDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Scrolled only once the view has its size; hidden, it cannot scroll.
    ShowNewestLine();
}

void LogDialog::SelectWholeText()
{
    m_ui->logEdit->setFocus(Qt::ShortcutFocusReason);
    m_ui->logEdit->selectAll();
}

void LogDialog::ShowNewestLine()
{
    QPlainTextEdit& edit = *m_ui->logEdit;
    QTextCursor end = edit.textCursor();
    end.movePosition(QTextCursor::End);
    end.movePosition(QTextCursor::StartOfLine);
    edit.setTextCursor(end);
    edit.ensureCursorVisible();
    edit.horizontalScrollBar()->setValue(0);
}

void LogDialog::SaveLog()
{
    CXFileDialog dialog(false, QStringLiteral("log"), QStringLiteral("isomint.log"),
                        CXFileDialog::FlagOverwritePrompt,
                        QStringLiteral("Log File (*.log)|*.log|Text File (*.txt)|*.txt|"
                                       "All Files (*.*)||"),
                        this);
    if (dialog.DoModal() != CXFileDialog::ResultOk)
        return;
    WriteViewTextToFile(dialog.GetPathName(), m_logText, m_encoding);
}
