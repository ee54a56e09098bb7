#pragma once
// Causes behind the messages the user sees: the errno text of a failed port call, the
// byte the board should have sent and the one it sent, a settings file that could not
// be written. The message box says what failed; a cause line says why, for support.
// Each program says once where the lines go: the window writes them to standard error
// as "lcdkonfig: <line>" (the default), the command line shows them with -v.
#include <functional>
#include <string>

using DiagnosticsSink = std::function<void(const std::string& line)>;

// Sets where causes go and returns the sink before; an empty sink is the default.
DiagnosticsSink SetDiagnosticsSink(DiagnosticsSink sink);
// One cause, without its line end. Safe from any thread.
void Diagnose(const std::string& line);

// Sets a sink for as long as it lives (a command-line run, a test).
class ScopedDiagnosticsSink {
public:
    explicit ScopedDiagnosticsSink(DiagnosticsSink sink) : previous_(SetDiagnosticsSink(std::move(sink))) {}
    ~ScopedDiagnosticsSink() { SetDiagnosticsSink(std::move(previous_)); }
    ScopedDiagnosticsSink(const ScopedDiagnosticsSink&) = delete;
    ScopedDiagnosticsSink& operator=(const ScopedDiagnosticsSink&) = delete;

private:
    DiagnosticsSink previous_;
};
