#include "exit_codes.h"

int ExitCodeOf(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Done: return ExitCode::Done;
    case Outcome::BoardFailed:
    case Outcome::PortFailed:
    case Outcome::LineError: return ExitCode::BoardFailed;
    case Outcome::VerifyFailed: return ExitCode::VerifyFailed;
    case Outcome::Refused: return ExitCode::CheckFailed;
    case Outcome::Declined:
    case Outcome::Interrupted: return ExitCode::Interrupted;
    }
    return ExitCode::BoardFailed;
}
