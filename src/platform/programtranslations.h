#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

// The program's catalogue and Qt's own, installed on the running application
// for a locale for as long as this object lives. English installs neither:
// the source texts are English. The program's catalogue is looked up in the
// data folder's translations/ (see DataFolder).
class ProgramTranslations
{
public:
    explicit ProgramTranslations(const QString& programFolder,
                                 const QLocale& locale = QLocale::system());
    ~ProgramTranslations();
    ProgramTranslations(const ProgramTranslations&) = delete;
    ProgramTranslations& operator=(const ProgramTranslations&) = delete;
    ProgramTranslations(ProgramTranslations&&) = delete;
    ProgramTranslations& operator=(ProgramTranslations&&) = delete;

    // Whether the program's own catalogue was found for the locale.
    bool Installed() const { return m_programInstalled; }

private:
    QTranslator m_qt;
    QTranslator m_program;
    bool m_qtInstalled = false;
    bool m_programInstalled = false;
};
