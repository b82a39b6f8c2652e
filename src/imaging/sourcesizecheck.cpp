#include "imaging/sourcesizecheck.h"
#include "imaging/directorysize.h"

#include <QCoreApplication>

namespace {

constexpr double kBytesPerMegabyte = 1048576.0;

} // namespace

QString SourceSizeQuestion(double excessBytes)
{
    return QCoreApplication::translate("SizeCheck",
                                       "The size of the created image exceeds the capacity\nof a "
                                       "single layer DVD media by ca. %1 MB!\n\nDo you want to "
                                       "continue?")
        .arg(QString::asprintf("%.0lf", excessBytes / kBytesPerMegabyte));
}

SizeVerdict CheckSourceSize(const QString& sourceDirectory, const OversizeQuestion& ask)
{
    const double total = MeasureDirectorySize(sourceDirectory);
    if (total <= 0)
        return SizeVerdict::Unmeasured;
    if (total <= SingleLayerCapacity)
        return SizeVerdict::GoOn;
    return ask(SourceSizeQuestion(total - SingleLayerCapacity)) ? SizeVerdict::GoOn
                                                                : SizeVerdict::Declined;
}
