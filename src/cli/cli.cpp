#include "cli.h"
#include "language.h"

#include "cli_commands.h"
#include "cli_options.h"
#include "cli_session.h"
#include "console.h"
#include "parameter_set.h"

#include "config_file.h"
#include "diagnostics_sink.h"
#include "json_text.h"
#include "translation.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ostream>

namespace {

// The report draws with Qt GUI, which wants an application object with a platform;
// the offscreen one needs no display. Everything else makes do with the core.
// Qt's complaint that XDG_RUNTIME_DIR is not set (a cron job, sudo, a service) says
// nothing to the user of this program, which keeps nothing there.
QtMessageHandler qtHandler = nullptr;

void QtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    if (qtHandler)
        qtHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

std::unique_ptr<QCoreApplication> MakeApplication(Command command, CliEnvironment& env)
{
    static const bool installed = [] {
        qtHandler = qInstallMessageHandler(QtMessage);
        return true;
    }();
    (void)installed;
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
        env.Err << UsageErrorLine(parsed);
        return ExitCode::Usage;
    }
    const CliOptions& options = *parsed.Options;
    if (options.Cmd == Command::Help || options.Cmd == Command::Version) {
        if (options.Cmd == Command::Help)
            env.Out << UsageText(options.HelpFor);
        else
            env.Out << kCliName << " " << ProgramVersionFromBuild() << "\n";
        env.Out.flush();
        if (env.Out.good() && (!env.CloseOut || env.CloseOut()))
            return ExitCode::Done;
        env.Err << kCliName << ": standard output: " << std::strerror(errno) << "\n";
        return ExitCode::FileRefused;
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
    int code = Dispatch(session);
    // check --json answers in JSON also when it refuses the file.
    if (options.Cmd == Command::Check && options.Json && code == ExitCode::FileRefused)
        env.Out << "{\"file\":" << JsonString(options.Operands[0]) << ",\"refused\":"
                << JsonString(session.Dialogs().Last()) << "}\n";
    // Data that did not reach standard output (a full disk, a closed pipe) is no
    // success; the command's own failure was told already.
    env.Out.flush();
    const int error = errno;
    const bool written = env.Out.good() && (!env.CloseOut || env.CloseOut());
    if (written || (code != ExitCode::Done && code != ExitCode::Differ))
        return code;
    Diagnose(std::string("standard output: ") + std::strerror(env.Out.good() ? errno : error));
    session.Dialogs().Problem(Tr("Cli", "Standardausgabe") + ": " + Tr("Files", kCannotWriteFile));
    return ExitCode::FileRefused;
}
