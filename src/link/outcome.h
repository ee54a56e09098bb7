#pragma once
// What became of an exchange with the board. The exchange has shown its own message
// by the time it returns one; the window only needs Done (to back up a download), the
// command line turns every outcome into its exit code.
#include "serial_port.h"

#include <cerrno>

enum class Outcome {
    Done,          // the exchange ended as it should
    Declined,      // the user answered a question no, or chose no file
    BoardFailed,   // the board did not answer, answered wrong or reported a fault
    VerifyFailed,  // what was read back differs from what was written
    PortFailed,    // a port call failed, or a byte did not leave the PC
    LineError,     // the driver flagged a line error during the exchange
    Interrupted,   // the user interrupted it (Ctrl-C, a signal)
    Refused,       // stopped before anything was sent: nothing to send, or a check said no
};

// "done", "declined", ...: for causes and tests.
const char* OutcomeName(Outcome outcome);

// Thrown from a host's Sleep or ProcessMessages when the user interrupts a running
// exchange: a port error, so that the exchange ends through its own failure path (the
// firmware update releases the Mode line there), and RunExchange reports Interrupted.
class EInterrupted : public EComError {
public:
    EInterrupted() : EComError(EINTR, "interrupted") {}
};
