#pragma once

class MessageBoxPresenter;
class QObject;

// "&Donation": opens the donation page as a link would. A page that cannot be
// opened is explained as a link explains it, unless `context` is gone first.
void OpenDonationPage(QObject* context, MessageBoxPresenter& presenter);
