#include "pty_board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <cstdint>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
// How long the kernel may take to move bytes through the pty before the rig gives up.
constexpr auto kKernelLimit = std::chrono::seconds(5);

std::string LineNames(int bits)
{
    std::string names;
    if (bits & TIOCM_DTR)
        names += " DTR";
    if (bits & TIOCM_RTS)
        names += " RTS";
    return names;
}

}  // namespace

PtyBoard::PtyBoard(VirtualBoard& board) : board_(board), owner_(std::this_thread::get_id())
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        ADD_FAILURE() << "no pseudo-terminal: " << std::strerror(errno);
        return;
    }
    slaveName_ = ::ptsname(master_);
    // Raw from the start: a slave in cooked mode would echo what the board sends.
    const int slave = ::open(slaveName_.c_str(), O_RDWR | O_NOCTTY);
    termios tio {};
    if (slave >= 0 && ::tcgetattr(slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slave, TCSANOW, &tio);
    }
    if (slave >= 0)
        ::close(slave);
    board_.SetEvents(this);
    board_.SetActive(true);
    Mirror();
}

PtyBoard::~PtyBoard()
{
    board_.SetEvents(nullptr);
    if (master_ >= 0)
        ::close(master_);
}

void PtyBoard::Attach(LinkTestHost& host)
{
    host.beforeSleep = [this](int) { Pump(); };
    host.onSleep = [this](int) { Pump(); };
}

bool PtyBoard::HungUp() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return hungUp_;
}

void PtyBoard::HangUp()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (hungUp_)
        return;
    hungUp_ = true;
    ::close(master_);
    master_ = -1;
    changed_.notify_all();
}

void PtyBoard::OnPortGone() { HangUp(); }

void PtyBoard::FlagLineErrorNow(LineErrorKind kind)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Count(noise_, kind);
}

std::vector<std::string> PtyBoard::Requests() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

int PtyBoard::LineWaits() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return lineWaits_;
}

int PtyBoard::Fail(int error)
{
    errno = error;
    return -1;
}

// What the port wrote reaches the board at the clock's present.
void PtyBoard::DeliverWritten()
{
    const auto limit = Clock::now() + kKernelLimit;
    uint8_t buffer[512];
    while (written_ > 0 && !HungUp()) {
        const ssize_t n = ::read(master_, buffer, std::min(sizeof buffer, written_));
        if (n > 0) {
            written_ -= size_t(n);
            for (ssize_t i = 0; i < n; ++i) {
                try {
                    board_.WriteByte(buffer[i]);
                } catch (const EComError&) {
                }
            }
            continue;
        }
        if (Clock::now() > limit) {
            ADD_FAILURE() << written_ << " bytes the port wrote never reached the pty's master";
            written_ = 0;
            return;
        }
        pollfd p {master_, POLLIN, 0};
        ::poll(&p, 1, 10);
    }
}

void PtyBoard::Mirror()
{
    unsigned status = 0;
    try {
        status = board_.GetModemStatus() & (kModemCts | kModemDsr);
    } catch (const EComError&) {
        return;  // the board was unplugged: HangUp has run
    }
    const LineCounters counters = board_.Counters();
    std::lock_guard<std::mutex> lock(mutex_);
    if ((status ^ status_) & kModemCts)
        ++ctsChanges_;
    if ((status ^ status_) & kModemDsr)
        ++dsrChanges_;
    status_ = status;
    counters_ = counters;
    changed_.notify_all();
}

void PtyBoard::Pump()
{
    if (pumping_ || HungUp())
        return;
    pumping_ = true;
    DeliverWritten();
    board_.CatchUp();
    const std::vector<uint8_t> bytes = board_.TakeArrived();
    // Bytes that arrive while the port is closed are lost, as on a real line.
    if (!bytes.empty() && slaveFd_ >= 0 && !HungUp()) {
        int before = 0;
        ::ioctl(slaveFd_, FIONREAD, &before);
        size_t done = 0;
        const auto limit = Clock::now() + kKernelLimit;
        while (done < bytes.size() && Clock::now() < limit) {
            const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
            if (n > 0)
                done += size_t(n);
            else
                std::this_thread::yield();
        }
        // The port counts them before the clock moves on.
        int waiting = 0;
        while (::ioctl(slaveFd_, FIONREAD, &waiting) == 0 && waiting < before + int(done)) {
            if (Clock::now() > limit) {
                ADD_FAILURE() << "the pty did not pass " << done << " bytes on to the port";
                break;
            }
            std::this_thread::yield();
        }
    }
    Mirror();
    pumping_ = false;
}

