#pragma once
// The driver's line-error counters (what TIOCGICOUNT reports) and the names of the
// errors shown in traces and on standard error. Shared by the real port and the
// virtual board, which keeps counters of its own the same way.
#include <string>

struct LineCounters {
    int frame = 0;
    int overrun = 0;
    int parity = 0;
    int brk = 0;
    int bufOverrun = 0;
    bool operator==(const LineCounters&) const = default;
};

enum class LineErrorKind { Frame, Overrun, Parity, Break, BufferOverrun };

// One more error of that kind.
void Count(LineCounters& counters, LineErrorKind kind);

// Names the counters that grew from `before` to `now` ("Rahmenfehler, Break"); empty
// when none did.
std::string GrownErrors(const LineCounters& before, const LineCounters& now);
