#include "recorder/decrypterversion.h"

#include "platform/messagebox.h"
#include "recorder/decrypterprogram.h"
#include "recorder/productversion.h"
#include "recorder/versioncompare.h"

#include <QCoreApplication>

DecrypterVersionCheck CheckDecrypterVersion(const QString& path, MessageBoxPresenter& presenter)
{
    DecrypterVersionCheck check;
    check.version = ReadProductVersion(path, presenter);
    check.accepted = IsVersionAbove(check.version, Decrypter::RecordingThreshold);
    if (!check.accepted)
        ShowApplicationBox(
            presenter, QCoreApplication::translate("Recorder", Decrypter::MinimumVersionMessage));
    return check;
}
