#include "cli_options.h"
#include "language.h"

#include <cctype>
#include <map>
#include <set>

namespace {

struct CommandRule {
    Command Cmd;
    size_t MinOperands;
    size_t MaxOperands;
    std::set<std::string> Options;  // the command's own options, by their long name
};

const std::map<std::string, CommandRule>& Commands()
{
    static const std::map<std::string, CommandRule> commands = {
        {"ports", {Command::Ports, 0, 0, {}}},
        {"read", {Command::Read, 0, 0, {"--output", "--faults"}}},
        {"write", {Command::Write, 1, 1, {"--yes", "--no-backup", "--no-verify", "--force", "--dry-run"}}},
        {"diff", {Command::Diff, 2, 2, {}}},
        {"faults", {Command::Faults, 0, 0, {"--format", "--output"}}},
        {"report", {Command::Report, 0, 0, {"--input", "--output"}}},
        {"flash", {Command::Flash, 1, 1, {"--yes", "--no-backup"}}},
        {"check", {Command::Check, 1, 1, {"--board"}}},
        {"backups", {Command::Backups, 0, 0, {"--serial"}}},
        {"service", {Command::Service, 1, 2, {"--word", "--yes", "--no-backup"}}},
    };
    return commands;
}

// Short spellings of the options.
const std::map<std::string, std::string>& ShortNames()
{
    static const std::map<std::string, std::string> names = {
        {"-p", "--port"}, {"-q", "--quiet"}, {"-v", "--verbose"}, {"-o", "--output"},
        {"-i", "--input"}, {"-y", "--yes"},  {"-h", "--help"}};
    return names;
}

const std::set<std::string>& WithValue()
{
    static const std::set<std::string> names = {"--port",   "--trace",  "--output", "--input",
                                                "--faults", "--format", "--serial", "--word",
                                                "--lang"};
    return names;
}

const std::set<std::string>& Global()
{
    static const std::set<std::string> names = {"--port", "--quiet", "--verbose", "--trace",
                                                "--json", "--help",  "--version", "--lang"};
    return names;
}

const std::set<std::string>& Known()
{
    static const std::set<std::string> names = {
        "--port", "--quiet", "--verbose", "--trace", "--json", "--help", "--version", "--lang", "--output",
        "--input", "--faults", "--format", "--serial", "--word", "--yes", "--no-backup", "--no-verify",
        "--force", "--dry-run", "--board"};
    return names;
}

bool HasLcdEnding(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string ending = name.substr(name.size() - 4);
    for (char& c : ending)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return ending == ".lcd";
}

}  // namespace

namespace {
ParsedCommandLine ParseArguments(const std::vector<std::string>& args);
}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args)
{
    ParsedCommandLine result = ParseArguments(args);
    // A refusal met before the command was looked at still points at its help.
    if (!result.Options && result.CommandName.empty())
        for (const std::string& arg : args)
            if (Commands().count(arg)) {
                result.CommandName = arg;
                break;
            }
    return result;
}

