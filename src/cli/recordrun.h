#pragma once

#include <QStringList>

struct BuiltImage;
struct CliContext;
struct CliOptions;
class ProgressPrinter;
class RecordingSession;
class ResultObject;

// What is wrong with the recording options (a missing --device, a speed that
// is no number), or empty.
[[nodiscard]] QString RecordingMisuse(const CliOptions& options);

// Records the image the session took (files: its file, or its chunks in
// order) with xorriso as the command line asks, printing the progress and
// saying the outcome into result, and returns the exit status. SIGINT, SIGTERM
// and SIGHUP end the recording's process group.
[[nodiscard]] int RecordImageFiles(CliContext& context, ProgressPrinter& printer,
                                   RecordingSession& session, const QStringList& files,
                                   ResultObject& result);

// What follows a complete build, the window's way: a split image's list, then
// the recording when --record asks for it. Sets the result's "list", says the
// rest into it and returns the exit status.
[[nodiscard]] int HandOverBuiltImage(CliContext& context, ProgressPrinter& printer,
                                     const BuiltImage& image, ResultObject& result);
