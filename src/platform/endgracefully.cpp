#include "platform/endgracefully.h"

#include <algorithm>
#include <csignal>

void EndGracefully(const EndSignal& signal, std::chrono::milliseconds grace, const GraceWait& wait)
{
    signal(SIGTERM);
    wait(std::max(grace, std::chrono::milliseconds(0)), [signal] { signal(SIGKILL); });
}
