// Compiled as part of the recording folder, the top of the engine: message
// boxes belong to the window, so the engine must not find their interface.
#include "burn/recordingsession.h"
#include "controls/messagebox.h"

BoxAnswer Probe(MessageBoxPresenter& presenter)
{
    return ShowApplicationBox(presenter, QString());
}
