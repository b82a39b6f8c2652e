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

int CheckSourceSize(const QString& sourceDirectory, const OversizeQuestion& ask)
{
    const double total = MeasureDirectorySize(sourceDirectory);
    if (total <= 0)
        return -1;
    if (total <= SingleLayerCapacity)
        return 0;
    return ask(SourceSizeQuestion(total - SingleLayerCapacity)) ? 0 : 1;
}
