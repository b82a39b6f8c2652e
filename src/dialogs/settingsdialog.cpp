#include "dialogs/settingsdialog.h"

#include "burn/opticaldrives.h"
#include "burn/recordingdevice.h"
#include "controls/cxfiledialog.h"
#include "controls/fontunits.h"
#include "controls/messagebox.h"
#include "controls/recorderwords.h"
#include "dialogs/nativedrivelist.h"
#include "dialogs/settingsnotices.h"
#include "recorder/decrypterprogram.h"
#include "recorder/nativerecorder.h"
#include "recorder/versioncompare.h"
#include "ui_settingsdialog.h"

#include <QStandardPaths>

#include <vector>

namespace {

constexpr char NormalCaption[] = QT_TRANSLATE_NOOP("SettingsDialog", "Program Settings");
constexpr char FirstTimeCaption[] =
    QT_TRANSLATE_NOOP("SettingsDialog", "Isomint Stencil << First Time Setup >>");

const std::vector<NativeText> NativeTexts = {
    {"decrypterGroup", "title", QT_TRANSLATE_NOOP("RecorderWords", " Recorder Settings ")},
    {"burnCheck", "text", QT_TRANSLATE_NOOP("RecorderWords", "&Burn generated image")},
    {"pathLabel", "text", QT_TRANSLATE_NOOP("RecorderWords", "Recorder program:")},
    {"driveLabel", "text", QT_TRANSLATE_NOOP("RecorderWords", "Recorder device:")},
    {"exeButton", "toolTip", QT_TRANSLATE_NOOP("RecorderWords", "Get the recorder program")},
};

} // namespace

SettingsDialog::SettingsDialog(MessageBoxPresenter& presenter, QWidget* parent)
    : QDialog(parent), m_presenter(presenter), m_ui(std::make_unique<Ui::SettingsDialog>())
{
    m_ui->setupUi(this);
    FontUnits::Apply(*this);
    for (int i = 0; i < m_ui->driveList->count(); ++i)
        m_letters << m_ui->driveList->itemText(i);
    m_letterGeometry = m_ui->driveList->geometry();
    m_letterLabelGeometry = m_ui->driveLabel->geometry();
    Decorate();
    connect(m_ui->burnCheck, &QCheckBox::clicked, this, [this] {
        TakeValues();
        UpdateDecrypterControls();
    });
    for (QCheckBox* box : {m_ui->splitCheck, m_ui->eraseCheck, m_ui->checkSizeCheck})
        connect(box, &QCheckBox::clicked, this, &SettingsDialog::TakeValues);
    connect(m_ui->driveList, &QComboBox::activated, this, &SettingsDialog::TakeValues);
    connect(m_ui->exeButton, &QPushButton::clicked, this, &SettingsDialog::BrowseDecrypterExe);
    connect(m_ui->pathEdit, &QLineEdit::textEdited, this, &SettingsDialog::OnPathEdited);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &SettingsDialog::SaveSettings);
}

SettingsDialog::~SettingsDialog() = default;

int SettingsDialog::exec()
{
    PrepareOpening();
    return QDialog::exec();
}

void SettingsDialog::PrepareOpening()
{
    setWindowTitle(tr(NormalCaption));
    ShowValues();
    m_settings.ReadSettings();
    ShowSettingsNotices(m_presenter, m_settings);
    if (m_settings.FirstTimeSetup())
        OfferInstalledRecorder();
    UpdateDriveList();
    m_settings.CheckDecrypterVersion();
    ShowSettingsNotices(m_presenter, m_settings);
    UpdateDecrypterControls();
    if (m_settings.FirstTimeSetup()) {
        m_settings.ClearFirstTimeSetup();
        setWindowTitle(tr(FirstTimeCaption));
    }
    m_ui->splitCheck->setFocus();
}

void SettingsDialog::UpdateDecrypterControls()
{
    const bool burning = m_settings.BurnImageFile();
    m_ui->driveList->setEnabled(burning);
    m_ui->exeButton->setEnabled(burning);
    m_ui->pathEdit->setEnabled(burning);
    // Numeric: as text, 3.1.10.0 would sort below 3.1.9.0.
    const bool canErase =
        burning && (NativeRecorder() || IsVersionAbove(m_settings.DecrypterVersion(),
                                                       Decrypter::ShutdownEraseThreshold));
    m_ui->eraseCheck->setEnabled(canErase);
    if (!canErase)
        m_settings.SetEraseMedia(false);
    ShowValues();
}

void SettingsDialog::BrowseDecrypterExe()
{
    // The member's last taken path, not what the edit box holds now.
    QString fileName = m_settings.DecrypterPath();
    if (fileName.isEmpty())
        fileName = m_offeredRecorder;
    if (!fileName.toLower().contains(QLatin1String(".exe")) && !IsXorrisoRecorder(fileName))
        fileName = QStringLiteral("*.exe");
    CXFileDialog dialog(true, QString(), fileName, CXFileDialog::FlagOverwritePrompt,
                        QStringLiteral("EXE Files (*.exe)|*.exe|xorriso|xorriso|All Files (*.*)||"),
                        this);
    if (dialog.DoModal() != CXFileDialog::ResultOk)
        return;
    m_settings.SetDecrypterPath(dialog.GetPathName());
    UpdateDriveList();
    m_settings.CheckDecrypterVersion();
    ShowSettingsNotices(m_presenter, m_settings);
    UpdateDecrypterControls();
}