namespace {

ParsedCommandLine ParseArguments(const std::vector<std::string>& args)
{
    ParsedCommandLine result;
    CliOptions options;
    std::string command;
    std::vector<std::string> given;  // the command's options as given, for the check below
    bool help = false;
    bool version = false;
    bool operandsOnly = false;

    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (operandsOnly || arg == "-" || arg.empty() || arg[0] != '-') {
            if (command.empty())
                command = arg;
            else
                options.Operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            operandsOnly = true;
            continue;
        }
        std::string value;
        bool hasValue = false;
        if (arg.rfind("--", 0) == 0) {
            const size_t equals = arg.find('=');
            if (equals != std::string::npos) {
                value = arg.substr(equals + 1);
                arg = arg.substr(0, equals);
                hasValue = true;
            }
        } else {
            auto it = ShortNames().find(arg);
            if (it == ShortNames().end()) {
                result.Error = "unknown option " + arg;
                return result;
            }
            arg = it->second;
        }
        if (!Known().count(arg)) {
            result.Error = "unknown option " + arg;
            return result;
        }
        if (WithValue().count(arg)) {
            if (!hasValue) {
                if (i + 1 >= args.size()) {
                    result.Error = "option " + arg + " needs a value";
                    return result;
                }
                value = args[++i];
            }
        } else if (hasValue) {
            result.Error = "option " + arg + " takes no value";
            return result;
        }
        if (!Global().count(arg))
            given.push_back(arg);

        if (arg == "--port") options.Port = value;
        else if (arg == "--quiet") options.Quiet = true;
        else if (arg == "--verbose") options.Verbose = true;
        else if (arg == "--trace") options.Trace = value;
        else if (arg == "--json") options.Json = true;
        else if (arg == "--lang") {
            Language language;
            if (!ParseLanguage(value, language)) {
                result.Error = "option --lang takes de or en";
                return result;
            }
            options.Language = value;
        }
        else if (arg == "--help") help = true;
        else if (arg == "--version") version = true;
        else if (arg == "--output") options.Output = value;
        else if (arg == "--input") options.Input = value;
        else if (arg == "--faults") options.FaultsFile = value;
        else if (arg == "--format") options.Format = value;
        else if (arg == "--serial") options.Serial = value;
        else if (arg == "--word") options.Word = value;
        else if (arg == "--yes") options.Yes = true;
        else if (arg == "--no-backup") options.NoBackup = true;
        else if (arg == "--no-verify") options.NoVerify = true;
        else if (arg == "--force") options.Force = true;
        else if (arg == "--dry-run") options.DryRun = true;
        else if (arg == "--board") options.Board = true;
    }

    if (help) {
        if (!command.empty() && !Commands().count(command)) {
            result.Error = "unknown command " + command;
            return result;
        }
        options.Cmd = Command::Help;
        options.HelpFor = command;
        result.Options = options;
        return result;
    }
    if (version) {
        options.Cmd = Command::Version;
        result.Options = options;
        return result;
    }
    if (command.empty()) {
        result.Error = "no command given";
        return result;
    }
    auto rule = Commands().find(command);
    if (rule == Commands().end()) {
        result.Error = "unknown command " + command;
        return result;
    }
    result.CommandName = command;
    if (options.Quiet && options.Verbose) {
        result.Error = "-q and -v exclude each other";
        return result;
    }
    for (const std::string& option : given) {
        if (!rule->second.Options.count(option)) {
            result.Error = "option " + option + " does not belong to " + command;
            return result;
        }
    }
    const size_t count = options.Operands.size();
    if (count < rule->second.MinOperands || count > rule->second.MaxOperands) {
        result.Error = command + ": wrong number of operands";
        return result;
    }
    // The companion takes the name of the .lcd file with its last three characters
    // replaced: any other name would put it beside the file under a name of its own.
    if (rule->second.Cmd == Command::Read && !options.Output.empty() && options.Output != "-"
        && !HasLcdEnding(options.Output)) {
        result.Error = "read: -o takes a FILE.lcd or -";
        return result;
    }
    options.Cmd = rule->second.Cmd;
    result.Options = options;
    return result;
}

}  // namespace

std::string UsageErrorLine(const ParsedCommandLine& parsed)
{
    const std::string help = parsed.CommandName.empty() ? "lcdkonfig-cli --help"
                                                        : "lcdkonfig-cli " + parsed.CommandName + " --help";
    return "lcdkonfig-cli: " + parsed.Error + " (see " + help + ")\n";
}

