#include "line_counters.h"
#include "translation.h"

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
            what += (what.empty() ? "" : ", ") + Tr("Link", name);
    };
    add(now.frame > before.frame, QT_TRANSLATE_NOOP("Link", "Rahmenfehler"));
    add(now.overrun > before.overrun, QT_TRANSLATE_NOOP("Link", "Überlauf"));
    add(now.parity > before.parity, QT_TRANSLATE_NOOP("Link", "Paritätsfehler"));
    add(now.brk > before.brk, QT_TRANSLATE_NOOP("Link", "Break"));
    add(now.bufOverrun > before.bufOverrun, QT_TRANSLATE_NOOP("Link", "Pufferüberlauf"));
    return what;
}
