#pragma once

// The exit status of isomint-cli, documented in the README: scripts tell a
// refused request from a failed build or a failed check by it.
namespace ExitCode {
inline constexpr int Success = 0;
inline constexpr int OutputFailed = 1; // standard output could not be written
inline constexpr int Usage = 2;        // the command line itself is wrong
inline constexpr int Refused = 3;      // the request was refused or a question answered No
inline constexpr int BuildFailed = 4;  // mkisofs failed or could not be started
inline constexpr int CheckFailed = 5;  // the image was built but is not complete
inline constexpr int RecordFailed = 6; // the recording failed
inline constexpr int SignalBase = 128; // 128 + the signal that stopped the run
} // namespace ExitCode
