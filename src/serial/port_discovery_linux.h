#pragma once
// Port discovery from sysfs. The root is configurable so that tests can run it against
// a fake device tree; the program uses "/".
//
// Serial ports: every tty under sys/class/tty with a hardware parent, except the
// placeholder UARTs the serial8250 platform driver registers (their parent is on the
// "platform" bus). Devices: one name per USB interface under sys/bus/usb/devices;
// interfaces of vendor 0403 are named like the FTDI driver names them,
// "FTDIBUS#VID_0403+PID_6001+<serial><A, B... by interface number>", the others
// "USB#VID_xxxx&PID_xxxx#<serial>#<interface>".
#include "port_discovery.h"

// A serial port of the PC and, for one on USB, the ids of its device.
struct TtyDevice {
    std::string node;     // "/dev/ttyUSB0"
    std::string vendor;   // upper-case hex, empty when not on USB
    std::string product;
};

class LinuxPortDiscovery : public PortDiscovery {
public:
    explicit LinuxPortDiscovery(std::string root = "/");

    // The ports SerialPorts lists, with their USB ids.
    std::vector<TtyDevice> TtyDevices();

    std::vector<std::string> SerialPorts() override;
    std::vector<std::string> DeviceNames() override;
    ConverterPort BoardConverterPort(const std::string& converter) override;

private:
    std::string root_;
};

// Orders "ttyS2" before "ttyS10" and "ttyS*" before "ttyUSB*".
bool NaturalLess(const std::string& a, const std::string& b);
