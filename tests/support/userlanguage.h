#pragma once

#include "platform/programtranslations.h"

#include <QLocale>
#include <QString>

// The program as a user of one language runs it, for the life of this object:
// the program's catalogue and that language's number form.
class UserLanguage
{
public:
    explicit UserLanguage(const char* name)
        : m_locale(QString::fromLatin1(name)),
          m_translations(QStringLiteral(ISOMINT_PROGRAM_DIR), m_locale)
    {
        QLocale::setDefault(m_locale);
    }
    ~UserLanguage() { QLocale::setDefault(m_before); }
    UserLanguage(const UserLanguage&) = delete;
    UserLanguage& operator=(const UserLanguage&) = delete;
    UserLanguage(UserLanguage&&) = delete;
    UserLanguage& operator=(UserLanguage&&) = delete;

    // English needs no catalogue; another language must have found its own.
    [[nodiscard]] bool Ready() const
    {
        return m_locale.language() == QLocale::English || m_translations.Installed();
    }

private:
    QLocale m_before;
    QLocale m_locale;
    ProgramTranslations m_translations;
};
