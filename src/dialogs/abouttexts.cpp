#include "dialogs/abouttexts.h"

#include "dialogs/viewtext.h"
#include "platform/installedlayout.h"
#include "platform/pathhelper.h"

#include <QCoreApplication>
#include <QFile>

QString AboutVersionText(const QString& version, const QString& buildDate)
{
    return QCoreApplication::translate("AboutDialog",
                                       "Isomint Stencil, Version %1\r\n\r\nDate of Build: %2")
        .arg(version, buildDate);
}

QString AboutVersionText()
{
    return AboutVersionText(QStringLiteral(ISOMINT_VERSION_TEXT), QStringLiteral(__DATE__));
}

QString AboutCreditText()
{
    return QCoreApplication::translate("AboutDialog",
                                       "mkisofs is Debian's genisoimage (cdrkit),\r\n"
                                       "derived from cdrtools by J\u00f6rg Schilling.");
}

QString ReadModuleText(const QString& programFolder)
{
    QFile file(JoinPath(DataFolder(programFolder), QStringLiteral("mod.ver")));
    if (!file.open(QIODevice::ReadOnly))
        return QCoreApplication::translate("AboutDialog", "Can't get external module information.");
    return QCoreApplication::translate("AboutDialog", "Using following modules:\n\n") +
           ViewTextToFile(DecodeFileText(file.readAll()));
}
