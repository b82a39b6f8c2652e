#pragma once

#include <QString>

struct BuildRequest;

// The questions a build asks before it starts. The window asks with its
// boxes; the command line answers from its options or its terminal. True goes on.
class BuildDecisions
{
public:
    virtual ~BuildDecisions() = default;

    // The source will not fit a single-layer DVD; question says by how much.
    virtual bool ContinueOversized(const BuildRequest& request, const QString& question) = 0;

    // A title set lacks a file (path, as the folder check names it).
    virtual bool ContinueWithoutFile(const BuildRequest& request, const QString& path) = 0;
};
