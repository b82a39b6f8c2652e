#include "imaging/outcome.h"

#include <QCoreApplication>

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
    return {QCoreApplication::translate("Outcome", "Error"), text, OutcomeKind::Error};
}

} // namespace

OutcomeText OutcomeMessage(OutcomeCode code, const QString& detail, int systemError)
{
    // A value outside the enumerators (2 among them) is unknown.
    switch (code) {
    case OutcomeCode::Success:
        return {QCoreApplication::translate("Outcome", "Information"),
                QCoreApplication::translate("Outcome",
                                            "Action successfully completed!\nSee log for details."),
                OutcomeKind::Information};
    case OutcomeCode::NoVideoTs:
        return ErrorBox(QCoreApplication::translate(
            "Outcome", "Can't find a \"VIDEO_TS\" directory.\nThis directory "
                       "must exist below the given Source Directory!"));
    case OutcomeCode::BadVolumeIdChar:
        return {QCoreApplication::translate("Outcome", "Error!"),
                QCoreApplication::translate(
                    "Outcome", "Unsupported character (\"%1\") in Volume ID.\nUse only "
                               "standard letters, numbers and underscores!")
                    .arg(detail),
                OutcomeKind::Error};
    case OutcomeCode::MissingNeededFile:
        return ErrorBox(
            QCoreApplication::translate("Outcome", "Missing needed file: %1").arg(detail));
    case OutcomeCode::MissingFileAsk:
        return {QCoreApplication::translate("Outcome", "Warning"),
                QCoreApplication::translate("Outcome", "Missing file: %1\nDo you want to continue?")
                    .arg(detail),
                OutcomeKind::Question};
    case OutcomeCode::MissingInformation:
        return ErrorBox(QCoreApplication::translate(
            "Outcome",
            "Missing needed information.\nCheck if you have inserted SourceDir, TargetFile and "
            "VolumeID!"));
    case OutcomeCode::VolumeIdTooLong:
        return ErrorBox(QCoreApplication::translate("Outcome", "Volume ID too long!"));
    case OutcomeCode::MkisofsErrors:
        return ErrorBox(QCoreApplication::translate(
            "Outcome", "\"mkisofs\" reports some errors.\nSee log for details."));
    case OutcomeCode::SystemError:
        return ErrorBox(SystemErrorText(systemError));
    default:
        return ErrorBox(QCoreApplication::translate("Outcome", "Unknown Error"));
    }
}
