#include "diagnostics_sink.h"

#include <iostream>
#include <mutex>

namespace {

std::recursive_mutex& SinkMutex()
{
    static std::recursive_mutex mutex;
    return mutex;
}

DiagnosticsSink& CurrentSink()
{
    static DiagnosticsSink sink;
    return sink;
}

}  // namespace

DiagnosticsSink SetDiagnosticsSink(DiagnosticsSink sink)
{
    std::lock_guard lock(SinkMutex());
    DiagnosticsSink previous = std::move(CurrentSink());
    CurrentSink() = std::move(sink);
    return previous;
}

void Diagnose(const std::string& line)
{
    std::lock_guard lock(SinkMutex());
    if (CurrentSink())
        CurrentSink()(line);
    else
        std::cerr << "lcdkonfig: " << line << "\n";
}
