#pragma once
// The serial port on a real tty: raw 9600 8N1, no flow control, exclusive, DTR and RTS
// low after opening, polled with plain ioctls so that the protocol's sleeps see every
// byte at once (no event loop needed).
//
// Line events: while the port is open and a poster is installed, a thread of the port
// polls the driver's counters every few milliseconds and posts CTS/DSR changes and
// line errors to the window's thread; PortEvents then run there. Without a poster the
// port does not watch (line errors are still reported by InputCount).
#include "event_poster.h"
#include "serial_port.h"

#include <memory>
#include <string>

class TComPort : public SerialPort {
public:
    TComPort();
    ~TComPort() override;
    TComPort(const TComPort&) = delete;
    TComPort& operator=(const TComPort&) = delete;

    void SetPoster(EventPoster poster);
    // How often the event thread looks at the driver's counters.
    static constexpr int kWatchIntervalMs = 3;

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

    // Whether the driver accepted the low-latency flag at the last open (FTDI
    // converters otherwise hold received bytes for up to 16 ms).
    bool LowLatency() const;

private:
    struct State;
    std::unique_ptr<State> s_;

    void Open();
    void Close();
    void CheckOpen(const char* operation) const;
    void ModemLines(unsigned long request, int bits, const char* operation);
    void ReportLineErrors(const std::string& errors);
};
