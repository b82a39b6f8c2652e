#include "imaging/dvdfoldercheck.h"
#include "imaging/caseblindlookup.h"
#include "imaging/outcome.h"
#include "imaging/pathhelper.h"

#include <QFile>

#include <sys/stat.h>

namespace {

constexpr int kLastTitleSet = 99;
constexpr int kLastPart = 9;

class DvdFolderCheck
{
public:
    DvdFolderCheck(const QString& source, MessageBoxPresenter& presenter)
        : m_source(source), m_presenter(presenter)
    {}

    int Run();

private:
    void EnsureAudioFolder();
    bool FixVideoFolder();
    bool CheckVideoManager();
    bool CheckTitleSet(int titleSet);

    // Finds a name in the video folder and upper-cases it; false when missing.
    bool FixFile(const QString& name);
    // The path a message names: as formed, whatever the case on disk.
    QString Formed(const QString& name) const { return JoinPath(m_videoFormed, name); }
    bool Ask(const QString& name);

    const QString m_source;
    MessageBoxPresenter& m_presenter;
    QString m_videoFormed;
    QString m_videoOnDisk; // where the files are listed: the folder as renamed
};

int DvdFolderCheck::Run()
{
    // An empty source would put AUDIO_TS at the root of the file system.
    if (m_source.isEmpty()) {
        ReportOutcome(m_presenter, Outcome::NoVideoTs, QString());
        return -1;
    }
    EnsureAudioFolder();
    if (!FixVideoFolder() || !CheckVideoManager())
        return -1;
    for (int titleSet = 1; titleSet <= kLastTitleSet; ++titleSet) {
        if (!CheckTitleSet(titleSet))
            return -1;
    }
    return 0;
}

void DvdFolderCheck::EnsureAudioFolder()
{
    const QString name = QStringLiteral("AUDIO_TS");
    if (const auto found = FindEntryIgnoringCase(m_source, name)) {
        if (found->isDirectory)
            UppercaseEntryName(m_source, *found);
        return;
    }
    // A failure shows up later as the image builder's own complaint.
    mkdir(QFile::encodeName(JoinPath(m_source, name)).constData(), 0777);
}

bool DvdFolderCheck::FixVideoFolder()
{
    const QString name = QStringLiteral("VIDEO_TS");
    m_videoFormed = JoinPath(m_source, name);
    m_videoOnDisk = m_videoFormed;
    const auto found = FindEntryIgnoringCase(m_source, name);
    if (!found) {
        ReportOutcome(m_presenter, Outcome::NoVideoTs, QString());
        return false;
    }
    // A file of that name is left alone; the file probes below then fail.
    if (found->isDirectory)
        m_videoOnDisk = JoinPath(m_source, QFile::decodeName(UppercaseEntryName(m_source, *found)));
    return true;
}

bool DvdFolderCheck::CheckVideoManager()
{
    const QString information = QStringLiteral("video_ts.ifo");
    if (!FixFile(information)) {
        ReportOutcome(m_presenter, Outcome::MissingNeededFile, Formed(information));
        return false;
    }
    FixFile(QStringLiteral("video_ts.vob")); // the menu is optional
    const QString backup = QStringLiteral("video_ts.bup");
    if (!FixFile(backup)) {
        ReportOutcome(m_presenter, Outcome::MissingNeededFile, Formed(backup));
        return false;
    }
    return true;
}

bool DvdFolderCheck::CheckTitleSet(int titleSet)
{
    // Title sets may have gaps: a missing information file skips the set.
    if (!FixFile(QString::asprintf("VTS_%.2d_0.IFO", titleSet)))
        return true;
    bool pass = true;
    // Every part is visited, so later parts are upper-cased even after a No.
    for (int part = 0; part <= kLastPart; ++part) {
        const QString name = QString::asprintf("VTS_%.2d_%d.VOB", titleSet, part);
        if (!FixFile(name) && part == 1 && !Ask(name))
            pass = false;
    }
    if (!pass)
        return false;
    const QString backup = QString::asprintf("VTS_%.2d_0.BUP", titleSet);
    return FixFile(backup) || Ask(backup);
}

bool DvdFolderCheck::FixFile(const QString& name)
{
    const auto found = FindEntryIgnoringCase(m_videoOnDisk, name);
    if (!found)
        return false;
    UppercaseEntryName(m_videoOnDisk, *found);
    return true;
}

bool DvdFolderCheck::Ask(const QString& name)
{
    return ReportOutcome(m_presenter, Outcome::MissingFileAsk, Formed(name)) == IdYes;
}

} // namespace

int CheckDvdFolder(const QString& sourceDirectory, MessageBoxPresenter& presenter)
{
    return DvdFolderCheck(sourceDirectory, presenter).Run();
}
