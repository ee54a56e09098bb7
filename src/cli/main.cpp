// lcdkonfig-cli: the command-line companion of the LCD Konfiguration window.
#include "cli.h"

#include <csignal>
#include <iostream>
#include <unistd.h>

extern char** environ;

namespace {

volatile std::sig_atomic_t interrupted = 0;

// Only the flag: the running exchange sees it at its next sleep and ends as a failed
// one would. A second Ctrl-C ends the program at once.
void OnInterrupt(int) { interrupted = 1; }

}  // namespace

int main(int argc, char** argv)
{
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);

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
    env.Interrupted = [] { return interrupted != 0; };
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int code = RunCli(args, env);
    std::cout.flush();
    return code;
}
