#include "imaging/dvdlayoutcheck.h"

#include "imaging/dvdimage.h"
#include "imaging/dvdvideonames.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

constexpr qint64 SectorBytes = 2048;

// A file found in the image, by the sectors it covers: first up to, not including, end.
struct PlacedFile
{
    QString name;
    std::optional<DvdVideoName> dvdName;
    qint64 first = 0;
    qint64 end = 0;
};

// The report's texts, in the user's language.
struct ImageCheck
{
    Q_DECLARE_TR_FUNCTIONS(ImageCheck)
};

QList<PlacedFile> PlaceFiles(const DvdImage& image, const QStringList& names)
{
    QList<PlacedFile> files;
    for (const QString& name : names) {
        // Names that differ in case alone lead the reader to one and the same file.
        const bool seen = std::any_of(files.cbegin(), files.cend(), [&](const PlacedFile& file) {
            return file.name.compare(name, Qt::CaseInsensitive) == 0;
        });
        const auto found = image.Find(name);
        if (seen || !found)
            continue;
        files.append({name, ParseDvdVideoFileName(name), found->offset / SectorBytes,
                      (found->offset + found->size + SectorBytes - 1) / SectorBytes});
    }
    return files;
}

const PlacedFile* FindPlaced(const QList<PlacedFile>& files, DvdVideoName::Kind kind, int titleSet,
                             int part = 0)
{
    for (const PlacedFile& file : files)
        if (file.dvdName && file.dvdName->kind == kind && file.dvdName->titleSet == titleSet &&
            file.dvdName->part == part)
            return &file;
    return nullptr;
}

QString Owner(int titleSet)
{
    return titleSet == 0 ? ImageCheck::tr("the video manager")
                         : ImageCheck::tr("title set %1").arg(titleSet);
}

void CheckTitleSetStarts(const InformationSectors& sectors, const QList<PlacedFile>& files,
                         QStringList* problems)
{
    using Kind = DvdVideoName::Kind;
    const PlacedFile* manager = FindPlaced(files, Kind::Information, 0);
    for (const TitleSetStart& start : sectors.titleSetStarts) {
        const PlacedFile* info = FindPlaced(files, Kind::Information, start.titleSet);
        if (manager == nullptr || info == nullptr || info->first - manager->first == start.sector)
            continue;
        problems->append(ImageCheck::tr("title set %1 starts at sector %2 counted from "
                                        "VIDEO_TS.IFO, the video manager expects sector %3")
                             .arg(QString::number(start.titleSet),
                                  QString::number(info->first - manager->first),
                                  QString::number(start.sector)));
    }
}

void CheckTitleVobStarts(const InformationSectors& sectors, const QList<PlacedFile>& files,
                         QStringList* problems)
{
    using Kind = DvdVideoName::Kind;
    for (auto it = sectors.titleVobStarts.cbegin(); it != sectors.titleVobStarts.cend(); ++it) {
        const PlacedFile* info = FindPlaced(files, Kind::Information, it.key());
        const PlacedFile* vob = FindPlaced(files, Kind::Video, it.key(), 1);
        if (info == nullptr || vob == nullptr || vob->first - info->first == it.value())
            continue;
        problems->append(ImageCheck::tr("the title VOBs of title set %1 start at sector %2 "
                                        "counted from %3, the title set expects sector %4")
                             .arg(QString::number(it.key()),
                                  QString::number(vob->first - info->first), info->name,
                                  QString::number(it.value())));
    }
}

// A backup after the other files of its title set, on sectors no other file uses.
void CheckBackup(const PlacedFile& backup, const QList<PlacedFile>& files, QStringList* problems)
{
    const int titleSet = backup.dvdName->titleSet;
    qint64 after = 0;
    for (const PlacedFile& file : files)
        if (file.dvdName && file.dvdName->titleSet == titleSet &&
            file.dvdName->kind != DvdVideoName::Kind::Backup)
            after = qMax(after, file.end);
    if (backup.first < after) {
        problems->append(ImageCheck::tr("%1: %2 starts at sector %3, expected at sector %4 or "
                                        "later, after its IFO and VOBs")
                             .arg(Owner(titleSet), backup.name, QString::number(backup.first),
                                  QString::number(after)));
        return;
    }
    for (const PlacedFile& file : files) {
        if (&file == &backup || file.end <= backup.first || file.first >= backup.end)
            continue;
        problems->append(ImageCheck::tr("%1: %2 starts at sector %3, on the sectors of %4 "
                                        "from sector %5")
                             .arg(Owner(titleSet), backup.name, QString::number(backup.first),
                                  file.name, QString::number(file.first)));
        return;
    }
}

} // namespace

QStringList DvdLayoutProblems(const DvdImage& image, const QStringList& names)
{
    const QList<PlacedFile> files = PlaceFiles(image, names);
    QStringList problems;
    CheckTitleSetStarts(image.Sectors(), files, &problems);
    CheckTitleVobStarts(image.Sectors(), files, &problems);
    for (const PlacedFile& file : files)
        if (file.dvdName && file.dvdName->kind == DvdVideoName::Kind::Backup)
            CheckBackup(file, files, &problems);
    return problems;
}
