#include "controls/cxfiledialog.h"

#include "controls/historycombo.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

AnswerQueue<CXFileDialog>& Answers()
{
    static AnswerQueue<CXFileDialog> answers;
    return answers;
}

// "*.iso;*.img" as Qt writes it; "*.*" also matches names without a dot.
QString QtPatterns(const QString& patterns)
{
    QStringList result;
    for (const QString& pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        result.append(trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
    }
    return result.isEmpty() ? QStringLiteral("*") : result.join(QLatin1Char(' '));
}

} // namespace

CXFileDialog::CXFileDialog(QWidget* parent) : CXFileDialog(true, {}, {}, 0, {}, parent) {}

CXFileDialog::CXFileDialog(bool openFileDialog, const QString& defaultExtension,
                           const QString& fileName, int flags, const QString& filter,
                           QWidget* parent)
    : QFileDialog(parent), m_callerFlags(flags)
{
    // Qt's own dialog, since a system dialog cannot take the extra panel.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(openFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    setFileMode(openFileDialog && (flags & FlagFileMustExist) ? QFileDialog::ExistingFile
                                                              : QFileDialog::AnyFile);
    setOption(QFileDialog::DontConfirmOverwrite, (flags & FlagOverwritePrompt) == 0);
    if (!filter.isEmpty())
        setNameFilters(NameFiltersOf(filter));
    setDefaultSuffix(defaultExtension);
    if (!fileName.isEmpty())
        selectFile(fileName);
    AddHistoryPanel();
}

int CXFileDialog::DoModal()
{
    OnInitDialog();
    if (Answers().IsEmpty())
        return exec() == QDialog::Accepted ? ResultOk : ResultCancel;
    const std::optional<QString> chosen = Answers().Take()(*this);
    if (!chosen)
        return ResultCancel;
    m_pathName = *chosen;
    OnFileNameOK(m_pathName);
    return ResultOk;
}

void CXFileDialog::SetNextAnswer(Answer answer)
{
    Answers().Push(std::move(answer));
}

void CXFileDialog::SetNextAnswer(const QString& path)
{
    SetNextAnswer([path](CXFileDialog&) { return std::optional<QString>(path); });
}

void CXFileDialog::SetNextCancel()
{
    SetNextAnswer([](CXFileDialog&) { return std::optional<QString>(); });
}

void CXFileDialog::ClearAnswers()
{
    Answers().Clear();
}

void CXFileDialog::accept()
{
    if (!ApplyTypedPattern())
        QFileDialog::accept();
}

void CXFileDialog::done(int result)
{
    if (result == QDialog::Accepted) {
        m_pathName = selectedFiles().value(0);
        OnFileNameOK(m_pathName);
    }
    QFileDialog::done(result);
}

void CXFileDialog::showEvent(QShowEvent* event)
{
    QFileDialog::showEvent(event);
    // Typing goes to the name at once.
    if (QLineEdit* field = FileNameField())
        field->setFocus();
}

void CXFileDialog::AddHistoryPanel()
{
    m_history = new HistoryCombo(this);
    m_history->setObjectName(QStringLiteral("historyCombo"));
    m_historyLabel = new QLabel(tr("Recent &folders:"), this);
    m_historyLabel->setObjectName(QStringLiteral("historyLabel"));
    m_historyLabel->setBuddy(m_history);
    // Below the file-type row, in the column of the file-name field.
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        const int row = grid->rowCount();
        grid->addWidget(m_historyLabel, row, 0);
        grid->addWidget(m_history, row, 1);
    }
    connect(m_history, &QComboBox::activated, this, &CXFileDialog::JumpToFolder);
}

void CXFileDialog::OnInitDialog()
{
    m_history->clear();
    m_history->SetCheckExistence(true);
    m_history->LoadHistory(QStringLiteral("FolderHistory"), QStringLiteral("Folder"), true);
    if (m_history->count() > 0)
        m_history->setCurrentIndex(0);
    OpenInStartFolder();
}

void CXFileDialog::OpenInStartFolder()
{
    if (!m_initialFolder.isEmpty() && QFileInfo(m_initialFolder).isDir())
        MoveToFolderKeepingTheName(m_initialFolder);
    else if (m_history->count() > 0 && QFileInfo(m_history->itemText(0)).isDir())
        MoveToFolderKeepingTheName(m_history->itemText(0));
}

void CXFileDialog::MoveToFolderKeepingTheName(const QString& folder)
{
    QLineEdit* field = FileNameField();
    const QString typed = field != nullptr ? field->text() : QString();
    setDirectory(folder);
    if (field != nullptr)
        field->setText(typed);
}

void CXFileDialog::OnFileNameOK(const QString& path)
{
    const QString folder = HistoryFolderOf(path);
    m_history->AddToHistory(folder);
    m_history->SaveHistory(true);
}

bool CXFileDialog::ApplyTypedPattern()
{
    // A typed name with a wildcard ("*.exe", the settings' initial name) is
    // no file to choose: as in the desktop's standard dialog it narrows the
    // listing, in the folder it names if it names one.
    QLineEdit* field = FileNameField();
    const QString typed = field != nullptr ? field->text().trimmed() : QString();
    if (!typed.contains(u'*') && !typed.contains(u'?'))
        return false;
    const qsizetype slash = typed.lastIndexOf(u'/');
    if (slash >= 0) {
        const QString folder = slash == 0 ? QStringLiteral("/") : typed.left(slash);
        if (QFileInfo(directory().absoluteFilePath(folder)).isDir())
            setDirectory(directory().absoluteFilePath(folder));
    }
    const QString patterns = QtPatterns(typed.mid(slash + 1));
    QString chosen = patterns;
    QStringList filters = nameFilters();
    for (const QString& filter : filters) {
        if (filter == patterns || filter.endsWith(u'(' + patterns + u')'))
            chosen = filter;
    }
    if (!filters.contains(chosen)) {
        filters.append(chosen);
        setNameFilters(filters);
    }
    selectNameFilter(chosen);
    field->setText(typed.mid(slash + 1));
    return true;
}

void CXFileDialog::JumpToFolder(int index)
{
    const QString folder = m_history->itemText(index);
    if (index < 0 || folder.isEmpty() || !QFileInfo::exists(folder))
        return;
    // The typed name stays as it was while the dialog moves to the folder.
    MoveToFolderKeepingTheName(folder);
}

QLineEdit* CXFileDialog::FileNameField() const
{
    return findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

QStringList NameFiltersOf(const QString& filter)
{
    QStringList filters;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < parts.size() && !parts[i].isEmpty(); i += 2) {
        QString description = parts[i];
        QString patterns = i + 1 < parts.size() ? parts[i + 1] : QString();
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open > 0) {
            // An entry without a pattern of its own takes the one its text names.
            if (patterns.isEmpty())
                patterns = description.mid(open + 1).section(QLatin1Char(')'), 0, 0);
            description = description.left(open).trimmed();
        }
        filters.append(QStringLiteral("%1 (%2)").arg(description, QtPatterns(patterns)));
    }
    return filters;
}

QString HistoryFolderOf(const QString& path)
{
    const qsizetype last = path.lastIndexOf(QLatin1Char('/'));
    if (last < 0)
        return path;
    return last == 0 ? QStringLiteral("/") : path.left(last);
}
