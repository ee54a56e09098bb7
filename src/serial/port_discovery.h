#pragma once
// The three questions the port search asks the platform: which serial ports the PC
// has, which devices it has (the board's FTDI converter among them, named
// "FTDIBUS#VID_0403+PID_6001+" + serial number + interface letter), and which port
// belongs to a given converter.
#include <string>
#include <vector>

inline constexpr const char* kBoardConverterPrefix = "FTDIBUS#VID_0403+PID_6001+";

struct ConverterPort {
    enum class Result {
        Found,
        NoDevice,    // no converter with that serial number and interface
        NoPortName,  // the converter is there but no serial port belongs to it
    };
    Result result = Result::NoDevice;
    std::string portName;  // "/dev/ttyUSB0" when found
};

class PortDiscovery {
public:
    virtual ~PortDiscovery() = default;
    // Port names as the port list shows them ("/dev/ttyUSB0"), in the platform's order.
    virtual std::vector<std::string> SerialPorts() = 0;
    // One name per device of the platform's device namespace.
    virtual std::vector<std::string> DeviceNames() = 0;
    // `converter` is what follows kBoardConverterPrefix in a device name: the serial
    // number followed by the interface letter.
    virtual ConverterPort BoardConverterPort(const std::string& converter) = 0;
};
