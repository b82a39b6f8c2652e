#pragma once

// "&Donation": opens the donation page as a link would. The result is the
// link's (above 32 when opened); the menu command ignores it.
int OpenDonationPage();
