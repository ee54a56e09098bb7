#include "wire_tail.h"

#include <cstdio>

void WireTail::Keep(std::deque<uint8_t>& kept, uint8_t byte)
{
    kept.push_back(byte);
    if (kept.size() > kKept)
        kept.pop_front();
}

std::string WireTail::Hex(const std::deque<uint8_t>& kept)
{
    if (kept.empty())
        return "none";
    std::string text;
    for (uint8_t byte : kept) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", byte);
        if (!text.empty())
            text += ' ';
        text += hex;
    }
    return text;
}

std::string WireTail::Sent() const { return Hex(sent_); }
std::string WireTail::Received() const { return Hex(received_); }

uint8_t WireTail::ReadByte()
{
    const uint8_t byte = Inner().ReadByte();
    Keep(received_, byte);
    return byte;
}

void WireTail::WriteByte(uint8_t byte)
{
    Inner().WriteByte(byte);
    Keep(sent_, byte);
}

void WireTail::WriteBlock(const uint8_t* data, size_t size)
{
    Inner().WriteBlock(data, size);
    for (size_t i = 0; i < size; ++i)
        Keep(sent_, data[i]);
}