void SettingsDialog::SaveSettings()
{
    TakeValues();
    const int drive = m_ui->driveList->currentIndex();
    const QString device = SelectedDevice(*m_ui->driveList);
    if (m_listsDevices && m_settings.BurnImageFile() && !IsRecordingDevice(device)) {
        ShowWindowBox(m_presenter, tr(NormalCaption), RecordingDeviceRefusal(device),
                      BoxKind::Error);
        return;
    }
    if (m_listsDevices)
        m_settings.SetDriveletter(device);
    else
        m_settings.SetDriveletter(drive >= 0 ? m_ui->driveList->itemText(drive) : QString());
    // Runs the recorder check first, so a rejected recorder is saved with burning off.
    m_settings.WriteSettings();
    ShowSettingsNotices(m_presenter, m_settings);
    accept();
}

void SettingsDialog::TakeValues()
{
    m_settings.SetSplitImageFile(m_ui->splitCheck->isChecked());
    m_settings.SetDecrypterPath(m_ui->pathEdit->text());
    m_settings.SetBurnImageFile(m_ui->burnCheck->isChecked());
    m_settings.SetEraseMedia(m_ui->eraseCheck->isChecked());
    m_settings.SetCheckDirSize(m_ui->checkSizeCheck->isChecked());
}

void SettingsDialog::ShowValues()
{
    m_ui->splitCheck->setChecked(m_settings.SplitImageFile());
    m_ui->pathEdit->setText(m_settings.DecrypterPath());
    m_ui->burnCheck->setChecked(m_settings.BurnImageFile());
    m_ui->eraseCheck->setChecked(m_settings.EraseMedia());
    m_ui->checkSizeCheck->setChecked(m_settings.CheckDirSize());
}

void SettingsDialog::SelectDrive()
{
    // The first item that begins with the stored letter, ignoring case; none
    // when nothing matches; "D:" when no letter is stored.
    const QString drive = m_settings.Driveletter();
    int selected = drive.isEmpty() ? 0 : -1;
    for (int i = 0; selected < 0 && i < m_ui->driveList->count(); ++i) {
        if (m_ui->driveList->itemText(i).startsWith(drive, Qt::CaseInsensitive))
            selected = i;
    }
    m_ui->driveList->setCurrentIndex(selected);
}

void SettingsDialog::Decorate()
{
    constexpr int ExeIcon = 165, ExeTooltip = 110;
    constexpr int CancelIcon = 164;
    constexpr int SaveIcon = 134, SaveTooltip = 111;
    m_ui->exeButton->Decorate(&m_theme, ExeIcon, ExeTooltip);
    m_ui->cancelButton->Decorate(&m_theme, CancelIcon);
    m_ui->saveButton->Decorate(&m_theme, SaveIcon, SaveTooltip);
}

bool SettingsDialog::NativeRecorder() const
{
    return IsXorrisoRecorder(m_settings.DecrypterPath());
}

void SettingsDialog::UpdateDriveList()
{
    if (NativeRecorder()) {
        const QString stored =
            m_listsDevices ? SelectedDevice(*m_ui->driveList) : m_settings.Driveletter();
        // A drive letter means nothing to xorriso.
        const bool device = stored.startsWith(QLatin1Char('/')) ||
                            stored.startsWith(QLatin1String("stdio:"), Qt::CaseInsensitive);
        FillNativeDrives(*m_ui->driveList, OpticalDrives(), device ? stored : QString());
        m_listsDevices = true;
        ShowListWords();
        return;
    }
    if (m_listsDevices) {
        m_ui->driveList->clear();
        m_ui->driveList->addItems(m_letters);
        m_listsDevices = false;
    }
    ShowListWords();
    SelectDrive();
}

void SettingsDialog::ShowListWords()
{
    ShowRecorderWords(*this, NativeTexts, m_listsDevices);
    QRect label = m_letterLabelGeometry;
    QRect list = m_letterGeometry;
    if (m_listsDevices) {
        // A device path such as stdio:/home/user/disc.iso needs the row's
        // whole width; two letters do not.
        constexpr int Gap = 6;
        label.setWidth(m_ui->driveLabel->sizeHint().width());
        list.setLeft(label.right() + Gap);
        list.setRight(m_ui->exeButton->geometry().right());
    }
    m_ui->driveLabel->setGeometry(label);
    m_ui->driveList->setGeometry(list);
}

void SettingsDialog::OnPathEdited(const QString& path)
{
    // A recorder typed in changes what the list must name, letters or devices.
    m_settings.SetDecrypterPath(path);
    if (NativeRecorder() != m_listsDevices)
        UpdateDriveList();
}

void SettingsDialog::OfferInstalledRecorder()
{
    // First start: an installed xorriso is shown as the suggestion and is what
    // "E&XE file" opens on; nothing is stored unless the user picks it.
    m_offeredRecorder.clear();
    if (!m_settings.DecrypterPath().isEmpty())
        return;
    m_offeredRecorder = QStandardPaths::findExecutable(QStringLiteral("xorriso"));
    m_ui->pathEdit->setPlaceholderText(m_offeredRecorder);
}
