#include "com_port.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <linux/serial.h>
#include <mutex>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

[[noreturn]] void Fail(const char* operation, int error)
{
    throw EComError(error, std::string(operation) + ": " + std::strerror(error));
}

bool NoSuchIoctl(int error) { return error == ENOTTY || error == EINVAL; }

// The error counters of the driver; a driver without them answers ENOTTY.
struct Counters {
    bool valid = false;
    int cts = 0, dsr = 0;
    int frame = 0, overrun = 0, parity = 0, brk = 0, bufOverrun = 0;
};

Counters ReadCounters(int fd)
{
    Counters c;
    serial_icounter_struct ic {};
    if (::ioctl(fd, TIOCGICOUNT, &ic) != 0)
        return c;
    c.valid = true;
    c.cts = ic.cts;
    c.dsr = ic.dsr;
    c.frame = ic.frame;
    c.overrun = ic.overrun;
    c.parity = ic.parity;
    c.brk = ic.brk;
    c.bufOverrun = ic.buf_overrun;
    return c;
}

// Names the error counters that grew from `before` to `now`; empty if none.
std::string GrownErrors(const Counters& before, const Counters& now)
{
    std::string what;
    auto add = [&](bool grew, const char* name) {
        if (grew)
            what += (what.empty() ? "" : ", ") + std::string(name);
    };
    add(now.frame > before.frame, "Rahmenfehler");
    add(now.overrun > before.overrun, "Überlauf");
    add(now.parity > before.parity, "Paritätsfehler");
    add(now.brk > before.brk, "Break");
    add(now.bufOverrun > before.bufOverrun, "Pufferüberlauf");
    return what;
}

unsigned StatusBits(int lines)
{
    return ((lines & TIOCM_CTS) ? kModemCts : 0u) | ((lines & TIOCM_DSR) ? kModemDsr : 0u)
           | ((lines & TIOCM_RNG) ? kModemRing : 0u) | ((lines & TIOCM_CAR) ? kModemRlsd : 0u);
}

// What the window's thread and the event thread share: the error counters seen last
// (whoever sees growth first reports it, so each error is reported once).
struct Session {
    int fd = -1;
    std::mutex mutex;
    Counters seen;
    bool open = true;  // read and cleared on the window's thread only
};

}  // namespace

struct TComPort::State {
    std::string deviceName = "COM1";
    std::shared_ptr<Session> session;
    EventPoster poster;
    std::thread watcher;
    std::mutex stopMutex;
    std::condition_variable stopSignal;
    bool stop = false;
    bool lowLatency = false;
    bool priorityRaised = false;
    int oldNice = 0;
};

TComPort::TComPort() : s_(std::make_unique<State>()) {}

TComPort::~TComPort() { Close(); }

void TComPort::SetPoster(EventPoster poster) { s_->poster = std::move(poster); }
void TComPort::SetDeviceName(const std::string& name) { s_->deviceName = name; }
std::string TComPort::DeviceName() const { return s_->deviceName; }
bool TComPort::Active() const { return s_->session != nullptr; }
bool TComPort::LowLatency() const { return s_->lowLatency; }

void TComPort::SetActive(bool active)
{
    if (active == Active())
        return;
    if (active)
        Open();
    else
        Close();
}

void TComPort::Open()
{
    const int fd = ::open(s_->deviceName.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        Fail("open", errno);
    auto fail = [fd](const char* operation) {
        const int error = errno;
        ::close(fd);
        Fail(operation, error);
    };
    // Linux raises DTR and RTS on every open; drop them before anything else so that
    // the board sees as short a pulse as possible (a board in reset for microseconds
    // does not notice). A tty without modem lines simply has none to drop.
    const int lines = TIOCM_DTR | TIOCM_RTS;
    if (::ioctl(fd, TIOCMBIC, &lines) != 0 && !NoSuchIoctl(errno))
        fail("TIOCMBIC");
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        errno = errno == EWOULDBLOCK ? EBUSY : errno;
        fail("flock");
    }
    if (::ioctl(fd, TIOCEXCL) != 0)
        fail("TIOCEXCL");

    termios tio {};
    if (::tcgetattr(fd, &tio) != 0)
        fail("tcgetattr");
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~tcflag_t(CSIZE | PARENB | CSTOPB | CRTSCTS | HUPCL);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~tcflag_t(IXON | IXOFF | IXANY | INPCK);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0)
        fail("tcsetattr");
    ::tcflush(fd, TCIOFLUSH);

    serial_struct serial {};
    s_->lowLatency = false;
    if (::ioctl(fd, TIOCGSERIAL, &serial) == 0) {
        serial.flags |= ASYNC_LOW_LATENCY;
        s_->lowLatency = ::ioctl(fd, TIOCSSERIAL, &serial) == 0;
    }

    auto session = std::make_shared<Session>();
    session->fd = fd;
    session->seen = ReadCounters(fd);
    s_->session = session;

    // The protocol's 1 ms polls want the scheduler's attention; where the system
    // does not allow it the program carries on at normal priority.
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, 0);
    if (errno == 0 && ::setpriority(PRIO_PROCESS, 0, -10) == 0) {
        s_->oldNice = nice;
        s_->priorityRaised = true;
    }

    if (!s_->poster)
        return;
    s_->stop = false;
    s_->watcher = std::thread([this, session, poster = s_->poster] {
        Counters last = ReadCounters(session->fd);
        int lastLines = -1;
        bool haveLines = true;
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(s_->stopMutex);
                if (s_->stopSignal.wait_for(lock, std::chrono::milliseconds(kWatchIntervalMs), [this] { return s_->stop; }))
                    return;
            }
            const Counters now = ReadCounters(session->fd);
            std::string errors;
            if (now.valid) {
                std::lock_guard<std::mutex> lock(session->mutex);
                errors = GrownErrors(session->seen, now);
                session->seen = now;
            }
            // The lines are read only when a counter moved (or the driver has none).
            const bool moved = !now.valid || now.cts != last.cts || now.dsr != last.dsr || lastLines < 0;
            last = now;
            int lines = 0;
            if (moved && haveLines) {
                if (::ioctl(session->fd, TIOCMGET, &lines) != 0) {
                    haveLines = false;  // a tty without modem lines
                } else if ((lines & (TIOCM_CTS | TIOCM_DSR)) != (lastLines & (TIOCM_CTS | TIOCM_DSR)) || lastLines < 0) {
                    const bool first = lastLines < 0;
                    lastLines = lines;
                    if (!first) {
                        const unsigned status = StatusBits(lines);
                        poster([this, session, status] {
                            if (session->open && events_)
                                events_->OnModemChange(status);
                        });
                    }
                }
            }
            if (!errors.empty())
                poster([this, session, errors] {
                    if (session->open && events_)
                        events_->OnLineError(errors);
                });
        }
    });
}

