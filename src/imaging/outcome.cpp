#include "imaging/outcome.h"

#include <cerrno>

const char* const ErrorListAddress =
    "http://isomint-stencil.example.org/ib/index.php?act=html_include&incl_name=error";

namespace {

QString SystemErrorText(int systemError)
{
    return QString::asprintf("System Error # %d!", systemError) +
           QStringLiteral("\n\nYou can find a list with possible errors at:\n\n") +
           QLatin1String(ErrorListAddress) +
           QStringLiteral("\n\nPlease use the support forum for help!");
}

OutcomeText ErrorBox(const QString& text)
{
    return {QStringLiteral("Error"), text, BoxKind::Error};
}

} // namespace

OutcomeText OutcomeMessage(OutcomeCode code, const QString& detail, int systemError)
{
    // Compared as unsigned, so a negative code falls to the unknown case.
    switch (static_cast<unsigned>(code)) {
    case 0:
        return {QStringLiteral("Information"),
                QStringLiteral("Action successfully completed!\nSee log for details."),
                BoxKind::Information};
    case 1:
        return ErrorBox(QStringLiteral("Can't find a \"VIDEO_TS\" directory.\nThis directory "
                                       "must exist below the given Source Directory!"));
    case 3:
        return {QStringLiteral("Error!"),
                QStringLiteral("Unsupported character (\"") + detail +
                    QStringLiteral("\") in Volume ID.\nUse only standard letters, numbers and "
                                   "underscores!"),
                BoxKind::Error};
    case 4:
        return ErrorBox(QStringLiteral("Missing needed file: ") + detail);
    case 5:
        return {QStringLiteral("Warning"),
                QStringLiteral("Missing file: ") + detail +
                    QStringLiteral("\nDo you want to continue?"),
                BoxKind::WarningYesNo};
    case 6:
        return ErrorBox(QStringLiteral(
            "Missing needed information.\nCheck if you have inserted SourceDir, TargetFile and "
            "VolumeID!"));
    case 7:
        return ErrorBox(QStringLiteral("Volume ID too long!"));
    case 8:
        return ErrorBox(QStringLiteral("\"mkisofs\" reports some errors.\nSee log for details."));
    case 9:
        return ErrorBox(SystemErrorText(systemError));
    default:
        return ErrorBox(QStringLiteral("Unknown Error"));
    }
}

int ReportOutcome(MessageBoxPresenter& presenter, OutcomeCode code, const QString& detail)
{
    const int systemError = errno; // first, before any call can change it
    return ReportOutcome(presenter, code, detail, code == Outcome::SystemError ? systemError : 0);
}

int ReportOutcome(MessageBoxPresenter& presenter, OutcomeCode code, const QString& detail,
                  int systemError)
{
    const OutcomeText message = OutcomeMessage(code, detail, systemError);
    return ShowWindowBox(presenter, message.caption, message.text, message.kind);
}
