#pragma once

// Root may read and write anything, so a test about permissions proves nothing
// as root. Runs the current test again in a child as the user nobody and
// returns true when it passed there, neither failed nor skipped.
bool RerunAsNobody();

// Whether the rerun is possible: it needs setpriv.
bool CanRerunAsNobody();

// The preamble of a test about permissions: as root, runs it again as nobody
// (or skips it when that is not possible) and returns true, so the caller
// returns at once; as anyone else returns false and the test goes on.
[[nodiscard]] bool RanAsNobodyInstead();
