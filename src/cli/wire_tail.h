#pragma once
// Keeps the last bytes that went over the wire in each direction, for -v: after a
// failed exchange the user sees what was sent last and what came back.
#include "serial_port.h"

#include <cstddef>
#include <deque>
#include <string>

class WireTail : public SerialPort, private PortEvents {
public:
    static constexpr size_t kKept = 16;
    explicit WireTail(SerialPort& inner);
    ~WireTail() override;

    // "BA A5 AB" (hex, oldest first), "none" when nothing went that way.
    std::string Sent() const;
    std::string Received() const;

    void SetDeviceName(const std::string& name) override { inner_.SetDeviceName(name); }
    std::string DeviceName() const override { return inner_.DeviceName(); }
    void SetActive(bool active) override { inner_.SetActive(active); }
    bool Active() const override { return inner_.Active(); }
    int InputCount() override { return inner_.InputCount(); }
    uint8_t ReadByte() override;
    void WriteByte(uint8_t byte) override;
    void WriteBlock(const uint8_t* data, size_t size) override;
    bool WritePending() override { return inner_.WritePending(); }
    void PurgeInput() override { inner_.PurgeInput(); }
    void SetDTR() override { inner_.SetDTR(); }
    void ClearDTR() override { inner_.ClearDTR(); }
    void SetRTS() override { inner_.SetRTS(); }
    void ClearRTS() override { inner_.ClearRTS(); }
    unsigned GetModemStatus() override { return inner_.GetModemStatus(); }

private:
    void OnLineError(const std::string& what) override;
    void OnModemChange(unsigned status) override;
    void OnPortGone() override;
    static void Keep(std::deque<uint8_t>& kept, uint8_t byte);
    static std::string Hex(const std::deque<uint8_t>& kept);

    SerialPort& inner_;
    std::deque<uint8_t> sent_;
    std::deque<uint8_t> received_;
};
