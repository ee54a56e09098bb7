// lcdkonfig-cli: the command-line companion of the LCD Konfiguration window.
#include "cli.h"
#include "console.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <unistd.h>

extern char** environ;

namespace {

volatile std::sig_atomic_t interruptSignal = 0;

// Only the signal: the running exchange sees it at its next sleep and ends as a failed
// one would (lines released, port closed). A closed SSH session (SIGHUP) and a kill
// (SIGTERM) end the program like Ctrl-C; a second signal ends it at once.
void OnInterrupt(int signal)
{
    if (interruptSignal == 0)
        interruptSignal = signal;
}

}  // namespace

int main(int argc, char** argv)
{
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);

    std::cerr.setf(std::ios::unitbuf);
    CliEnvironment env{std::cin, std::cout, std::cerr};
    env.InIsTerminal = ::isatty(STDIN_FILENO) == 1;
    env.ErrIsTerminal = ::isatty(STDERR_FILENO) == 1;
    for (char** variable = environ; *variable; ++variable) {
        const std::string entry = *variable;
        const size_t equals = entry.find('=');
        if (equals != std::string::npos)
            env.Variables[entry.substr(0, equals)] = entry.substr(equals + 1);
    }
    env.Interrupted = [] { return interruptSignal != 0; };
    env.InterruptSignal = [] { return int(interruptSignal); };
    if (env.InIsTerminal)
        env.DiscardTypeAhead = [] { DiscardTerminalInput(STDIN_FILENO); };
    const std::vector<std::string> args(argv + 1, argv + argc);
    // A file on NFS may tell of a failed write only at the close.
    env.CloseOut = [] { return std::fclose(stdout) == 0; };
    return RunCli(args, env);
}
