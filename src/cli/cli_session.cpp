#include "cli_session.h"
#include "translation.h"

#include "backups.h"
#include "download.h"
#include "download_backup.h"
#include "flash_protocol.h"
#include "port_search.h"

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
      causes_(env.Err, options.Verbose, [this] { progress_.EndLine(); }),
      host_(dialogs_, progress_, env.Sleep, env.Interrupted),
      transfer_(host_, params_),
      firmware_(host_)
{
    dialogs_.BeforeMessage = [this] { progress_.EndLine(); };
    params_.ValueCount = kValueCount;
    params_.ProgramVersion = ProgramVersionFromBuild();
}

CliSession::~CliSession()
{
    progress_.EndLine();
    if (tail_) {
        try {
            tail_->SetActive(false);
        } catch (const EComError&) {
        }
        tail_->SetEvents(nullptr);
    }
}

PortStack& CliSession::Stack()
{
    if (stack_)
        return *stack_;
    PortStackSetup setup;
    if (env_.MakeDiscovery)
        setup.Discovery = env_.MakeDiscovery();
    setup.Virtual = env_.Virtual;
    const std::string* virtualBoard = env_.Variable(kVirtualBoardVariable);
    setup.VirtualRequested = virtualBoard && *virtualBoard == "1";
    if (!options_.Trace.empty())
        setup.TracePath = options_.Trace;
    else if (const std::string* trace = env_.Variable(kTraceVariable))
        setup.TracePath = *trace;
    setup.ProgramName = kCliName;
    const std::string tracePath = setup.TracePath;
    stack_ = std::make_unique<PortStack>(std::move(setup));
    // The cause went to the diagnostics; that there is no trace is said in any case.
    if (!tracePath.empty() && !stack_->Traced())
        dialogs_.Problem("trace file " + tracePath + " cannot be opened; going on without a trace");
    tail_ = std::make_unique<WireTail>(stack_->Port());
    // A line error shows the window's message and closes the port; the exchange then
    // fails at its next port call.
    events_ = std::make_unique<ComPortEvents>(*tail_, dialogs_, params_, resetSignal_, modeSignal_);
    tail_->SetEvents(events_.get());
    return *stack_;
}

int CliSession::OpenPort()
{
    Stack();
    ConsolePortSearchHost searchHost(dialogs_);
    PortSearch search = MakePortSearch(*tail_, stack_->Discovery(), searchHost, params_);
    search.Diagnostics = &causes_.Stream();
    std::string name = options_.Port;
    if (name.empty())
        if (const std::string* fromEnvironment = env_.Variable("LCDKONFIG_PORT"))
            name = *fromEnvironment;
    if (!name.empty()) {
        params_.SelectedPort = PortPath(name);
        if (params_.SelectedPort == kVirtualPortName && !stack_->Virtual()) {
            dialogs_.Problem(std::string("the port ") + kVirtualPortName + " is there only with "
                             + kVirtualBoardVariable + "=1");
            return ExitCode::NoPort;
        }
        if (!TestOpenPort(search, params_.SelectedPort))
            return ExitCode::NoPort;
    } else {
        SearchBoardPort(search);
        if (!tail_->Active())
            return ExitCode::NoPort;
    }
    if (options_.Verbose)
        causes_.Line("port " + params_.SelectedPort + " open");
    return Interrupted() ? InterruptedCode() : ExitCode::Done;
}

int CliSession::Download(bool backup)
{
    if (Interrupted())
        return InterruptedCode();
    if (!EmpfangenButtonClick(*tail_, transfer_, params_, faults_))
        return FailureCode();
    if (Interrupted())
        return InterruptedCode();
    if (backup) {
        const std::time_t now = env_.Now ? env_.Now() : std::time(nullptr);
        progress_.EndLine();
        if (auto path = BackUpDownload(params_, faults_, env_.Err, kCliName, BackupFolder(), now))
            dialogs_.Note("backup: " + *path);
    }
    return ExitCode::Done;
}

int CliSession::FailureCode()
{
    progress_.EndLine();
    if (Interrupted())
        return InterruptedCode();
    if (options_.Verbose && tail_)
        causes_.Line("last bytes sent: " + tail_->Sent() + "; received: " + tail_->Received());
    // The read-back's own message, whatever the address in it.
    const std::string verifyFailed = Tr("Firmware", FlashText::VerifyFailed);
    const std::string verifyPrefix = verifyFailed.substr(0, verifyFailed.find("%1"));
    for (const std::string& shown : dialogs_.Shown())
        if (shown.rfind(verifyPrefix, 0) == 0)
            return ExitCode::VerifyFailed;
    if (dialogs_.Declined()) {
        dialogs_.Problem("stopped: the question was answered no");
        return ExitCode::Interrupted;
    }
    return ExitCode::BoardFailed;
}

int CliSession::InterruptedCode()
{
    progress_.EndLine();
    if (tail_) {
        try {
            tail_->SetActive(false);
        } catch (const EComError&) {
        }
    }
    dialogs_.Problem("interrupted");
    return ExitCode::Interrupted;
}

std::string CliSession::BackupFolder() const
{
    return BackupRoot([this](const char* name) -> std::optional<std::string> {
        if (const std::string* value = env_.Variable(name))
            return *value;
        return std::nullopt;
    });
}

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
