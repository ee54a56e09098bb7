#pragma once
// The port of the window and of the command-line program: the real tty, or the
// virtual board when its name ("virtuell") is chosen. Every call goes to the port the
// device name selects; line events of either reach the one receiver.
#include "serial_port.h"

#include <string>

class SwitchingPort : public SerialPort, private PortEvents {
public:
    // `virtualPort` may be null (no virtual board); `virtualName` is its list name.
    SwitchingPort(SerialPort& real, SerialPort* virtualPort, std::string virtualName);

    void SetDeviceName(const std::string& name) override;
    std::string DeviceName() const override;
    void SetActive(bool active) override;
    bool Active() const override;
    int InputCount() override;
    uint8_t ReadByte() override;
    void WriteByte(uint8_t byte) override;
    void WriteBlock(const uint8_t* data, size_t size) override;
    bool WritePending() override;
    void PurgeInput() override;
    void SetDTR() override;
    void ClearDTR() override;
    void SetRTS() override;
    void ClearRTS() override;
    unsigned GetModemStatus() override;

private:
    void OnLineError(const std::string& what) override;
    void OnModemChange(unsigned status) override;
    void OnPortGone() override;
    SerialPort& Current() { return *current_; }

    SerialPort& real_;
    SerialPort* virtual_;
    std::string virtualName_;
    SerialPort* current_;
};