int PtyBoard::Ioctl(int fd, unsigned long request, void* argument)
{
    switch (request) {
    case TIOCMGET: {
        if (OnWindowThread())
            Pump();
        std::lock_guard<std::mutex> lock(mutex_);
        if (hungUp_)
            return Fail(EIO);
        *static_cast<int*>(argument) = (dtr_ ? TIOCM_DTR : 0) | (rts_ ? TIOCM_RTS : 0)
                                       | ((status_ & kModemCts) ? TIOCM_CTS : 0)
                                       | ((status_ & kModemDsr) ? TIOCM_DSR : 0);
        return 0;
    }
    case TIOCMBIS:
    case TIOCMBIC: {
        EXPECT_TRUE(OnWindowThread()) << "the lines are driven from the window's thread only";
        const int bits = *static_cast<int*>(argument);
        const bool set = request == TIOCMBIS;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back((set ? "TIOCMBIS" : "TIOCMBIC") + LineNames(bits));
            if (hungUp_)
                return Fail(EIO);
        }
        Pump();
        try {
            if (bits & TIOCM_DTR)
                set ? board_.SetDTR() : board_.ClearDTR();
            if (bits & TIOCM_RTS)
                set ? board_.SetRTS() : board_.ClearRTS();
        } catch (const EComError&) {
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (bits & TIOCM_DTR)
                dtr_ = set;
            if (bits & TIOCM_RTS)
                rts_ = set;
        }
        Mirror();
        return 0;
    }
    case TIOCGICOUNT: {
        std::lock_guard<std::mutex> lock(mutex_);
        if (hungUp_)
            return Fail(EIO);
        serial_icounter_struct ic {};
        ic.cts = ctsChanges_;
        ic.dsr = dsrChanges_;
        ic.frame = counters_.frame + noise_.frame;
        ic.overrun = counters_.overrun + noise_.overrun;
        ic.parity = counters_.parity + noise_.parity;
        ic.brk = counters_.brk + noise_.brk;
        ic.buf_overrun = counters_.bufOverrun + noise_.bufOverrun;
        *static_cast<serial_icounter_struct*>(argument) = ic;
        return 0;
    }
    case TIOCMIWAIT: {
        if (NoLineWait)
            return Fail(ENOTTY);
        const auto mask = int(reinterpret_cast<uintptr_t>(argument));
        std::unique_lock<std::mutex> lock(mutex_);
        if (hungUp_)
            return Fail(EIO);
        const int cts = ctsChanges_, dsr = dsrChanges_, wakes = wakes_;
        changed_.wait(lock, [&] {
            return hungUp_ || wakes_ != wakes || ((mask & TIOCM_CTS) && ctsChanges_ != cts)
                   || ((mask & TIOCM_DSR) && dsrChanges_ != dsr);
        });
        ++lineWaits_;
        if (hungUp_)
            return Fail(EIO);
        return wakes_ != wakes ? Fail(EINTR) : 0;
    }
    case TIOCOUTQ: {
        if (HungUp())
            return Fail(EIO);
        Pump();
        bool pending = false;
        try {
            pending = board_.WritePending();
        } catch (const EComError&) {
        }
        *static_cast<int*>(argument) = pending ? 1 : 0;
        return 0;
    }
    case TIOCEXCL:
    case TIOCNXCL: {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(request == TIOCEXCL ? "TIOCEXCL" : "TIOCNXCL");
        }
        const int result = ::ioctl(fd, request);
        // The port holds the slave from its exclusive mode on until it gives it up.
        if (request == TIOCEXCL && result == 0)
            slaveFd_ = fd;
        if (request == TIOCNXCL) {
            Pump();
            slaveFd_ = -1;
        }
        return result;
    }
    default:
        return ::ioctl(fd, request, argument);
    }
}

ssize_t PtyBoard::Write(int fd, const void* data, size_t size)
{
    if (HungUp())
        return Fail(EIO);
    const ssize_t n = ::write(fd, data, size);
    if (n > 0)
        written_ += size_t(n);
    return n;
}

void PtyBoard::WakeLineWait(pthread_t)
{
    std::lock_guard<std::mutex> lock(mutex_);
    ++wakes_;
    changed_.notify_all();
}
