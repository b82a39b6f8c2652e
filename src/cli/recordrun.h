#pragma once

#include <QStringList>

struct CliContext;
class ProgressPrinter;

struct CliOptions;

// What is wrong with the recording options (a missing --device, a speed that
// is no number), or empty.
[[nodiscard]] QString RecordingMisuse(const CliOptions& options);

// Records an image (its file, or its chunks in order) with xorriso as the
// command line asks, printing the progress and the outcome, and returns the
// exit status. SIGINT, SIGTERM and SIGHUP end the recording's process group.
[[nodiscard]] int RecordImageFiles(CliContext& context, ProgressPrinter& printer,
                                   const QStringList& files);
