#include "burn/opticaldrives.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace {

QString ReadTrimmed(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.read(256)).simplified();
}

} // namespace

QString OpticalDrive::Label() const
{
    return model.isEmpty() ? device : QStringLiteral("%1 (%2)").arg(device, model);
}

QList<OpticalDrive> OpticalDrives(const QString& sysBlock)
{
    QStringList names = QDir(sysBlock).entryList({QStringLiteral("sr*")},
                                                 QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    // sr2 before sr10.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.mid(2).toInt() < b.mid(2).toInt();
    });
    QList<OpticalDrive> drives;
    for (const QString& name : names) {
        const QString device = QDir(sysBlock).filePath(name + QStringLiteral("/device/"));
        const QString model = (ReadTrimmed(device + QStringLiteral("vendor")) + QLatin1Char(' ') +
                               ReadTrimmed(device + QStringLiteral("model")))
                                  .trimmed();
        drives.append({QStringLiteral("/dev/") + name, model});
    }
    return drives;
}
