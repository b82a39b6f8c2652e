// Compiled as part of the recording folder: the window's side of a build lives
// with the window, so the engine must not find it.
#include "app/windowbuild.h"
#include "burn/recordingsession.h"

void Probe(WindowBuild& build)
{
    build.StartBuild();
}
