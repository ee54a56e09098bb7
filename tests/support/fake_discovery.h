#pragma once
// Port lists of PCs the tests set the program on.
#include "port_discovery.h"

#include <string>
#include <vector>

// A PC without serial ports: the port search stops at once.
class NoPorts : public PortDiscovery {
public:
    std::vector<std::string> SerialPorts() override { return {}; }
    std::vector<std::string> DeviceNames() override { return {}; }
    ConverterPort BoardConverterPort(const std::string&) override { return {}; }
};

// A PC with one ordinary serial port and no converter of its own: the search must find
// the virtual board, which is listed after it.
class OneOrdinaryPort : public PortDiscovery {
public:
    std::vector<std::string> SerialPorts() override { return {"/dev/ttyS0"}; }
    std::vector<std::string> DeviceNames() override { return {"PNP0501#1"}; }
    ConverterPort BoardConverterPort(const std::string&) override { return {}; }
};
