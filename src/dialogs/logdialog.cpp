#include "dialogs/logdialog.h"

#include "controls/cxfiledialog.h"
#include "ui_logdialog.h"

namespace {

constexpr int SaveIcon = 134;
constexpr int CancelIcon = 164;
constexpr int SaveTooltip = 107;
constexpr int CancelTooltip = 108;

} // namespace

LogDialog::LogDialog(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::LogDialog>())
{
    m_ui->setupUi(this);
    m_ui->saveButton->Decorate(&m_theme, SaveIcon, SaveTooltip);
    m_ui->cancelButton->Decorate(&m_theme, CancelIcon, CancelTooltip);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &LogDialog::SaveLog);
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
