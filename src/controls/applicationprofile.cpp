#include "controls/applicationprofile.h"

#include <QStandardPaths>

namespace {

QString& OverridePath()
{
    static QString path;
    return path;
}

} // namespace

QString ApplicationProfilePath()
{
    if (!OverridePath().isEmpty())
        return OverridePath();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/isomint/isomint.ini");
}

void SetApplicationProfilePath(const QString& path)
{
    OverridePath() = path;
}
