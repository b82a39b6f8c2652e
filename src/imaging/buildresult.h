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
    OutcomeCode code = OutcomeCode::Success;
    QString detail;      // for codes 3, 4 and 5
    int systemError = 0; // for code 9
    QString refusal;     // a refusal's or failed check's text, instead of the code's
    QStringList parts;   // the image's files, in order, after a success
    QStringList notes;   // lines said after the message: what was kept, what is missing
};

[[nodiscard]] BuildResult RefusalResult(const QString& text);
[[nodiscard]] BuildResult CodeResult(BuildOutcome outcome, OutcomeCode code,
                                     const QString& detail = QString(), int systemError = 0);

// Whether the window shows no box for the result: an abort, a No, a run that
// could not be followed.
[[nodiscard]] bool ShowsNoBox(const BuildResult& result);

// The box for a result: the outcome's or the refusal's text, the notes below it.
[[nodiscard]] OutcomeText ResultBox(const BuildResult& result);

// The message in the words the window's box uses; for a result without a box,
// its detail and the notes.
[[nodiscard]] QString ResultMessage(const BuildResult& result);
