#pragma once
// The serial port on a real tty: raw 9600 8N1, no flow control, exclusive (a lock
// taken before the open, flock and the tty's exclusive flag after it), DTR and RTS
// low after opening, HUPCL set, polled with plain ioctls so that the protocol's sleeps see every
// byte at once (no event loop needed).
//
// Line errors have one owner, the user-interface thread: InputCount compares the
// driver's error counters with the ones it saw last and reports what grew. While the
// port is open and a poster is installed, two threads of the port watch it:
//   - the line waiter sleeps in the kernel until CTS or DSR changes (TIOCMIWAIT) and
//     posts the new lines to the window's thread;
//   - the checker looks every kCheckIntervalMs at the error counters, at the lines
//     (a change the waiter missed, or a driver without TIOCMIWAIT) and at whether the
//     device is still there; it posts a request to look at the counters (the window's
//     thread then reports them, once), the lines, or the news that the device is gone.
// Without a poster the port does not watch (line errors are still reported by
// InputCount).
//
// A device that vanishes (hang-up, EIO, ENODEV) is reported through
// PortEvents::OnPortGone, by the call that meets it or by the checker.
#include "event_poster.h"
#include "serial_port.h"
#include "tty_driver.h"

#include <memory>
#include <string>

class TComPort : public SerialPort {
public:
    // `driver`: the kernel by default; the real-port tests pass a pty driver of theirs.
    explicit TComPort(TtyDriver& driver = KernelTtyDriver());
    ~TComPort() override;
    TComPort(const TComPort&) = delete;
    TComPort& operator=(const TComPort&) = delete;

    void SetPoster(EventPoster poster);
    // How often the checker looks at the error counters (and, without TIOCMIWAIT, at
    // the lines) while the port is open. The real-port tests look far more often, to
    // meet every moment of an exchange.
    static constexpr int kCheckIntervalMs = 250;
    void SetCheckInterval(int ms);
    // Where the lock files of the devices are (device_lock.h): /run/lock; the tests
    // keep theirs in a folder of their own.
    void SetLockFolder(const std::string& folder);

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
    // Wake-ups of the watching threads since the port was built (for the benchmark).
    long WatcherWakeups() const;

private:
    struct State;
    std::unique_ptr<State> s_;

    void Open();
    void Close();
    void StartWatching();
    void StopWatching();
    void CheckOpen(const char* operation) const;
    [[noreturn]] void Fail(const char* operation, int error);
    void ModemLines(unsigned long request, int bits, const char* operation);
    std::string TakeLineErrors();
};
