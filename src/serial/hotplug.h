#pragma once
// Serial devices that come and go while the program runs: udev's monitor where udev
// runs, a slow look at sysfs where it does not. The window decides what to do about
// an event with ReactToHotplug.
#include <functional>
#include <memory>
#include <string>

struct HotplugEvent {
    enum class Action { Add, Remove };
    Action action = Action::Add;
    std::string node;     // "/dev/ttyUSB0"
    std::string vendor;   // USB ids, upper-case hex ("0403"); empty for a device not on USB
    std::string product;
};

class HotplugSource {
public:
    virtual ~HotplugSource() = default;
    // Called on the window's thread, once per tty that appeared or went away.
    std::function<void(const HotplugEvent&)> OnEvent;

protected:
    void Emit(const HotplugEvent& event)
    {
        if (OnEvent)
            OnEvent(event);
    }
};

enum class HotplugReaction { None, SearchPort, PortGone };

// A board converter (FTDI 0403:6001) that appears while no port is open starts the
// port search; the removal of the open port's tty closes the port; any other device
// changes nothing. `openNode` is the device file of the open port with links resolved.
HotplugReaction ReactToHotplug(const HotplugEvent& event, bool portOpen, const std::string& openNode);

// The source for this machine: udev's monitor when udev runs, else a poll of sysfs
// every kSysfsPollMs. `root` is "/" in the program.
inline constexpr int kSysfsPollMs = 1000;
std::unique_ptr<HotplugSource> MakeHotplugSource(const std::string& root = "/");
