#pragma once
// A wire trace for support: wraps any SerialPort and writes every byte sent and
// received, every line the program drives, every change of the answer lines and every
// port error to a file, one line each with a millisecond time stamp:
//
//       12.345 open /dev/ttyUSB0
//       12.400 DTR=1
//       62.512 DSR=1 CTS=0
//     2313.020 >> BA
//     2335.101 << BA
//
// The program traces when the environment variable LCDKONFIG_TRACE names a file.
#include "serial_port_forwarder.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

class TracePort : public SerialPortForwarder {
public:
    // `nowUs` gives the time stamps (microseconds); by default the time since the
    // trace began.
    TracePort(SerialPort& inner, std::FILE* out, std::function<int64_t()> nowUs = {});

    void SetActive(bool active) override;
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
    void Line(const std::string& text);
    void Lines(unsigned status);
    template <class F>
    auto Traced(const char* operation, F&& call) -> decltype(call());

    std::FILE* out_;
    std::function<int64_t()> nowUs_;
    unsigned lastStatus_ = ~0u;
};

inline constexpr const char* kTraceVariable = "LCDKONFIG_TRACE";

// The trace the environment asks for (LCDKONFIG_TRACE=<file>), or nothing. The file
// is appended to; why a file cannot be opened goes to the diagnostics.
struct TraceFile {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file{nullptr, &std::fclose};
    std::unique_ptr<TracePort> port;
};
TraceFile TraceFromEnvironment(SerialPort& inner);
// The same into the file `path` (appended to).
TraceFile TraceToFile(SerialPort& inner, const std::string& path);
