#pragma once

#include "platform/messagebox.h"

#include <QString>

// Build results the user hears about. Codes 0 to 9 are defined; 2 has no
// message of its own and any other value is unknown.
using OutcomeCode = int;

namespace Outcome {
inline constexpr OutcomeCode Success = 0;
inline constexpr OutcomeCode NoVideoTs = 1;
inline constexpr OutcomeCode BadVolumeIdChar = 3;
inline constexpr OutcomeCode MissingNeededFile = 4;
inline constexpr OutcomeCode MissingFileAsk = 5;
inline constexpr OutcomeCode MissingInformation = 6;
inline constexpr OutcomeCode VolumeIdTooLong = 7;
inline constexpr OutcomeCode MkisofsErrors = 8;
inline constexpr OutcomeCode SystemError = 9;
} // namespace Outcome

struct OutcomeText
{
    QString caption;
    QString text;
    BoxKind kind = BoxKind::Error;
};

// The address of the page that lists system error numbers.
extern const char* const ErrorListAddress;

// The pure mapping of a code to its box. The detail text is used by codes 3, 4
// and 5 only, the system error number by code 9 only.
OutcomeText OutcomeMessage(OutcomeCode code, const QString& detail, int systemError);

// Shows the outcome over the main window and returns the answer. For code 9 the
// number is the current errno, read before anything else is called.
int ReportOutcome(MessageBoxPresenter& presenter, OutcomeCode code, const QString& detail);

// As above, with the system error number of the failed operation given explicitly,
// for a reporter that runs after errno has moved on.
int ReportOutcome(MessageBoxPresenter& presenter, OutcomeCode code, const QString& detail,
                  int systemError);
