#pragma once
// The command line of lcdkonfig-cli: global options, one command, its operands and
// options. Parsing only; the commands check what their operands mean.
#include <optional>
#include <string>
#include <vector>

enum class Command { Help, Version, Ports, Read, Write, Diff, Faults, Report, Flash, Check, Backups, Service };

struct CliOptions {
    Command Cmd = Command::Help;
    // Global.
    std::string Port;   // -p: "ttyUSB0", "/dev/ttyUSB0", a /dev/serial/by-id link, "virtuell"
    bool Quiet = false;
    bool Verbose = false;
    std::string Trace;  // --trace FILE
    bool Json = false;
    std::string Language;  // --lang de|en; empty: LCDKONFIG_LANG, else the locale
    // The command's.
    std::vector<std::string> Operands;
    std::string HelpFor;     // COMMAND --help: the command whose help is shown
    std::string Output;      // -o
    std::string Input;       // -i
    std::string FaultsFile;  // read --faults
    std::string Format;      // faults --format
    std::string Serial;      // backups --serial
    std::string Word;        // service --word
    bool Yes = false;
    bool NoBackup = false;
    bool NoVerify = false;
    bool Force = false;   // write: also a set the safety check finds faults in
    bool DryRun = false;  // write: read the board, list, send nothing
    bool Board = false;   // check: also against the board's current set
};

struct ParsedCommandLine {
    std::optional<CliOptions> Options;
    std::string Error;  // why the command line is refused (usage, exit code 2)
    std::string CommandName;  // the command given, when it is one, for the hint to its help
};

// `args` without the program name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The usage text (--help); with a command's name, that command's own help. Every line
// fits 80 columns.
std::string UsageText(const std::string& command = {});
// The one line after a refused command line: the error and where the help is.
std::string UsageErrorLine(const ParsedCommandLine& parsed);
