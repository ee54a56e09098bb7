#pragma once
// The port stack the window and the command-line program share: the real tty
// (TComPort), the virtual board behind the name "virtuell" (a LiveBoard, when one is
// asked for), the switch between the two and, on top, the wire trace; and the port
// discovery, which lists the virtual board after every real port and device.
#include "com_port.h"
#include "event_poster.h"
#include "live_board.h"
#include "port_discovery.h"
#include "switching_port.h"
#include "trace_port.h"
#include "tty_driver.h"

#include <memory>
#include <string>

struct PortStackSetup {
    // Empty: the Linux discovery from sysfs.
    std::unique_ptr<PortDiscovery> Discovery;
    // The virtual board. When none is given and VirtualRequested is set, one on the
    // wall clock (the program's LCDKONFIG_VIRTUAL_BOARD=1).
    std::shared_ptr<LiveBoard> Virtual;
    bool VirtualRequested = false;
    // The driver of the real port (the kernel when empty; a pty rig in tests) and how
    // often its checker looks (0: the port's own interval).
    TtyDriver* Driver = nullptr;
    int CheckIntervalMs = 0;
    // Hands line events to the user-interface thread. Without one both ports deliver
    // them at once, and the real port does not watch (line errors still reach the
    // exchange through InputCount).
    EventPoster Poster;
    // The wire trace's file (appended to); empty for none.
    std::string TracePath;
};

class PortStack {
public:
    explicit PortStack(PortStackSetup setup);
    // Closes the port.
    ~PortStack();
    PortStack(const PortStack&) = delete;
    PortStack& operator=(const PortStack&) = delete;

    // The port every exchange uses: the trace when there is one, else the switch.
    SerialPort& Port() { return *port_; }
    PortDiscovery& Discovery() { return *discovery_; }
    LiveBoard* Virtual() { return live_.get(); }
    TComPort& Real() { return *real_; }
    // Whether the wire trace runs (its file could be opened).
    bool Traced() const { return trace_.port != nullptr; }

private:
    std::unique_ptr<PortDiscovery> discovery_;
    std::shared_ptr<LiveBoard> live_;
    std::unique_ptr<TComPort> real_;
    std::unique_ptr<SwitchingPort> switching_;
    TraceFile trace_;
    SerialPort* port_ = nullptr;
};