void TComPort::Close()
{
    if (!s_->session)
        return;
    if (s_->watcher.joinable()) {
        {
            std::lock_guard<std::mutex> lock(s_->stopMutex);
            s_->stop = true;
        }
        s_->stopSignal.notify_all();
        s_->watcher.join();  // the thread only posts, it never waits for this one
    }
    std::shared_ptr<Session> session = std::move(s_->session);
    session->open = false;  // events still queued for the window are dropped
    const int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(session->fd, TIOCMBIC, &lines);
    ::close(session->fd);
    if (s_->priorityRaised) {
        ::setpriority(PRIO_PROCESS, 0, s_->oldNice);
        s_->priorityRaised = false;
    }
}

void TComPort::CheckOpen(const char* operation) const
{
    if (!s_->session)
        Fail(operation, EBADF);
}

void TComPort::ReportLineErrors(const std::string& errors)
{
    if (!errors.empty() && events_)
        events_->OnLineError(errors);
}

int TComPort::InputCount()
{
    CheckOpen("InputCount");
    Session& session = *s_->session;
    // An unplugged converter, or the far end of the line gone.
    pollfd p {session.fd, POLLIN, 0};
    if (::poll(&p, 1, 0) < 0)
        Fail("poll", errno);
    if (p.revents & (POLLHUP | POLLERR | POLLNVAL))
        Fail("InputCount", EIO);
    int count = 0;
    if (::ioctl(session.fd, FIONREAD, &count) != 0)
        Fail("FIONREAD", errno);
    std::string errors;
    const Counters now = ReadCounters(session.fd);
    if (now.valid) {
        std::lock_guard<std::mutex> lock(session.mutex);
        errors = GrownErrors(session.seen, now);
        session.seen = now;
    }
    ReportLineErrors(errors);
    return count;
}

uint8_t TComPort::ReadByte()
{
    CheckOpen("ReadByte");
    uint8_t byte = 0;
    const ssize_t n = ::read(s_->session->fd, &byte, 1);
    if (n == 1)
        return byte;
    if (n == 0)
        Fail("read", EIO);  // end of file on a tty: the line hung up
    Fail("read", errno);
}

void TComPort::WriteBlock(const uint8_t* data, size_t size)
{
    CheckOpen("Write");
    const int fd = s_->session->fd;
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n > 0) {
            done += size_t(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            Fail("write", errno);
        // The driver's queue is full: wait for room, but not for ever.
        pollfd p {fd, POLLOUT, 0};
        const int ready = ::poll(&p, 1, 2000);
        if (ready == 0)
            Fail("write", ETIMEDOUT);
        if (ready < 0 && errno != EINTR)
            Fail("poll", errno);
        if (p.revents & (POLLHUP | POLLERR | POLLNVAL))
            Fail("write", EIO);
    }
}

void TComPort::WriteByte(uint8_t byte) { WriteBlock(&byte, 1); }

bool TComPort::WritePending()
{
    CheckOpen("WritePending");
    int queued = 0;
    if (::ioctl(s_->session->fd, TIOCOUTQ, &queued) != 0)
        Fail("TIOCOUTQ", errno);
    return queued > 0;
}

void TComPort::PurgeInput()
{
    if (!s_->session)
        return;
    if (::tcflush(s_->session->fd, TCIFLUSH) != 0)
        Fail("tcflush", errno);
}

void TComPort::ModemLines(unsigned long request, int bits, const char* operation)
{
    CheckOpen(operation);
    if (::ioctl(s_->session->fd, request, &bits) != 0)
        Fail(operation, errno);
}

void TComPort::SetDTR() { ModemLines(TIOCMBIS, TIOCM_DTR, "SetDTR"); }
void TComPort::ClearDTR() { ModemLines(TIOCMBIC, TIOCM_DTR, "ClearDTR"); }
void TComPort::SetRTS() { ModemLines(TIOCMBIS, TIOCM_RTS, "SetRTS"); }
void TComPort::ClearRTS() { ModemLines(TIOCMBIC, TIOCM_RTS, "ClearRTS"); }

unsigned TComPort::GetModemStatus()
{
    CheckOpen("GetModemStatus");
    int lines = 0;
    if (::ioctl(s_->session->fd, TIOCMGET, &lines) != 0)
        Fail("TIOCMGET", errno);
    return StatusBits(lines);
}
