#include "cli.h"
#include "language.h"

#include "cli_commands.h"
#include "cli_options.h"
#include "cli_session.h"
#include "console.h"
#include "parameter_set.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>
#include <ostream>

namespace {

// The report draws with Qt GUI, which wants an application object with a platform;
// the offscreen one needs no display. Everything else makes do with the core.
std::unique_ptr<QCoreApplication> MakeApplication(Command command, CliEnvironment& env)
{
    if (QCoreApplication::instance())
        return nullptr;
    static int argc = 1;
    static char name[] = "lcdkonfig-cli";
    static char* argv[] = {name, nullptr};
    if (command != Command::Report)
        return std::make_unique<QCoreApplication>(argc, argv);
    const std::string* platform = env.Variable("QT_QPA_PLATFORM");
    if (!platform || platform->empty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

int Dispatch(CliSession& session)
{
    switch (session.Options().Cmd) {
    case Command::Ports: return RunPorts(session);
    case Command::Read: return RunRead(session);
    case Command::Write: return RunWrite(session);
    case Command::Diff: return RunDiff(session);
    case Command::Faults: return RunFaults(session);
    case Command::Report: return RunReport(session);
    case Command::Flash: return RunFlash(session);
    case Command::Check: return RunCheck(session);
    case Command::Backups: return RunBackups(session);
    case Command::Service: return RunService(session);
    case Command::Help:
    case Command::Version: break;
    }
    return ExitCode::Usage;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, CliEnvironment& env)
{
    const ParsedCommandLine parsed = ParseCommandLine(args);
    if (!parsed.Options) {
        env.Err << kCliName << ": " << parsed.Error << "\n\n" << UsageText();
        return ExitCode::Usage;
    }
    const CliOptions& options = *parsed.Options;
    if (options.Cmd == Command::Help) {
        env.Out << UsageText();
        return ExitCode::Done;
    }
    if (options.Cmd == Command::Version) {
        env.Out << kCliName << " " << ProgramVersionFromBuild() << "\n";
        return ExitCode::Done;
    }
    const std::unique_ptr<QCoreApplication> application = MakeApplication(options.Cmd, env);
    std::string choice = options.Language;
    if (choice.empty()) {
        auto variable = env.Variables.find(kLanguageVariable);
        if (variable != env.Variables.end())
            choice = variable->second;
    }
    UseLanguage(LanguageOfEnvironment(choice));
    struct GermanAgain {
        ~GermanAgain() { UseLanguage(Language::German); }  // the next run in this process starts afresh
    } germanAgain;
    CliSession session(env, options);
    if (session.Interrupted())
        return session.InterruptedCode();
    return Dispatch(session);
}
