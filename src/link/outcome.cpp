#include "outcome.h"

const char* OutcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Done: return "done";
    case Outcome::Declined: return "declined";
    case Outcome::BoardFailed: return "board failed";
    case Outcome::VerifyFailed: return "read-back differed";
    case Outcome::PortFailed: return "port failed";
    case Outcome::LineError: return "line error";
    case Outcome::Interrupted: return "interrupted";
    case Outcome::Refused: return "refused";
    }
    return "unknown";
}
