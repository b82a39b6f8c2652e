#pragma once

#include "imaging/outcome.h"

#include <QString>
#include <QStringList>

enum class BuildOutcome
{
    Built,       // the image is complete and was read back whole
    Refused,     // the request or the folder check refused; nothing was built
    Declined,    // a question was answered No, or there was nothing to build
    BuildFailed, // mkisofs failed or could not be started
    CheckFailed, // mkisofs exited 0, but the image is not complete
    Unfollowed,  // mkisofs started, but its progress could not be read
    Aborted,
};

// How a build ended, for a face to tell the user: either one of the outcome
// codes with its detail, or the text of a refusal.
struct BuildResult
{
    BuildOutcome outcome = BuildOutcome::Built;
    OutcomeCode code = Outcome::Success;
    QString detail;      // for codes 3, 4 and 5
    int systemError = 0; // for code 9
    QString refusal;     // instead of the code, when not empty
    QStringList parts;   // the image's files, in order, after a success
};

[[nodiscard]] BuildResult RefusalResult(const QString& text);
[[nodiscard]] BuildResult CodeResult(BuildOutcome outcome, OutcomeCode code,
                                     const QString& detail = QString(), int systemError = 0);

// Whether the window shows no box for the result: an abort, a No, a run that
// could not be followed.
[[nodiscard]] bool ShowsNoBox(const BuildResult& result);

// The message in the words the window's box uses; for a result without a box,
// its detail.
[[nodiscard]] QString ResultMessage(const BuildResult& result);
