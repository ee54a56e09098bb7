#pragma once
// One run of lcdkonfig-cli: the console (messages, questions, progress, causes), the
// parameter set and fault memory the exchanges fill, and, once a command needs the
// board, the board's port with the port opened.
#include "backups.h"
#include "board_port.h"
#include "cli_environment.h"
#include "cli_options.h"
#include "console.h"
#include "console_host.h"
#include "diagnostics_sink.h"
#include "exit_codes.h"
#include "fault_memory.h"
#include "parameter_set.h"

#include <memory>
#include <optional>
#include <string>

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
    ParameterSet& Params() { return params_; }
    FaultMemory& Faults() { return faults_; }

    // A cause line ("lcdkonfig-cli: <text>"), shown only with -v.
    void Cause(const std::string& text);

    // The board's port, built on first use (with the virtual board, the trace).
    BoardPort& Board();
    // The port the exchanges use. Only after OpenPort.
    SerialPort& Port() { return Board().Port(); }

    // Opens the port -p names (LCDKONFIG_PORT by default), else the one the port search
    // finds. 0, or the exit code after the message was shown.
    int OpenPort();
    // "Vom Gerät zum PC" into Params and Faults; on success with `backup` the backup is
    // stored and where it went is said. 0 or the exit code of the failure.
    int Download(bool backup);
    // The backup of what the last download read, and where it went. A backup that
    // cannot be written is said; with `required` (a command about to change the board)
    // it is exit code 6, else 0.
    int BackUp(bool required);

    // The exit code of an exchange's outcome (exit_codes.h); after a failure with -v
    // the last bytes on the wire are told, after a no the program says it stopped.
    int CodeOf(Outcome outcome);
    // The interrupt was seen: closes the port and says so. 130 for Ctrl-C, 143 for
    // SIGTERM, 129 for SIGHUP.
    int InterruptedCode();
    bool Interrupted() { return host_.Interrupted(); }

    // Where backups go, and where the window leaves its unsaved sets.
    std::string BackupFolder() const;
    std::string UnsavedFolder() const;
    // Without a terminal on standard input a question cannot be asked: refused unless
    // --yes. Names the command in the message. 0 or the usage code.
    int RefuseWithoutTerminal(const std::string& command);
    // The question before a change of the board: 0 when yes, else 130.
    int AskToGoOn(const std::string& question);

private:
    // The environment variables of the session, for the folder functions.
    EnvironmentLookup Variables() const;

    CliEnvironment& env_;
    CliOptions options_;
    ConsoleSettings settings_;
    ConsoleDialogs dialogs_;
    ConsoleProgress progress_;
    ScopedDiagnosticsSink causes_;
    ConsoleHost host_;
    ParameterSet params_;
    FaultMemory faults_;
    ConsoleTransferHost transfer_;
    ConsoleFirmwareHost firmware_;
    std::unique_ptr<BoardPort> board_;
};
