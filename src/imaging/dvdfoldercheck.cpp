#include "imaging/dvdfoldercheck.h"
#include "imaging/dvdvideonames.h"
#include "imaging/folderlisting.h"
#include "imaging/sourcetreeaccess.h"
#include "platform/pathhelper.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <optional>
#include <sys/stat.h>

namespace {

constexpr int kLastTitleSet = 99;
constexpr int kLastPart = 9;

// As they are named on a disc, and so in the messages about a missing one.
const QString kManagerInformation = QStringLiteral("VIDEO_TS.IFO");
const QString kManagerMenu = QStringLiteral("VIDEO_TS.VOB");
const QString kManagerBackup = QStringLiteral("VIDEO_TS.BUP");

QString InformationName(int titleSet)
{
    return QString::asprintf("VTS_%.2d_0.IFO", titleSet);
}

QString PartName(int titleSet, int part)
{
    return QString::asprintf("VTS_%.2d_%d.VOB", titleSet, part);
}

QString BackupName(int titleSet)
{
    return QString::asprintf("VTS_%.2d_0.BUP", titleSet);
}

// Every name the check may look for inside VIDEO_TS.
QStringList VideoFolderNames()
{
    QStringList names = {kManagerInformation, kManagerMenu, kManagerBackup};
    for (int titleSet = 1; titleSet <= kLastTitleSet; ++titleSet) {
        names << InformationName(titleSet) << BackupName(titleSet);
        for (int part = 0; part <= kLastPart; ++part)
            names << PartName(titleSet, part);
    }
    return names;
}

QString PathIn(const FolderListing& listing, const QByteArray& storedName)
{
    return JoinPath(listing.Folder(), QFile::decodeName(storedName));
}

// Full paths of every name with more than one spelling in the folder.
QStringList CaseVariants(const FolderListing& listing, const QStringList& names)
{
    QStringList paths;
    for (const QString& name : names) {
        const QList<QByteArray> matches = listing.Matches(name);
        if (matches.size() < 2)
            continue;
        for (const QByteArray& match : matches)
            paths << PathIn(listing, match);
    }
    return paths;
}

// The report's line for a rename, done or, in a dry run, to be done.
QString RenameLine(const QString& from, const QByteArray& newName)
{
    return QCoreApplication::translate("DvdFolderCheck", R"(Rename "%1" to "%2")")
        .arg(from, QFile::decodeName(newName));
}

// An upper-casing that waits until every check has passed.
struct PlannedRename
{
    FolderListing* listing = nullptr;
    FoundEntry entry;
    bool videoFolder = false; // VIDEO_TS itself: its listing moves with it
};

class DvdFolderCheck
{
public:
    DvdFolderCheck(const QString& source, const MissingFileQuestion& ask, bool dryRun);

    FolderCheckReport Run();

private:
    // Refusals that must come before the first change to the source.
    bool RefuseCaseVariants();
    bool RefuseLinks();
    // The builder skips what it cannot read, so this comes last, after the renames.
    bool RefuseUnreadable();
    std::optional<UnreadableEntry> FirstUnreadable() const;
    void Refuse(const QString& text);
    void Stop(OutcomeCode code, const QString& detail);
    // Notes the upper-case form of an entry, for Apply (or, in a dry run, the report).
    void Uppercase(FolderListing& listing, const FoundEntry& entry, bool videoFolder = false);
    // Makes the changes planned, once nothing can refuse the build any more.
    void Apply();
    bool ApplyRename(const PlannedRename& rename);
    void CreateAudioFolder();
    void NoteStrayFiles();

    void EnsureAudioFolder();
    bool FixVideoFolder();
    bool CheckVideoManager();
    bool CheckTitleSet(int titleSet);

    // Finds a name in the video folder and upper-cases it; false when missing.
    bool FixFile(const QString& name);
    // The path a message names: as formed, whatever the case on disk.
    QString Formed(const QString& name) const { return JoinPath(m_videoFormed, name); }
    bool Ask(const QString& name);
    bool Declined();

