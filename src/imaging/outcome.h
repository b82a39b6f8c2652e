#pragma once

#include <QString>

// Build results the user hears about. Codes 0 to 9 are defined; 2 has no
// message of its own and any other value is unknown.
enum class OutcomeCode : int
{
    Success = 0,
    NoVideoTs = 1,
    BadVolumeIdChar = 3,
    MissingNeededFile = 4,
    MissingFileAsk = 5,
    MissingInformation = 6,
    VolumeIdTooLong = 7,
    MkisofsErrors = 8,
    SystemError = 9,
};

// What a message is: the window shows an information, an error or a Yes/No
// warning box for it; the command line writes it to standard error.
enum class OutcomeKind
{
    Information,
    Error,
    Question,
};

struct OutcomeText
{
    QString caption;
    QString text;
    OutcomeKind kind = OutcomeKind::Error;
};

// The address of the page that lists system error numbers.
extern const char* const ErrorListAddress;

// The pure mapping of a code to its message. The detail text is used by codes
// 3, 4 and 5 only, the system error number by code 9 only.
OutcomeText OutcomeMessage(OutcomeCode code, const QString& detail, int systemError);
