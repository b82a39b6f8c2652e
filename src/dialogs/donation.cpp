#include "dialogs/donation.h"

#include "controls/linklabel.h"
#include "dialogs/projectaddresses.h"

int OpenDonationPage()
{
    // A label that never gets a window: only its opening routine is wanted.
    LinkLabel link;
    return link.OpenLink(QLatin1String(ProjectAddress::Donation));
}
