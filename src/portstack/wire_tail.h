#pragma once
// Keeps the last bytes that went over the wire in each direction: after a failed
// exchange the command line's -v tells what was sent last and what came back.
#include "serial_port_forwarder.h"

#include <cstddef>
#include <deque>
#include <string>

class WireTail : public SerialPortForwarder {
public:
    static constexpr size_t kKept = 16;
    explicit WireTail(SerialPort& inner) : SerialPortForwarder(inner) {}

    // "BA A5 AB" (hex, oldest first), "none" when nothing went that way.
    std::string Sent() const;
    std::string Received() const;

    uint8_t ReadByte() override;
    void WriteByte(uint8_t byte) override;
    void WriteBlock(const uint8_t* data, size_t size) override;

private:
    static void Keep(std::deque<uint8_t>& kept, uint8_t byte);
    static std::string Hex(const std::deque<uint8_t>& kept);

    std::deque<uint8_t> sent_;
    std::deque<uint8_t> received_;
};
