// Compiled as part of the controls folder: the dialogs sit above it, so this
// include must not be found.
#include "controls/linklabel.h"
#include "dialogs/logdialog.h"

void Probe(LogDialog& log)
{
    log.show();
}
