#include "trace_port.h"

#include "diagnostics_sink.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

TracePort::TracePort(SerialPort& inner, std::FILE* out, std::function<int64_t()> nowUs)
    : SerialPortForwarder(inner), out_(out), nowUs_(std::move(nowUs))
{
    if (!nowUs_) {
        const auto start = std::chrono::steady_clock::now();
        nowUs_ = [start] {
            return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
        };
    }
}

void TracePort::Line(const std::string& text)
{
    std::fprintf(out_, "%12.3f %s\n", double(nowUs_()) / 1000.0, text.c_str());
    std::fflush(out_);  // a support trace must survive a crash
}

void TracePort::Lines(unsigned status)
{
    if (status == lastStatus_)
        return;
    lastStatus_ = status;
    Line(std::string("DSR=") + ((status & kModemDsr) ? "1" : "0") + " CTS=" + ((status & kModemCts) ? "1" : "0"));
}

template <class F>
auto TracePort::Traced(const char* operation, F&& call) -> decltype(call())
{
    try {
        return call();
    } catch (const EComError& e) {
        Line(std::string("error ") + operation + ": " + e.what());
        throw;
    }
}

void TracePort::SetActive(bool active)
{
    if (active == Inner().Active())
        return;
    Traced("SetActive", [&] { Inner().SetActive(active); });
    Line((active ? "open " : "close ") + Inner().DeviceName());
    lastStatus_ = ~0u;
}

int TracePort::InputCount() { return Traced("InputCount", [&] { return Inner().InputCount(); }); }

uint8_t TracePort::ReadByte()
{
    const uint8_t byte = Traced("ReadByte", [&] { return Inner().ReadByte(); });
    char text[8];
    std::snprintf(text, sizeof text, "<< %02X", byte);
    Line(text);
    return byte;
}

void TracePort::WriteByte(uint8_t byte)
{
    Traced("WriteByte", [&] { Inner().WriteByte(byte); });
    char text[8];
    std::snprintf(text, sizeof text, ">> %02X", byte);
    Line(text);
}

void TracePort::WriteBlock(const uint8_t* data, size_t size)
{
    Traced("WriteBlock", [&] { Inner().WriteBlock(data, size); });
    std::string text = ">>";
    char hex[4];
    for (size_t i = 0; i < size; ++i) {
        std::snprintf(hex, sizeof hex, " %02X", data[i]);
        text += hex;
    }
    Line(text);
}

bool TracePort::WritePending() { return Traced("WritePending", [&] { return Inner().WritePending(); }); }

void TracePort::PurgeInput()
{
    Traced("PurgeInput", [&] { Inner().PurgeInput(); });
    Line("purge");
}

void TracePort::SetDTR()
{
    Traced("SetDTR", [&] { Inner().SetDTR(); });
    Line("DTR=1");
}

void TracePort::ClearDTR()
{
    Traced("ClearDTR", [&] { Inner().ClearDTR(); });
    Line("DTR=0");
}

void TracePort::SetRTS()
{
    Traced("SetRTS", [&] { Inner().SetRTS(); });
    Line("RTS=1");
}

void TracePort::ClearRTS()
{
    Traced("ClearRTS", [&] { Inner().ClearRTS(); });
    Line("RTS=0");
}

unsigned TracePort::GetModemStatus()
{
    const unsigned status = Traced("GetModemStatus", [&] { return Inner().GetModemStatus(); });
    Lines(status);
    return status;
}

void TracePort::OnLineError(const std::string& what)
{
    Line("line error " + what);
    SerialPortForwarder::OnLineError(what);
}

void TracePort::OnModemChange(unsigned status)
{
    Lines(status);
    SerialPortForwarder::OnModemChange(status);
}

void TracePort::OnPortGone()
{
    Line("device gone");
    SerialPortForwarder::OnPortGone();
}

TraceFile TraceFromEnvironment(SerialPort& inner)
{
    const char* name = std::getenv(kTraceVariable);
    if (!name || !*name)
        return {};
    return TraceToFile(inner, name);
}

TraceFile TraceToFile(SerialPort& inner, const std::string& path)
{
    TraceFile trace;
    trace.file.reset(std::fopen(path.c_str(), "a"));
    if (!trace.file) {
        Diagnose("trace file " + path + ": " + std::strerror(errno));
        return trace;
    }
    trace.port = std::make_unique<TracePort>(inner, trace.file.get());
    return trace;
}