    const QString m_source;
    const MissingFileQuestion& m_ask;
    const bool m_dryRun;
    FolderCheckReport m_report;
    QList<PlannedRename> m_renames;
    bool m_createAudioFolder = false;
    FolderListing m_sourceListing;
    std::optional<FoundEntry> m_videoFolder;
    FolderListing m_videoListing; // empty unless VIDEO_TS is a folder
    QString m_videoFormed;
};

DvdFolderCheck::DvdFolderCheck(const QString& source, const MissingFileQuestion& ask, bool dryRun)
    : m_source(source), m_ask(ask), m_dryRun(dryRun), m_sourceListing(source),
      m_videoFolder(m_sourceListing.Find(QStringLiteral("VIDEO_TS"))),
      m_videoFormed(JoinPath(source, QStringLiteral("VIDEO_TS")))
{
    if (m_videoFolder && m_videoFolder->isDirectory)
        m_videoListing = FolderListing(PathIn(m_sourceListing, m_videoFolder->storedName));
}

FolderCheckReport DvdFolderCheck::Run()
{
    // An empty source would put AUDIO_TS at the root of the file system.
    if (m_source.isEmpty()) {
        Stop(OutcomeCode::NoVideoTs, QString());
        return m_report;
    }
    if (RefuseCaseVariants() || RefuseLinks())
        return m_report;
    EnsureAudioFolder();
    if (!FixVideoFolder() || !CheckVideoManager())
        return m_report;
    for (int titleSet = 1; titleSet <= kLastTitleSet; ++titleSet) {
        if (!CheckTitleSet(titleSet))
            return m_report;
    }
    // The source is changed only for a build that will run.
    if (!RefuseUnreadable() && !m_dryRun)
        Apply();
    if (m_dryRun)
        NoteStrayFiles();
    return m_report;
}

// The image check leaves these out too; a build notes them in its log.
void DvdFolderCheck::NoteStrayFiles()
{
    for (const QByteArray& name : m_videoListing.Files()) {
        if (!IsDvdVideoFileName(QFile::decodeName(name)))
            m_report.notes << QCoreApplication::translate(
                                  "DvdFolderCheck", R"(Note: "%1" is not part of the DVD-Video.)")
                                  .arg(PathIn(m_videoListing, name));
    }
}

void DvdFolderCheck::Apply()
{
    if (m_createAudioFolder)
        CreateAudioFolder();
    for (const PlannedRename& rename : m_renames) {
        if (!ApplyRename(rename))
            return;
    }
}

void DvdFolderCheck::CreateAudioFolder()
{
    const QString path = JoinPath(m_source, QStringLiteral("AUDIO_TS"));
    if (mkdir(QFile::encodeName(path).constData(), 0777) == 0) {
        m_report.changes
            << QCoreApplication::translate("DvdFolderCheck", "Create \"%1\"").arg(path);
        return;
    }
    // The builder does without it; players do not need it.
    m_report.notes << QCoreApplication::translate("DvdFolderCheck",
                                                  "Cannot create \"%1\": %2. The image will have "
                                                  "no AUDIO_TS folder.")
                          .arg(path, qt_error_string(errno));
}

// A name left in lower case would make the builder miss VIDEO_TS, so a
// failed rename stops the build.
bool DvdFolderCheck::ApplyRename(const PlannedRename& rename)
{
    FolderListing& listing = *rename.listing;
    const QByteArray upper = UpperStoredName(rename.entry.storedName);
    const QString from = PathIn(listing, rename.entry.storedName);
    const QByteArray renamed = listing.Uppercase(rename.entry);
    if (renamed == rename.entry.storedName) {
        const int error = errno;
        Refuse(QCoreApplication::translate("DvdFolderCheck",
                                           "Cannot rename \"%1\" to \"%2\": %3.\nThe image "
                                           "builder would not find it under its present name.")
                   .arg(from, PathIn(listing, upper), qt_error_string(error)));
        return false;
    }
    m_report.changes << RenameLine(from, renamed);
    if (rename.videoFolder)
        m_videoListing.FolderRenamed(PathIn(m_sourceListing, renamed));
    return true;
}

bool DvdFolderCheck::RefuseCaseVariants()
{
    // Which spelling would win is up to byte order, and the builder takes the
    // others in under mangled names, so the user has to choose.
    const QStringList paths =
        CaseVariants(m_sourceListing, {QStringLiteral("AUDIO_TS"), QStringLiteral("VIDEO_TS")}) +
        CaseVariants(m_videoListing, VideoFolderNames());
    if (paths.isEmpty())
        return false;
    Refuse(QCoreApplication::translate("DvdFolderCheck",
                                       "These names differ only in case:\n%1\nKeep one of them "
                                       "and try again.")
               .arg(paths.join(QLatin1Char('\n'))));
    return true;
}

bool DvdFolderCheck::RefuseLinks()
{
    // The builder leaves links out with a mere warning and still succeeds.
    QString link;
    if (m_videoFolder && m_sourceListing.IsLink(m_videoFolder->storedName))
        link = PathIn(m_sourceListing, m_videoFolder->storedName);
    else if (const QList<QByteArray> links = m_videoListing.Links(); !links.isEmpty())
        link = PathIn(m_videoListing, links.first());
    if (link.isEmpty())
        return false;
    Refuse(QStringLiteral("\"%1\" is a symbolic link. The image builder leaves links out, so the "
                          "disc would not play.\nCopy the file itself into VIDEO_TS.")
               .arg(link));
    return true;
}

bool DvdFolderCheck::RefuseUnreadable()
{
    const auto unreadable = FirstUnreadable();
    if (!unreadable)
        return false;
    Refuse(QCoreApplication::translate(
               "DvdFolderCheck", "Cannot read \"%1\": %2.\nThe image would be built without it.")
               .arg(unreadable->path, qt_error_string(unreadable->error)));
    return true;
}

// VIDEO_TS and the source's own files come from the listings already read, so
// a VIDEO_TS of many thousand files is not read twice; every folder beside
// and below them is walked.
std::optional<UnreadableEntry> DvdFolderCheck::FirstUnreadable() const
{
    for (const FolderListing* listing : {&m_videoListing, &m_sourceListing}) {
        if (const auto file = listing->FirstUnreadableFile())
            return UnreadableEntry{PathIn(*listing, file->storedName), file->error};
    }
    QStringList folders;
    for (const QByteArray& name : m_videoListing.Folders())
        folders << PathIn(m_videoListing, name);
    const auto video = m_sourceListing.Find(QStringLiteral("VIDEO_TS"));
    for (const QByteArray& name : m_sourceListing.Folders()) {
        if (!video || name != video->storedName)
            folders << PathIn(m_sourceListing, name);
    }
    for (const QString& folder : folders) {
        if (auto entry = FirstUnreadableInTree(folder))
            return entry;
    }
    return std::nullopt;
}

void DvdFolderCheck::Refuse(const QString& text)
{
    m_report.stop = RefusalResult(text);
}

void DvdFolderCheck::Stop(OutcomeCode code, const QString& detail)
{
    m_report.stop = CodeResult(BuildOutcome::Refused, code, detail);
}

void DvdFolderCheck::Uppercase(FolderListing& listing, const FoundEntry& entry, bool videoFolder)
{
    const QByteArray upper = UpperStoredName(entry.storedName);
    if (upper == entry.storedName)
        return;
    if (m_dryRun)
        m_report.changes << RenameLine(PathIn(listing, entry.storedName), upper);
    else
        m_renames.append({&listing, entry, videoFolder});
}

void DvdFolderCheck::EnsureAudioFolder()
{
    const QString name = QStringLiteral("AUDIO_TS");
    if (const auto found = m_sourceListing.Find(name)) {
        if (found->isDirectory)
            Uppercase(m_sourceListing, *found);
        return;
    }
    if (m_dryRun)
        m_report.changes << QCoreApplication::translate("DvdFolderCheck", "Create \"%1\"")
                                .arg(JoinPath(m_source, name));
    else
        m_createAudioFolder = true;
}

bool DvdFolderCheck::FixVideoFolder()
{
    if (!m_videoFolder) {
        Stop(OutcomeCode::NoVideoTs, QString());
        return false;
    }
    // A file of that name is left alone; the file probes below then fail.
    if (m_videoFolder->isDirectory)
        Uppercase(m_sourceListing, *m_videoFolder, true);
    return true;
}

bool DvdFolderCheck::CheckVideoManager()
{
    if (!FixFile(kManagerInformation)) {
        Stop(OutcomeCode::MissingNeededFile, Formed(kManagerInformation));
        return false;
    }
    FixFile(kManagerMenu); // the menu is optional
    if (!FixFile(kManagerBackup)) {
        Stop(OutcomeCode::MissingNeededFile, Formed(kManagerBackup));
        return false;
    }
    return true;
}

bool DvdFolderCheck::CheckTitleSet(int titleSet)
{
    // Title sets may have gaps: a missing information file skips the set.
    if (!FixFile(InformationName(titleSet)))
        return true;
    bool pass = true;
    // Every part is visited, so later parts are upper-cased even after a No.
    for (int part = 0; part <= kLastPart; ++part) {
        const QString name = PartName(titleSet, part);
        if (!FixFile(name) && part == 1 && !Ask(name))
            pass = false;
    }
    if (!pass)
        return Declined();
    const QString backup = BackupName(titleSet);
    return FixFile(backup) || Ask(backup) || Declined();
}

bool DvdFolderCheck::FixFile(const QString& name)
{
    const auto found = m_videoListing.Find(name);
    if (!found)
        return false;
    Uppercase(m_videoListing, *found);
    return true;
}

bool DvdFolderCheck::Ask(const QString& name)
{
    return m_ask(Formed(name)) || m_dryRun;
}

// A question answered No: the build stops without a message of its own.
bool DvdFolderCheck::Declined()
{
    m_report.stop = CodeResult(BuildOutcome::Declined, OutcomeCode::MissingFileAsk, QString());
    return false;
}

} // namespace

FolderCheckReport CheckDvdFolder(const QString& sourceDirectory, const MissingFileQuestion& ask,
                                 bool dryRun)
{
    return DvdFolderCheck(sourceDirectory, ask, dryRun).Run();
}
