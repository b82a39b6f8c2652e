#include "app/imagerecording.h"

#include "burn/existingimage.h"
#include "controls/cxfiledialog.h"
#include "platform/pathhelper.h"

#include <QCoreApplication>

namespace {

constexpr char RecordFilter[] =
    QT_TRANSLATE_NOOP("MainDialog", "Image or Image List (*.iso;*.lst)|*.iso;*.lst|ISO Image "
                                    "(*.iso)|*.iso|Image List (*.lst)|*.lst|All Files (*.*)||");

} // namespace

QString ChooseImageToRecord(QWidget* parent, const QString& nearFile)
{
    CXFileDialog dialog(true, QString(), QString(),
                        CXFileDialog::FlagFileMustExist | CXFileDialog::FlagHideReadOnly,
                        QCoreApplication::translate("MainDialog", RecordFilter), parent);
    // Images are usually where the last one was built.
    if (!nearFile.isEmpty())
        dialog.SetInitialFolder(FolderOf(nearFile));
    if (dialog.DoModal() != CXFileDialog::ResultOk)
        return {};
    return dialog.GetPathName();
}

QString ImageRefusalText(const ExistingImage& image)
{
    if (!image.problem.isEmpty())
        return image.problem;
    return QCoreApplication::translate("MainDialog", "Nothing was recorded: the image check "
                                                     "failed.\n%1")
        .arg(image.report.join(QLatin1Char('\n')));
}
