#include "imaging/outcome.h"

#include <QCoreApplication>

#include <cerrno>

const char* const ErrorListAddress =
    "http://isomint-stencil.example.org/ib/index.php?act=html_include&incl_name=error";

namespace {

QString SystemErrorText(int systemError)
{
    return QCoreApplication::translate("Outcome", "System Error # %1!").arg(systemError) +
           QCoreApplication::translate("Outcome",
                                       "\n\nYou can find a list with possible errors at:\n\n") +
           QLatin1String(ErrorListAddress) +
           QCoreApplication::translate("Outcome", "\n\nPlease use the support forum for help!");
}

OutcomeText ErrorBox(const QString& text)
{
    return {QCoreApplication::translate("Outcome", "Error"), text, BoxKind::Error};
}

} // namespace

OutcomeText OutcomeMessage(OutcomeCode code, const QString& detail, int systemError)
{
    // Compared as unsigned, so a negative code falls to the unknown case.
    switch (static_cast<unsigned>(code)) {
    case 0:
        return {QCoreApplication::translate("Outcome", "Information"),
                QCoreApplication::translate("Outcome",
                                            "Action successfully completed!\nSee log for details."),
                BoxKind::Information};
    case 1:
        return ErrorBox(QCoreApplication::translate(
            "Outcome", "Can't find a \"VIDEO_TS\" directory.\nThis directory "
                       "must exist below the given Source Directory!"));
    case 3:
        return {QCoreApplication::translate("Outcome", "Error!"),
                QCoreApplication::translate(
                    "Outcome", "Unsupported character (\"%1\") in Volume ID.\nUse only "
                               "standard letters, numbers and underscores!")
                    .arg(detail),
                BoxKind::Error};
    case 4:
        return ErrorBox(
            QCoreApplication::translate("Outcome", "Missing needed file: %1").arg(detail));
    case 5:
        return {QCoreApplication::translate("Outcome", "Warning"),
                QCoreApplication::translate("Outcome", "Missing file: %1\nDo you want to continue?")
                    .arg(detail),
                BoxKind::WarningYesNo};
    case 6:
        return ErrorBox(QCoreApplication::translate(
            "Outcome",
            "Missing needed information.\nCheck if you have inserted SourceDir, TargetFile and "
            "VolumeID!"));
    case 7:
        return ErrorBox(QCoreApplication::translate("Outcome", "Volume ID too long!"));
    case 8:
        return ErrorBox(QCoreApplication::translate(
            "Outcome", "\"mkisofs\" reports some errors.\nSee log for details."));
    case 9:
        return ErrorBox(SystemErrorText(systemError));
    default:
        return ErrorBox(QCoreApplication::translate("Outcome", "Unknown Error"));
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
