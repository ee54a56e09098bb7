#pragma once
// The exit codes of lcdkonfig-cli, and the one table that turns an exchange's outcome
// into one of them.
#include "outcome.h"

namespace ExitCode {
inline constexpr int Done = 0;
inline constexpr int Differ = 1;
inline constexpr int Usage = 2;
inline constexpr int NoPort = 3;
inline constexpr int BoardFailed = 4;
inline constexpr int VerifyFailed = 5;
inline constexpr int FileRefused = 6;
inline constexpr int CheckFailed = 7;
inline constexpr int Interrupted = 130;  // SIGINT; SIGTERM 143, SIGHUP 129
}  // namespace ExitCode

// Done 0; the board's, the port's and the line's failures 4; a read-back that differs
// 5; a set the check refused 7; interrupted, or a question answered no, 130.
int ExitCodeOf(Outcome outcome);
