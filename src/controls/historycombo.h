#pragma once

#include <QComboBox>

class QSettings;

// A drop-down list that keeps a most-recent-first history in the
// application profile: entries under <prefix>0, <prefix>1, ... and the text
// shown last under its own key.
class HistoryCombo : public QComboBox
{
    Q_OBJECT

public:
    static constexpr int DefaultMaxEntries = 100;
    // Stale keys are only looked for below this index.
    static constexpr int StaleKeyLimit = 1000;

    explicit HistoryCombo(QWidget* parent = nullptr);

    // Fills the list from the profile and returns the last value read. An
    // empty section or prefix turns the history logic off.
    QString LoadHistory(const QString& section, const QString& keyPrefix, bool rememberLast = true,
                        const QString& lastKey = {});
    // Puts a text at the top, removing an older entry that differs only in
    // letter case; returns its index, or -1 for an empty text.
    int AddToHistory(const QString& text);
    // Writes the list to the profile at once.
    void SaveHistory(bool addCurrentText = true);

    void SetCheckExistence(bool check) { m_checkExistence = check; }
    void SetMaxEntries(int maximum) { m_maxEntries = maximum; }
    int MaxEntries() const { return m_maxEntries; }

private:
    QString RememberKey() const;
    QString EntryKey(int index) const;
    void ShowRemembered(const QString& value);
    void DeleteStaleKeys(QSettings& profile) const;

    QString m_section;
    QString m_prefix;
    QString m_lastKey;
    bool m_rememberLast = true;
    int m_maxEntries = DefaultMaxEntries;
    bool m_checkExistence = false;
};
