#include "platform/programtranslations.h"

#include "platform/installedlayout.h"

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
    // The user's first language (LANGUAGE, else LC_MESSAGES or LANG): "C" and
    // English keep the source texts exactly. As with gettext, LANGUAGE does not
    // count under the C locale.
    const QLocale first(locale.uiLanguages().value(0, locale.name()));
    if (locale.language() == QLocale::C || first.language() == QLocale::English ||
        first.language() == QLocale::C)
        return;
    m_qtInstalled = Install(m_qt, locale, QStringLiteral("qtbase"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    m_programInstalled = Install(m_program, locale, QStringLiteral("isomint"),
                                 DataFolder(programFolder) + QStringLiteral("/translations"));
}

ProgramTranslations::~ProgramTranslations()
{
    if (m_programInstalled)
        QCoreApplication::removeTranslator(&m_program);
    if (m_qtInstalled)
        QCoreApplication::removeTranslator(&m_qt);
}
