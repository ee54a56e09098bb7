#pragma once
// One run of lcdkonfig-cli: the console (messages, questions, progress, causes), the
// parameter set and fault memory the exchanges fill, and, once a command needs the
// board, the port stack with the port opened.
#include "cli_environment.h"
#include "cli_options.h"
#include "com_signal.h"
#include "console.h"
#include "console_host.h"
#include "diagnostics.h"
#include "fault_memory.h"
#include "parameter_set.h"
#include "port_stack.h"
#include "wire_tail.h"

#include <memory>
#include <optional>
#include <string>

namespace ExitCode {
inline constexpr int Done = 0;
inline constexpr int Differ = 1;
inline constexpr int Usage = 2;
inline constexpr int NoPort = 3;
inline constexpr int BoardFailed = 4;
inline constexpr int VerifyFailed = 5;
inline constexpr int FileRefused = 6;
inline constexpr int Interrupted = 130;
}  // namespace ExitCode

class CliSession {
public:
    CliSession(CliEnvironment& env, const CliOptions& options);
    ~CliSession();

    CliEnvironment& Env() { return env_; }
    const CliOptions& Options() const { return options_; }
    ConsoleDialogs& Dialogs() { return dialogs_; }
    ConsoleHost& Host() { return host_; }
    ConsoleTransferHost& Transfer() { return transfer_; }
    ConsoleFirmwareHost& Firmware() { return firmware_; }
    Diagnostics& Causes() { return causes_; }
    ParameterSet& Params() { return params_; }
    FaultMemory& Faults() { return faults_; }

    // The port stack, built on first use (with the virtual board, the trace).
    PortStack& Stack();
    // The port the exchanges use. Only after OpenPort.
    SerialPort& Port() { return *tail_; }

    // Opens the port -p names (LCDKONFIG_PORT by default), else the one the port search
    // finds. 0, or the exit code after the message was shown.
    int OpenPort();
    // "Vom Gerät zum PC" into Params and Faults; on success with `backup` the backup is
    // stored and where it went is said. 0 or the exit code of the failure.
    int Download(bool backup);

    // The exit code after a failed exchange: interrupted, a read-back that found a
    // difference, or a board that failed. With -v the last bytes on the wire are told.
    int FailureCode();
    // The interrupt was seen: closes the port and says so. 130.
    int InterruptedCode();
    bool Interrupted() { return host_.Interrupted(); }

    // Where backups go.
    std::string BackupFolder() const;
    // Without a terminal on standard input a question cannot be asked: refused unless
    // --yes. Names the command in the message. 0 or the usage code.
    int RefuseWithoutTerminal(const std::string& command);
    // The question before a change of the board: 0 when yes, else 130.
    int AskToGoOn(const std::string& question);

private:
    CliEnvironment& env_;
    CliOptions options_;
    ConsoleSettings settings_;
    ConsoleDialogs dialogs_;
    ConsoleProgress progress_;
    Diagnostics causes_;
    ConsoleHost host_;
    ParameterSet params_;
    FaultMemory faults_;
    ConsoleTransferHost transfer_;
    ConsoleFirmwareHost firmware_;
    std::unique_ptr<PortStack> stack_;
    std::unique_ptr<WireTail> tail_;
    TComSignal resetSignal_{TComSignal::Line::Dsr, nullptr};
    TComSignal modeSignal_{TComSignal::Line::Cts, nullptr};
    std::unique_ptr<ComPortEvents> events_;
};
