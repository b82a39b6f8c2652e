#pragma once

#include <QString>

// What was read from the version resource of a Windows executable.
struct ProductVersion
{
    QString version; // "%d.%d.%d.%d", or empty
    // For a file that cannot be read, is no executable or has no version
    // resource: "Can't receive file information for file " followed by the
    // path (its middle elided when it is very long). Empty otherwise.
    QString warning;
};

[[nodiscard]] ProductVersion ReadProductVersion(const QString& path);
