#pragma once

// Root may read and write anything, so a test about permissions proves nothing
// as root. Runs the current test again in a child as the user nobody and
// returns true when it passed there, neither failed nor skipped.
bool RerunAsNobody();

// Whether the rerun is possible: it needs setpriv.
bool CanRerunAsNobody();
