#include "line_counters.h"

void Count(LineCounters& counters, LineErrorKind kind)
{
    switch (kind) {
    case LineErrorKind::Frame: ++counters.frame; break;
    case LineErrorKind::Overrun: ++counters.overrun; break;
    case LineErrorKind::Parity: ++counters.parity; break;
    case LineErrorKind::Break: ++counters.brk; break;
    case LineErrorKind::BufferOverrun: ++counters.bufOverrun; break;
    }
}

std::string GrownErrors(const LineCounters& before, const LineCounters& now)
{
    std::string what;
    auto add = [&](bool grew, const char* name) {
        if (grew)
            what += (what.empty() ? "" : ", ") + std::string(name);
    };
    add(now.frame > before.frame, "Rahmenfehler");
    add(now.overrun > before.overrun, "Überlauf");
    add(now.parity > before.parity, "Paritätsfehler");
    add(now.brk > before.brk, "Break");
    add(now.bufOverrun > before.bufOverrun, "Pufferüberlauf");
    return what;
}
