#include "dialogs/donation.h"

#include "controls/linkopener.h"
#include "dialogs/projectaddresses.h"

void OpenDonationPage(QObject* context, MessageBoxPresenter& presenter)
{
    OpenLinkOrExplain(CurrentLinkOpener(), QLatin1String(ProjectAddress::Donation), context,
                      presenter);
}
