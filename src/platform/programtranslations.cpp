#include "platform/programtranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace {

bool Install(QTranslator& translator, const QLocale& locale, const QString& name,
             const QString& folder)
{
    return translator.load(locale, name, QStringLiteral("_"), folder) &&
           QCoreApplication::installTranslator(&translator);
}

} // namespace

ProgramTranslations::ProgramTranslations(const QString& programFolder, const QLocale& locale)
{
    // QLocale::system() follows LANGUAGE and LANG; "C" and English keep the
    // source texts exactly, whatever catalogue lies about.
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return;
    m_qtInstalled = Install(m_qt, locale, QStringLiteral("qtbase"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    m_programInstalled = Install(m_program, locale, QStringLiteral("isomint"),
                                 programFolder + QStringLiteral("/translations"));
}

ProgramTranslations::~ProgramTranslations()
{
    if (m_programInstalled)
        QCoreApplication::removeTranslator(&m_program);
    if (m_qtInstalled)
        QCoreApplication::removeTranslator(&m_qt);
}
