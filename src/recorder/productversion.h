#pragma once

#include <QString>

class MessageBoxPresenter;

// The product version from the version resource of a Windows executable, as
// "%d.%d.%d.%d", or empty. A file that cannot be read, is no executable or has
// no version resource also shows "Can't receive file information for file "
// followed by the path (its middle elided when it is very long).
QString ReadProductVersion(const QString& path, MessageBoxPresenter& presenter);
