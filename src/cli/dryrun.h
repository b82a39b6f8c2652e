#pragma once

struct BuildRequest;
class QString;

// What build would do for one request, without doing it: the folder check's
// changes, then the builder's command line as it would run, its private
// folder's random part shown as XXXXXX. Nothing is changed or written.
// Returns the exit status of that source alone.
int PrintDryRun(const BuildRequest& request, const QString& programFolder);
