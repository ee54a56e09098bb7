#include "wire_tail.h"

#include <cstdio>

WireTail::WireTail(SerialPort& inner) : inner_(inner) { inner_.SetEvents(this); }
WireTail::~WireTail() { inner_.SetEvents(nullptr); }

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
    const uint8_t byte = inner_.ReadByte();
    Keep(received_, byte);
    return byte;
}

void WireTail::WriteByte(uint8_t byte)
{
    inner_.WriteByte(byte);
    Keep(sent_, byte);
}

void WireTail::WriteBlock(const uint8_t* data, size_t size)
{
    inner_.WriteBlock(data, size);
    for (size_t i = 0; i < size; ++i)
        Keep(sent_, data[i]);
}

void WireTail::OnLineError(const std::string& what)
{
    if (events_)
        events_->OnLineError(what);
}

void WireTail::OnModemChange(unsigned status)
{
    if (events_)
        events_->OnModemChange(status);
}

void WireTail::OnPortGone()
{
    if (events_)
        events_->OnPortGone();
}
