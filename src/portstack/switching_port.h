#pragma once
// The port of the window and of the command-line program: the real tty, or the
// virtual board when its name ("virtuell") is chosen. Every call goes to the port the
// device name selects; line events of either reach the one receiver.
#include "serial_port_forwarder.h"

#include <string>

class SwitchingPort : public SerialPortForwarder {
public:
    // `virtualPort` may be null (no virtual board); `virtualName` is its list name.
    SwitchingPort(SerialPort& real, SerialPort* virtualPort, std::string virtualName);
    ~SwitchingPort() override;

    void SetDeviceName(const std::string& name) override;

private:
    SerialPort& real_;
    SerialPort* virtual_;
    std::string virtualName_;
};
