#pragma once
// The production TComPort, watching threads included, against the virtual board: the
// port opens the slave of a pseudo-terminal, the board sits at the master. The pty
// carries the bytes both ways through the kernel; this driver adds what a pty lacks,
// as a USB serial driver has them: the modem lines (DTR and RTS reach the board, CTS
// and DSR follow its answers), the line-error counters the board flags (TIOCGICOUNT),
// and the wait for a line change (TIOCMIWAIT, woken for closing). Every other request
// goes to the kernel.
//
// Time is the board's virtual clock. Pump moves what the port wrote to the board, lets
// the board act up to the clock's present and hands what it sent to the port; the
// test calls it around every sleep (Attach does that for a LinkTestHost). The port's
// threads run in real time and see the board's lines and counters as the last pump
// left them, at whatever moment they look.
#include "link_test_host.h"
#include "tty_driver.h"
#include "virtual_board.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class PtyBoard : public TtyDriver, private PortEvents {
public:
    explicit PtyBoard(VirtualBoard& board);
    ~PtyBoard() override;
    PtyBoard(const PtyBoard&) = delete;
    PtyBoard& operator=(const PtyBoard&) = delete;

    // The device the port opens.
    const std::string& DeviceName() const { return slaveName_; }
    // Pumps before and after every sleep of the host.
    void Attach(LinkTestHost& host);
    void Pump();
    // The converter unplugged: the master closes, the slave hangs up, every request
    // of the driver fails with EIO.
    void HangUp();
    bool HungUp() const;
    // The driver flags a line error now, in real time, on its own (noise on the line):
    // any thread may call it, at any moment of an exchange.
    void FlagLineErrorNow(LineErrorKind kind = LineErrorKind::Frame);

    // A driver without TIOCMIWAIT (it answers ENOTTY), as some USB serial drivers are.
    bool NoLineWait = false;

    // Requests the port made on the window's thread, by name, in order ("TIOCEXCL",
    // "TIOCMBIC DTR RTS", "TIOCNXCL", ...).
    std::vector<std::string> Requests() const;
    // TIOCMIWAIT calls that have returned.
    int LineWaits() const;

    // TtyDriver.
    int Ioctl(int fd, unsigned long request, void* argument) override;
    ssize_t Write(int fd, const void* data, size_t size) override;
    void WakeLineWait(pthread_t waiter) override;

private:
    // PortEvents of the board's side (the board calls these from Pump).
    void OnLineError(const std::string&) override {}
    void OnModemChange(unsigned) override {}
    void OnPortGone() override;

    bool OnWindowThread() const { return std::this_thread::get_id() == owner_; }
    void DeliverWritten();
    void Mirror();
    int Fail(int error);

    VirtualBoard& board_;
    std::thread::id owner_;
    int master_ = -1;
    std::string slaveName_;
    int slaveFd_ = -1;        // the port's descriptor while it holds the slave
    size_t written_ = 0;      // bytes the port wrote that have not reached the board
    bool pumping_ = false;

    mutable std::mutex mutex_;  // guards what the port's threads read
    std::condition_variable changed_;
    bool hungUp_ = false;
    bool dtr_ = false, rts_ = false;
    unsigned status_ = 0;     // the board's CTS and DSR (kModem* bits)
    int ctsChanges_ = 0, dsrChanges_ = 0;
    LineCounters counters_;   // the board's
    LineCounters noise_;      // the driver's own
    int wakes_ = 0;
    int lineWaits_ = 0;
    std::vector<std::string> requests_;
};
