#include "dialogs/donation.h"

#include "controls/linkopener.h"
#include "dialogs/projectaddresses.h"

void OpenDonationPage(QObject* context, MessageBoxPresenter& presenter)
{
    OpenLinkWith(CurrentLinkOpener(), QLatin1String(ProjectAddress::Donation), context,
                 [&presenter](const LinkOpenResult& result) {
                     if (!result.Opened())
                         ReportOpenFailure(presenter, result);
                 });
}
