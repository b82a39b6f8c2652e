#include "recorder/decrypterversion.h"

#include "recorder/decrypterprogram.h"
#include "recorder/productversion.h"
#include "recorder/versioncompare.h"

#include <QCoreApplication>

DecrypterVersionCheck CheckDecrypterVersion(const QString& path)
{
    const ProductVersion read = ReadProductVersion(path);
    DecrypterVersionCheck check;
    check.version = read.version;
    check.accepted = IsVersionAbove(check.version, Decrypter::RecordingThreshold);
    if (!read.warning.isEmpty())
        check.warnings << read.warning;
    if (!check.accepted)
        check.warnings << QCoreApplication::translate("Recorder", Decrypter::MinimumVersionMessage);
    return check;
}
