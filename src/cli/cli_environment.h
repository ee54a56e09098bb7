#pragma once
// What lcdkonfig-cli gets from the process around it. main() fills it from the real
// process (standard streams, isatty, the environment, the wall clock, SIGINT); the
// tests fill it with string streams, a virtual board on a virtual clock, a temporary
// state folder and an interrupt at a moment of their choosing.
#include "live_board.h"
#include "port_discovery.h"

#include <ctime>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>

struct CliEnvironment {
    CliEnvironment(std::istream& in, std::ostream& out, std::ostream& err) : In(in), Out(out), Err(err) {}

    std::istream& In;
    std::ostream& Out;
    std::ostream& Err;
    bool InIsTerminal = false;
    bool ErrIsTerminal = false;
    // The environment variables (LCDKONFIG_PORT, LCDKONFIG_VIRTUAL_BOARD,
    // LCDKONFIG_TRACE, XDG_STATE_HOME, HOME, QT_QPA_PLATFORM).
    std::map<std::string, std::string> Variables;

    // The board behind "virtuell". None: one on the wall clock when
    // LCDKONFIG_VIRTUAL_BOARD=1.
    std::shared_ptr<LiveBoard> Virtual;
    // The PC's ports. None: the Linux discovery from sysfs.
    std::function<std::unique_ptr<PortDiscovery>()> MakeDiscovery;
    // Sleeps of the exchanges. None: the wall clock.
    std::function<void(int ms)> Sleep;
    // True once Ctrl-C (or SIGTERM, SIGHUP) came. None: never.
    std::function<bool()> Interrupted;
    // The signal that interrupted the run; the exit code is 128 plus its number. None:
    // SIGINT.
    std::function<int()> InterruptSignal;
    // Closes standard output after the last flush; false when the close failed. None:
    // nothing to close.
    std::function<bool()> CloseOut;
    // Throws away what was typed on the terminal before a question is asked. None:
    // nothing to discard.
    std::function<void()> DiscardTypeAhead;
    // The moment a backup is stamped with. None: now.
    std::function<std::time_t()> Now;
    // The device-type list the report names the device type from.
    std::string DeviceTypeFile = "GeraeteTyp.ini";

    const std::string* Variable(const std::string& name) const
    {
        auto it = Variables.find(name);
        return it == Variables.end() ? nullptr : &it->second;
    }
};
