#pragma once

#include "imaging/busystate.h"
#include "imaging/fieldtransfer.h"
#include "imaging/logbutton.h"
#include "imaging/progressview.h"

// Everything a build needs from the main window, which implements it;
// WindowBuild drives it, the engine never does.
class BuildWindow : public BusyState, public FieldTransfer, public ProgressView, public LogButton
{};
