#pragma once

#include "app/busystate.h"
#include "app/fieldtransfer.h"
#include "app/logbutton.h"
#include "app/progressview.h"

// Everything a build needs from the main window, which implements it;
// WindowBuild drives it, the engine never does.
class BuildWindow : public BusyState, public FieldTransfer, public ProgressView, public LogButton
{};
