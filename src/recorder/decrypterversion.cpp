#include "recorder/decrypterversion.h"

#include "platform/messagebox.h"
#include "recorder/decrypterprogram.h"
#include "recorder/productversion.h"
#include "recorder/versioncompare.h"

DecrypterVersionCheck CheckDecrypterVersion(const QString& path, MessageBoxPresenter& presenter)
{
    DecrypterVersionCheck check;
    check.version = ReadProductVersion(path, presenter);
    check.accepted = IsVersionAbove(check.version, Decrypter::RecordingThreshold);
    if (!check.accepted)
        ShowApplicationBox(presenter, QLatin1String(Decrypter::MinimumVersionMessage));
    return check;
}
