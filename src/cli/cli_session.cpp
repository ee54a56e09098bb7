#include "cli_session.h"
#include "translation.h"

#include "backups.h"
#include "port_search.h"
#include "unsaved_sets.h"

#include <ctime>

namespace {

ConsoleSettings SettingsOf(const CliEnvironment& env, const CliOptions& options)
{
    ConsoleSettings s;
    s.In = &env.In;
    s.Err = &env.Err;
    s.InIsTerminal = env.InIsTerminal;
    s.ErrIsTerminal = env.ErrIsTerminal;
    s.Quiet = options.Quiet;
    s.Verbose = options.Verbose;
    s.AssumeYes = options.Yes;
    s.DiscardTypeAhead = env.DiscardTypeAhead;
    return s;
}

// "ttyUSB0" is /dev/ttyUSB0; a path, a by-id link and "virtuell" stay as they are.
std::string PortPath(const std::string& name)
{
    if (name.find('/') != std::string::npos || name == kVirtualPortName)
        return name;
    return "/dev/" + name;
}

}  // namespace

CliSession::CliSession(CliEnvironment& env, const CliOptions& options)
    : env_(env),
      options_(options),
      settings_(SettingsOf(env, options)),
      dialogs_(settings_),
      progress_(settings_),
      causes_([this](const std::string& line) { Cause(line); }),
      host_(dialogs_, progress_, env.Sleep, env.Interrupted),
      transfer_(host_, params_),
      firmware_(host_, dialogs_)
{
    dialogs_.BeforeMessage = [this] { progress_.EndLine(); };
    params_.ValueCount = kValueCount;
    params_.ProgramVersion = ProgramVersionFromBuild();
}

CliSession::~CliSession()
{
    progress_.EndLine();
    board_.reset();
}

void CliSession::Cause(const std::string& text)
{
    if (!options_.Verbose)
        return;
    progress_.EndLine();
    env_.Err << kCliName << ": " << text << "\n";
}

BoardPort& CliSession::Board()
{
    if (board_)
        return *board_;
    BoardPortSetup setup;
    setup.Stack = PortStackFromEnvironment([this](const char* name) -> std::optional<std::string> {
        if (const std::string* value = env_.Variable(name))
            return *value;
        return std::nullopt;
    });
    if (env_.MakeDiscovery)
        setup.Stack.Discovery = env_.MakeDiscovery();
    setup.Stack.Virtual = env_.Virtual;
    if (!options_.Trace.empty())
        setup.Stack.TracePath = options_.Trace;
    const std::string tracePath = setup.Stack.TracePath;
    // A line error shows the window's message and closes the port; the exchange then
    // fails at its next port call.
    board_ = std::make_unique<BoardPort>(std::move(setup), dialogs_, params_);
    // The cause went to the diagnostics; that there is no trace is said in any case.
    if (!tracePath.empty() && !board_->Stack().Traced())
        dialogs_.Problem("trace file " + tracePath + " cannot be opened; going on without a trace");
    return *board_;
}

int CliSession::OpenPort()
{
    BoardPort& board = Board();
    ConsolePortSearchHost searchHost(dialogs_);
    PortSearch search = MakePortSearch(board.Port(), board.Discovery(), searchHost, params_);
    std::string name = options_.Port;
    if (name.empty())
        if (const std::string* fromEnvironment = env_.Variable("LCDKONFIG_PORT"))
            name = *fromEnvironment;
    if (!name.empty()) {
        params_.SelectedPort = PortPath(name);
        if (params_.SelectedPort == kVirtualPortName && !board.Virtual()) {
            dialogs_.Problem(std::string("the port ") + kVirtualPortName + " is there only with "
                             + kVirtualBoardVariable + "=1");
            return ExitCode::NoPort;
        }
        if (!TestOpenPort(search, params_.SelectedPort))
            return ExitCode::NoPort;
    } else {
        SearchBoardPort(search);
        if (!board.Port().Active())
            return ExitCode::NoPort;
    }
    Cause("port " + params_.SelectedPort + " open");
    return Interrupted() ? InterruptedCode() : ExitCode::Done;
}

int CliSession::Download(bool backup)
{
    if (Interrupted())
        return InterruptedCode();
    const Outcome outcome = Board().Download(transfer_, faults_);
    if (outcome != Outcome::Done)
        return CodeOf(outcome);
    if (Interrupted())
        return InterruptedCode();
    return backup ? BackUp(false) : ExitCode::Done;
}

int CliSession::BackUp(bool required)
{
    const std::time_t now = env_.Now ? env_.Now() : std::time(nullptr);
    progress_.EndLine();
    const BackupResult stored = Board().BackUp(faults_, BackupFolder(), now);
    if (stored.Ok) {
        dialogs_.Note("backup: " + stored.LcdPath);
        return ExitCode::Done;
    }
    dialogs_.Problem("backup not written: " + stored.Error);
    if (!required)
        return ExitCode::Done;
    dialogs_.Problem("stopped before the board was changed; --no-backup goes on without a backup");
    return ExitCode::FileRefused;
}

int CliSession::CodeOf(Outcome outcome)
{
    progress_.EndLine();
    if (outcome == Outcome::Done)
        return ExitCode::Done;
    if (outcome == Outcome::Interrupted || Interrupted())
        return InterruptedCode();
    if (board_)
        Cause("last bytes sent: " + board_->Tail().Sent() + "; received: " + board_->Tail().Received());
    if (outcome == Outcome::Declined)
        dialogs_.Problem("stopped: the question was answered no");
    return ExitCodeOf(outcome);
}

int CliSession::InterruptedCode()
{
    progress_.EndLine();
    if (board_)
        board_->CloseQuietly();
    dialogs_.Problem("interrupted");
    const int signal = env_.InterruptSignal ? env_.InterruptSignal() : 0;
    return signal > 0 ? 128 + signal : ExitCode::Interrupted;
}
EnvironmentLookup CliSession::Variables() const
{
    return [this](const char* name) -> std::optional<std::string> {
        if (const std::string* value = env_.Variable(name))
            return *value;
        return std::nullopt;
    };
}

std::string CliSession::BackupFolder() const { return BackupRoot(Variables()); }

std::string CliSession::UnsavedFolder() const { return UnsavedRoot(Variables()); }

int CliSession::RefuseWithoutTerminal(const std::string& command)
{
    if (options_.Yes || env_.InIsTerminal)
        return ExitCode::Done;
    dialogs_.Problem(command + ": standard input is no terminal to ask on; give --yes to go ahead without asking");
    return ExitCode::Usage;
}

int CliSession::AskToGoOn(const std::string& question)
{
    if (dialogs_.ConfirmOk(question))
        return ExitCode::Done;
    dialogs_.Problem("stopped: the question was answered no");
    return ExitCode::Interrupted;
}
