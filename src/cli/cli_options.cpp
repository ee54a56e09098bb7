#include "cli_options.h"
#include "language.h"

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
        {"write", {Command::Write, 1, 1, {"--yes", "--no-backup", "--no-verify"}}},
        {"diff", {Command::Diff, 2, 2, {}}},
        {"faults", {Command::Faults, 0, 0, {"--format", "--output"}}},
        {"report", {Command::Report, 0, 0, {"--input", "--output"}}},
        {"flash", {Command::Flash, 1, 1, {"--yes", "--no-backup"}}},
        {"check", {Command::Check, 1, 1, {}}},
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
        "--input", "--faults", "--format", "--serial", "--word", "--yes", "--no-backup", "--no-verify"};
    return names;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args)
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
    }

    if (help) {
        options.Cmd = Command::Help;
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
    options.Cmd = rule->second.Cmd;
    result.Options = options;
    return result;
}

std::string UsageText()
{
    return R"(Usage: lcdkonfig-cli [-p PORT] [-q|-v] [--trace FILE] [--json] [--lang de|en] COMMAND ...

The command-line companion of lcdkonfig: reads, writes, compares and backs up the
parameter set of the amplifier's display board, shows its fault memory, prints its
report and updates its firmware, over the board's USB serial converter.

Commands:
  ports                          list the serial ports; mark the board's converter
  read [-o FILE.lcd|-] [--faults FILE]
                                 read the board (values, identity, fault memory)
  write FILE.lcd|last|last:NNNN [--yes] [--no-backup] [--no-verify]
                                 write a parameter set into the board
  diff A B                       compare; A and B are .lcd files or the word "board"
  faults [--format text|csv|json] [-o FILE]
                                 the board's fault memory with its fault texts
  report [-i FILE.lcd|board] -o FILE.pdf
                                 the two-page report as PDF (no display needed)
  flash FILE.mot [--yes] [--no-backup]
                                 firmware update, every page read back
  check FILE.lcd|FILE.mot        read a file offline: what it holds, or why it is refused
  backups [--serial NNNN]        list the backup history, newest first
  service --word WORD clear-hours|clear-faults|clear-identity|serial NNNN|type N
                                 the service commands (WORD: the window's service word)

Options:
  -p, --port PORT    ttyUSB0, /dev/ttyUSB0, a /dev/serial/by-id/... link, or virtuell
                     (with LCDKONFIG_VIRTUAL_BOARD=1); default LCDKONFIG_PORT, else the
                     port search finds the board's converter
  -q, --quiet        only errors on standard error
  -v, --verbose      also the causes: errno, the bytes last sent and received
  --trace FILE       append every byte on the wire to FILE (as LCDKONFIG_TRACE)
  --json             data as JSON on standard output
  --lang de|en       the language of messages and data (default LCDKONFIG_LANG, else
                     German unless the locale puts English first)
  -o, --output FILE  where the data goes ("-": standard output)
  -y, --yes          do not ask; without a terminal, write, flash and service
                     refuse to run unless given
  --no-backup        write, flash, service: do not read and back up the board first
  --no-verify        write: do not read the board back and compare
  -h, --help         this text
  --version          the program's version

Data goes to standard output, messages and progress to standard error. Messages are
the window's texts, German or English, on one line. Every successful read of the board is backed
up under $XDG_STATE_HOME/lcdkonfig/backups/<serial number>/ (~/.local/state/...).

Exit codes:
  0    done
  1    the two sets differ (diff)
  2    usage: a wrong command line, or a question without a terminal and no --yes
  3    no port, port busy or no permission
  4    the board did not answer or the exchange failed
  5    the read-back after write or flash found a difference
  6    a file was refused (or no backup to restore)
  130  interrupted (Ctrl-C, or a question answered no)
)";
}
