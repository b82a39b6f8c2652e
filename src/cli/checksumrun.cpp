#include "cli/checksumrun.h"

#include "burn/imagechecksum.h"
#include "cli/clioptions.h"
#include "cli/resultobject.h"
#include "imaging/requestpaths.h"

QString ChecksumFileOf(const QString& outputFile)
{
    return outputFile + QStringLiteral(".sha256");
}

bool WriteRequestedChecksums(const CliOptions& options, const QString& outputFile,
                             const QStringList& files, ResultObject& outcome)
{
    if (options.checksum.isEmpty())
        return true;
    // Named in full, as the image is in what the build said.
    const QString problem = WriteImageChecksums(files, ChecksumFileOf(AbsolutePath(outputFile)));
    outcome.Say(problem);
    return problem.isEmpty();
}
