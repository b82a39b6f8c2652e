#pragma once

#include <QString>

// Shows a desktop notification through the freedesktop notification service
// on the session bus. False, and nothing shown, when there is no session bus
// or the call cannot be sent; the program never depends on it.
bool SendDesktopNotification(const QString& summary, const QString& body);
