#include "controls/historycombo.h"

#include "controls/applicationprofile.h"

#include <QFileInfo>
#include <QSettings>

HistoryCombo::HistoryCombo(QWidget* parent) : QComboBox(parent)
{
    // The list keeps insertion order: most recent first.
    setInsertPolicy(QComboBox::NoInsert);
}

QString HistoryCombo::LoadHistory(const QString& section, const QString& keyPrefix,
                                  bool rememberLast, const QString& lastKey)
{
    if (section.isEmpty() || keyPrefix.isEmpty())
        return {};
    m_section = section;
    m_prefix = keyPrefix;
    m_lastKey = lastKey;
    m_rememberLast = rememberLast;

    QSettings profile(ApplicationProfilePath(), QSettings::IniFormat);
    profile.beginGroup(m_section);
    QString value;
    for (int i = 0;; ++i) {
        value = profile.value(EntryKey(i)).toString();
        if (!value.isEmpty() && (!m_checkExistence || QFileInfo::exists(value)))
            addItem(value);
        if (value.isEmpty() || i + 1 >= m_maxEntries)
            break;
    }
    if (m_rememberLast) {
        value = profile.value(RememberKey()).toString();
        ShowRemembered(value);
    }
    return value;
}

int HistoryCombo::AddToHistory(const QString& text)
{
    if (m_section.isEmpty() || m_prefix.isEmpty()) {
        addItem(text);
        return count() - 1;
    }
    const QString entry = text.trimmed();
    if (entry.isEmpty())
        return -1;
    insertItem(0, entry);
    for (int i = 1; i < count(); ++i) {
        if (itemText(i).compare(entry, Qt::CaseInsensitive) == 0) {
            removeItem(i);
            break;
        }
    }
    while (count() > m_maxEntries)
        removeItem(m_maxEntries);
    setCurrentIndex(0);
    return 0;
}

void HistoryCombo::SaveHistory(bool addCurrentText)
{
    if (m_section.isEmpty())
        return;
    if (addCurrentText) {
        const QString current = currentText().trimmed();
        if (!current.isEmpty())
            AddToHistory(current);
    }
    QSettings profile(ApplicationProfilePath(), QSettings::IniFormat);
    profile.beginGroup(m_section);
    for (int i = 0; i < count(); ++i)
        profile.setValue(EntryKey(i), itemText(i));
    DeleteStaleKeys(profile);
    if (m_rememberLast)
        profile.setValue(RememberKey(), currentText());
    profile.endGroup();
    profile.sync();
}

QString HistoryCombo::RememberKey() const
{
    if (!m_lastKey.isEmpty())
        return m_lastKey;
    return m_prefix.isEmpty() ? QStringLiteral("Last") : m_prefix;
}

QString HistoryCombo::EntryKey(int index) const
{
    return m_prefix + QString::number(index);
}

void HistoryCombo::ShowRemembered(const QString& value)
{
    if (value.isEmpty())
        return;
    const int index = findText(value, Qt::MatchFixedString);
    if (index >= 0)
        setCurrentIndex(index);
    else if (isEditable())
        setEditText(value);
}

void HistoryCombo::DeleteStaleKeys(QSettings& profile) const
{
    // Keys beyond the list are removed up to the first gap; an entry after a
    // gap was never loaded, so it is left alone.
    for (int i = count(); i < StaleKeyLimit; ++i) {
        const QString key = EntryKey(i);
        if (profile.value(key).toString().isEmpty())
            break;
        profile.remove(key);
    }
}