namespace {

// A command's own help: its synopsis, what it does, its options.
struct CommandHelp {
    const char* Name;
    const char* Text;
};

constexpr CommandHelp kCommandHelp[] = {
    {"ports", R"(Usage: lcdkonfig-cli ports

Lists the PC's serial ports and marks the one of the board's converter
(FTDI 0403:6001). With --json a list of {"port", "board", "converter"}.
)"},
    {"read", R"(Usage: lcdkonfig-cli read [-o FILE.lcd|-] [--faults FILE]

Reads the board: its values, identity and fault memory, and backs them up.
Without -o the values are listed with their units, and the fault memory after
them (--json: as JSON).

  -o, --output FILE.lcd  write the set as the window's "Speichern unter..."
                         does, with its .txt companion; "-": the .lcd file's
                         bytes on standard output
  --faults FILE          also write the fault memory as the window's export
)"},
    {"write", R"(Usage: lcdkonfig-cli write FILE.lcd|last|last:NNNN [--yes] [--no-backup]
                         [--no-verify] [--force] [--dry-run]

Writes a parameter set into the board. The board is read and backed up first,
the values that change and the safety check's findings are listed; a set with
findings is refused (exit 7) unless --force. The write is asked about, and
after it the board is read back and compared. "last" is the newest backup of
the board connected ("last:NNNN": of serial number NNNN).

  -y, --yes      do not ask; needed without a terminal
  --no-backup    do not back up the board first (it is still read)
  --no-verify    do not read the board back and compare
  --force        write a set with findings, or a file without all values
                 (the others are the board's), after listing them
  --dry-run      read the board, list changes and findings, send nothing
)"},
    {"diff", R"(Usage: lcdkonfig-cli diff A B

Compares two parameter sets: .lcd files, "last", "last:NNNN", or the word
"board" (read from the board). Exit code 1 when they differ.
)"},
    {"faults", R"(Usage: lcdkonfig-cli faults [--format text|csv|json] [-o FILE]

Reads the board and shows its fault memory with the fault texts.

  --format text|csv|json  text is the window's export (the default; with
                          --json: json)
  -o, --output FILE       write it to FILE ("-": standard output)
)"},
    {"report", R"(Usage: lcdkonfig-cli report [-i FILE.lcd|board] -o FILE.pdf

Prints the two-page report of a parameter set into a PDF file; no display is
needed.

  -i, --input FILE.lcd|board  the set: a file, "last", or the board (default)
  -o, --output FILE.pdf       the PDF file
)"},
    {"flash", R"(Usage: lcdkonfig-cli flash FILE.mot [--yes] [--no-backup]

Writes new firmware from a Motorola S-record file into the board's flash; every
page is read back. The file is read completely first; the board is read and
backed up before it is put into its boot mode. An update that fails after the
erase leaves the board's firmware incomplete: its boot ROM stays, and a new
flash recovers it.

  -y, --yes      do not ask; needed without a terminal
  --no-backup    do not read and back up the board first (a board without
                 firmware cannot be read)
)"},
    {"check", R"(Usage: lcdkonfig-cli check FILE.lcd|FILE.mot [--board]

Reads a file without the board: what it holds, or why it is refused (exit
code 6), and of a parameter set the safety check's findings (exit code 7).
With --json the answer is JSON either way.

  --board  also compare the set with the board's: protections switched off,
           limits changed by more than a factor of two, another serial number
           or device type
)"},
    {"backups", R"(Usage: lcdkonfig-cli backups [--serial NNNN]

Lists the backup history and the sets the window left unsaved at its end
("unsaved"), newest first: serial number, time, firmware, file.

  --serial NNNN  only the backups of this serial number
)"},
    {"service", R"(Usage: lcdkonfig-cli service --word WORD clear-hours|clear-faults|
                         clear-identity|serial NNNN|type N [--yes] [--no-backup]

The service commands of the window's service mode: clear the operating hours,
the fault memory or the identity, set the serial number or the device type.

  --word WORD    the window's service word
  -y, --yes      do not ask; needed without a terminal
  --no-backup    do not read and back up the board first (not with serial)
)"},
};

constexpr const char* kGeneralHelp = R"(Usage: lcdkonfig-cli [-p PORT] [-q|-v] [--trace FILE] [--json] [--lang de|en]
                     COMMAND ...

The command-line companion of lcdkonfig: reads, writes, compares and backs up
the parameter set of the amplifier's display board, shows its fault memory,
prints its report and updates its firmware, over the board's USB serial
converter.

Commands (lcdkonfig-cli COMMAND --help tells more):
  ports                          list the serial ports, the board's marked
  read [-o FILE.lcd|-] [--faults FILE]
                                 read the board (values, identity, fault memory)
  write FILE.lcd|last|last:NNNN [--yes] [--no-backup] [--no-verify]
        [--force] [--dry-run]    write a parameter set into the board (last:
                                 the newest backup of the board connected);
                                 the safety check first
  diff A B                       compare; A and B are .lcd files or "board"
  faults [--format text|csv|json] [-o FILE]
                                 the board's fault memory with its fault texts
  report [-i FILE.lcd|board] -o FILE.pdf
                                 the two-page report as PDF (no display needed)
  flash FILE.mot [--yes] [--no-backup]
                                 firmware update, every page read back
  check FILE.lcd|FILE.mot [--board]
                                 read a file offline: what it holds, or why it
                                 is refused, and the safety check's findings
                                 (--board: also against the board's set)
  backups [--serial NNNN]        list the backup history and the window's
                                 unsaved sets ("unsaved"), newest first
  service --word WORD clear-hours|clear-faults|clear-identity|serial NNNN|type N
                                 the service commands (WORD: the service word)

Options:
  -p, --port PORT    ttyUSB0, /dev/ttyUSB0, a /dev/serial/by-id/... link, or
                     virtuell (with LCDKONFIG_VIRTUAL_BOARD=1); default
                     LCDKONFIG_PORT, else the port search finds the converter
  -q, --quiet        only errors on standard error
  -v, --verbose      also the causes: errno, the bytes last sent and received,
                     why a file was refused
  --trace FILE       append every byte on the wire to FILE (as LCDKONFIG_TRACE)
  --json             data as JSON on standard output
  --lang de|en       the language of messages and data (default LCDKONFIG_LANG,
                     else German unless the locale puts English first)
  -o, --output FILE  where the data goes ("-": standard output)
  -y, --yes          do not ask; without a terminal, write, flash and service
                     refuse to run unless given
  --no-backup        write, flash, service: do not back up the board first
                     (write still reads it, for the changes and the check)
  --no-verify        write: do not read the board back and compare
  --force            write: write a set with findings, or a file without all
                     values (the others are the board's), after listing them
  --dry-run          write: read the board, list the changes and the findings,
                     send nothing
  --board            check: also compare the set with the board's current set
  -h, --help         this text; after a command, that command's help
  --version          the program's version

Data goes to standard output, messages and progress to standard error.
Messages are the window's texts, German or English, on one line. Every
successful read of the board is backed up under
$XDG_STATE_HOME/lcdkonfig/backups/<serial number>/ (~/.local/state/...); a
set the window had changed and not saved when it ended is in
$XDG_STATE_HOME/lcdkonfig/unsaved/.

Exit codes:
  0    done
  1    the two sets differ (diff)
  2    usage: a wrong command line, or a question without a terminal and no
       --yes
  3    no port, port busy or no permission
  4    the board did not answer or the exchange failed
  5    the read-back after write or flash found a difference
  6    a file was refused or could not be written (standard output too), or
       no backup to restore, or a backup not written before a change
  7    the set failed the safety check
  130  interrupted (Ctrl-C, or a question answered no)
  143  ended by SIGTERM; 129 by SIGHUP (a closed terminal or SSH session)
)";

}  // namespace

std::string UsageText(const std::string& command)
{
    for (const CommandHelp& help : kCommandHelp)
        if (command == help.Name)
            return help.Text;
    return kGeneralHelp;
}
