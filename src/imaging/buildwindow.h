#pragma once

#include "imaging/busystate.h"
#include "imaging/fieldtransfer.h"
#include "imaging/logbutton.h"
#include "imaging/progressview.h"

// Everything a build needs from the main window, which implements it; the
// engine itself never touches a widget.
class BuildWindow : public BusyState, public FieldTransfer, public ProgressView, public LogButton
{};
