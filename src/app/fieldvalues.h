#pragma once

#include <QString>

// The main window's stored texts that a build reads. (The two recording check
// boxes are transferred with them; the recorder launch reads those itself.)
struct FieldValues
{
    QString sourceDirectory;
    QString outputFile;
    QString volumeId;
};
