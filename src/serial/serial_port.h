#pragma once
// The port operations every exchange with the board uses. TComPort implements them on
// a real tty; the virtual board (sim/) implements them in memory on a virtual clock.
//
// A failing platform call (and any call on a closed port other than SetActive,
// SetDeviceName and PurgeInput) throws EComError; the exchange that made the call
// stops there, and the window shows "ComPortError:  <port> !" once (see RunExchange
// in link.h). Line errors are reported through PortEvents and end the exchange that
// meets them with ELineError.
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

// Bits of GetModemStatus().
inline constexpr unsigned kModemCts = 1u << 0;
inline constexpr unsigned kModemDsr = 1u << 1;
inline constexpr unsigned kModemRing = 1u << 2;
inline constexpr unsigned kModemRlsd = 1u << 3;

class EComError : public std::runtime_error {
public:
    EComError(int code, const std::string& text) : std::runtime_error(text), code_(code) {}
    int Code() const { return code_; }  // errno, or 0 where there is none

private:
    int code_;
};

// The driver flagged a line error: PortEvents::OnLineError has already shown it, and
// the exchange that met it ends without a second message.
class ELineError : public EComError {
public:
    explicit ELineError(const std::string& what) : EComError(EIO, "line error: " + what) {}
};

// Receives the port's line events on the user-interface thread.
class PortEvents {
public:
    virtual ~PortEvents() = default;
    // The driver flagged a line error (frame, overrun, parity, break, buffer overrun).
    virtual void OnLineError(const std::string& what) = 0;
    // CTS or DSR changed; status holds the kModem* bits.
    virtual void OnModemChange(unsigned status) = 0;
    // The device behind the open port is gone (unplugged: hang-up, EIO, ENODEV). The
    // port call that found out throws EComError after this returns.
    virtual void OnPortGone() = 0;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    virtual void SetDeviceName(const std::string& name) = 0;
    virtual std::string DeviceName() const = 0;
    // true opens exclusively, 9600 8N1, no flow control, DTR and RTS low, both queues
    // discarded, event watching started; false closes. Setting the same state again
    // does nothing.
    virtual void SetActive(bool active) = 0;
    virtual bool Active() const = 0;

    // Number of received bytes waiting. Line errors the driver flagged since they were
    // last looked at are reported through PortEvents::OnLineError, and InputCount then
    // throws ELineError instead of returning.
    virtual int InputCount() = 0;
    virtual uint8_t ReadByte() = 0;
    virtual void WriteByte(uint8_t byte) = 0;
    virtual void WriteBlock(const uint8_t* data, size_t size) = 0;
    // True while written bytes have not yet left the PC.
    virtual bool WritePending() = 0;
    virtual void PurgeInput() = 0;

    virtual void SetDTR() = 0;
    virtual void ClearDTR() = 0;
    virtual void SetRTS() = 0;
    virtual void ClearRTS() = 0;
    virtual unsigned GetModemStatus() = 0;

    void SetEvents(PortEvents* events) { events_ = events; }
    PortEvents* Events() const { return events_; }

protected:
    PortEvents* events_ = nullptr;
};
