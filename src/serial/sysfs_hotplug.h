#pragma once
// Where udev does not run: the ttys under sys/class/tty are compared with the last
// look every few hundred milliseconds, and what appeared or went away is reported.
#include "hotplug.h"
#include "port_discovery_linux.h"

#include <map>
#include <memory>
#include <string>

class QTimer;

class SysfsHotplug : public HotplugSource {
public:
    // intervalMs 0: no timer, the owner calls Poll (tests).
    explicit SysfsHotplug(std::string root, int intervalMs = kSysfsPollMs);
    ~SysfsHotplug() override;
    void Poll();

private:
    LinuxPortDiscovery discovery_;
    std::map<std::string, TtyDevice> known_;
    std::unique_ptr<QTimer> timer_;
};
