// The main window's side of the BuildWindow interface: busy state, field
// transfers, progress and the recording choices.
#include "app/maindialog.h"

#include "app/finishnotice.h"
#include "ui_maindialog.h"

#include <algorithm>

void MainDialog::SetInputsEnabled(bool enabled)
{
    m_ui->programSettingsAction->setEnabled(enabled);
    m_ui->recordImageAction->setEnabled(enabled);
    m_ui->sourceBrowseButton->setEnabled(enabled);
    m_ui->quitButton->setEnabled(enabled);
    m_ui->abortButton->setEnabled(!enabled);
    m_ui->outputBrowseButton->setEnabled(enabled);
    m_ui->imageButton->setEnabled(enabled);
    m_ui->outputEdit->setEnabled(enabled);
    m_ui->volumeEdit->setEnabled(enabled);
    m_ui->sourceEdit->setEnabled(enabled);
}

void MainDialog::EnterBusyState()
{
    m_finishNotice->BuildStarted();
    SetInputsEnabled(false);
}

void MainDialog::LeaveBusyState()
{
    SetInputsEnabled(true);
}

FieldValues MainDialog::TakeFieldValues()
{
    m_fields.sourceDirectory = m_ui->sourceEdit->text();
    m_fields.outputFile = m_ui->outputEdit->text();
    m_fields.volumeId = m_ui->volumeEdit->text();
    m_shutdown = m_ui->shutdownCheck->isChecked();
    m_verify = m_ui->verifyCheck->isChecked();
    return m_fields;
}

void MainDialog::StoreFieldValues(const FieldValues& values)
{
    m_fields = values;
}

void MainDialog::ShowFieldValues()
{
    m_ui->sourceEdit->setText(m_fields.sourceDirectory);
    m_ui->outputEdit->setText(m_fields.outputFile);
    m_ui->volumeEdit->setText(m_fields.volumeId);
    m_ui->shutdownCheck->setChecked(m_shutdown);
    m_ui->verifyCheck->setChecked(m_verify);
}

void MainDialog::SetProgressPosition(int percent)
{
    // A progress bar clamps a position below its range; Qt's would keep the old one.
    m_ui->progressBar->setValue(std::max(percent, m_ui->progressBar->minimum()));
}

void MainDialog::SetPercentLabel(const QString& text)
{
    m_ui->percentLabel->setText(text);
}

void MainDialog::SetWindowTitle(const QString& title)
{
    setWindowTitle(title);
}

void MainDialog::EnableLog()
{
    m_ui->logButton->setEnabled(true);
}

QString MainDialog::SelectedSpeedText() const
{
    const int index = m_ui->speedCombo->currentIndex();
    return index < 0 ? QString() : m_ui->speedCombo->itemText(index);
}
