#include "burn/decrypterversion.h"

#include "burn/decrypterprogram.h"
#include "burn/productversion.h"
#include "burn/versioncompare.h"
#include "platform/messagebox.h"

DecrypterVersionCheck CheckDecrypterVersion(const QString& path, MessageBoxPresenter& presenter)
{
    DecrypterVersionCheck check;
    check.version = ReadProductVersion(path, presenter);
    check.accepted = IsVersionAbove(check.version, Decrypter::RecordingThreshold);
    if (!check.accepted)
        ShowApplicationBox(presenter, QLatin1String(Decrypter::MinimumVersionMessage));
    return check;
}
