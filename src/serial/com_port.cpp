#include "com_port.h"

#include "device_lock.h"
#include "line_counters.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdint>
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

[[noreturn]] void Throw(const char* operation, int error)
{
    throw EComError(error, std::string(operation) + ": " + std::strerror(error));
}

bool NoSuchIoctl(int error) { return error == ENOTTY || error == EINVAL; }

// The errors of a device that is no longer there: the converter was unplugged, or the
// far end of a pseudo-terminal closed.
bool DeviceGone(int error) { return error == EIO || error == ENODEV || error == ENXIO; }

constexpr int kAnswerLines = TIOCM_CTS | TIOCM_DSR;

// The error counters of the driver; a driver without them answers ENOTTY or EINVAL.
// Returns 0 or the errno.
int ReadCounters(TtyDriver& driver, int fd, LineCounters& errors)
{
    serial_icounter_struct ic {};
    if (driver.Ioctl(fd, TIOCGICOUNT, &ic) != 0)
        return errno;
    errors = {ic.frame, ic.overrun, ic.parity, ic.brk, ic.buf_overrun};
    return 0;
}

unsigned StatusBits(int lines)
{
    return ((lines & TIOCM_CTS) ? kModemCts : 0u) | ((lines & TIOCM_DSR) ? kModemDsr : 0u)
           | ((lines & TIOCM_RNG) ? kModemRing : 0u) | ((lines & TIOCM_CAR) ? kModemRlsd : 0u);
}

// One opening of the port. Queued calls of the watching threads hold it, so that a
// call that arrives after the port was closed (or opened anew) does nothing.
struct Session {
    int fd = -1;
    // Window's thread only.
    bool open = true;
    bool haveCounters = false;
    LineCounters seen;  // the errors reported so far
};

}  // namespace

struct TComPort::State {
    explicit State(TtyDriver& d) : driver(d) {}

    TtyDriver& driver;
    std::string deviceName = "COM1";
    std::shared_ptr<Session> session;
    EventPoster poster;

    std::thread waiter;
    std::thread checker;
    std::mutex mutex;                // guards the fields below
    std::condition_variable changed;
    bool stop = false;
    bool waiterDone = true;
    int postedLines = 0;             // the CTS and DSR the window was told last
    std::atomic<long> wakeups{0};
    int checkIntervalMs = kCheckIntervalMs;

    DeviceLock lock;
    std::string lockFolder = kDeviceLockFolder;

    bool lowLatency = false;
    bool priorityRaised = false;
    int oldNice = 0;
};

TComPort::TComPort(TtyDriver& driver) : s_(std::make_unique<State>(driver)) {}

TComPort::~TComPort() { Close(); }

void TComPort::SetPoster(EventPoster poster) { s_->poster = std::move(poster); }
void TComPort::SetCheckInterval(int ms) { s_->checkIntervalMs = ms; }
void TComPort::SetDeviceName(const std::string& name) { s_->deviceName = name; }
void TComPort::SetLockFolder(const std::string& folder) { s_->lockFolder = folder; }
std::string TComPort::DeviceName() const { return s_->deviceName; }
bool TComPort::Active() const { return s_->session != nullptr; }
bool TComPort::LowLatency() const { return s_->lowLatency; }
long TComPort::WatcherWakeups() const { return s_->wakeups.load(); }

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
    TtyDriver& driver = s_->driver;
    // Before the open: opening raises DTR and RTS, which would reset the board under
    // another copy of the program, and root passes the exclusive flag.
    if (!s_->lock.Take(s_->deviceName, s_->lockFolder))
        Throw("lock", errno);
    const int fd = ::open(s_->deviceName.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        s_->lock.Release();
        Throw("open", error);
    }
    bool exclusive = false;
    auto fail = [&](const char* operation) {
        const int error = errno;
        if (exclusive)
            driver.Ioctl(fd, TIOCNXCL, nullptr);
        ::close(fd);
        s_->lock.Release();
        Throw(operation, error);
    };
    // The lock first: a port another program holds is left exactly as it is.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        errno = errno == EWOULDBLOCK ? EBUSY : errno;
        fail("flock");
    }
    if (driver.Ioctl(fd, TIOCEXCL, nullptr) != 0)
        fail("TIOCEXCL");
    exclusive = true;

    // The port is ours. Linux raises DTR and RTS on every open; drop them before
    // anything else so that the board sees as short a pulse as possible (a board in
    // reset for microseconds does not notice). A tty without modem lines has none.
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (driver.Ioctl(fd, TIOCMBIC, &lines) != 0 && !NoSuchIoctl(errno))
        fail("TIOCMBIC");

    termios tio {};
    if (::tcgetattr(fd, &tio) != 0)
        fail("tcgetattr");
    ::cfmakeraw(&tio);
    // HUPCL stays set: when the last holder of the port ends, also by SIGKILL, the
    // kernel drops DTR and RTS, which lets the board out of reset and out of its boot
    // mode into its normal running state.
    tio.c_cflag &= ~tcflag_t(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD | HUPCL;
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
    if (driver.Ioctl(fd, TIOCGSERIAL, &serial) == 0) {
        serial.flags |= ASYNC_LOW_LATENCY;
        s_->lowLatency = driver.Ioctl(fd, TIOCSSERIAL, &serial) == 0;
    }

    auto session = std::make_shared<Session>();
    session->fd = fd;
    session->haveCounters = ReadCounters(driver, fd, session->seen) == 0;
    s_->session = session;

    // The protocol's 1 ms polls want the scheduler's attention; where the system
    // does not allow it the program carries on at normal priority.
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, 0);
    if (errno == 0 && ::setpriority(PRIO_PROCESS, 0, -10) == 0) {
        s_->oldNice = nice;
        s_->priorityRaised = true;
    }

    if (s_->poster)
        StartWatching();
}

void TComPort::StartWatching()
{
    std::shared_ptr<Session> session = s_->session;
    TtyDriver& driver = s_->driver;
    const int fd = session->fd;
    EventPoster poster = s_->poster;
    int lines = 0;
    const bool haveLines = driver.Ioctl(fd, TIOCMGET, &lines) == 0;
    {
        std::lock_guard<std::mutex> lock(s_->mutex);
        s_->stop = false;
        s_->postedLines = lines & kAnswerLines;
        s_->waiterDone = !haveLines;
    }

    // Both threads only post; they never wait for the window's thread.
    auto postGone = [this, session, poster] {
        poster([this, session] {
            if (session->open && events_)
                events_->OnPortGone();
        });
    };
    // Posts the lines when CTS or DSR differ from what the window was told last.
    auto postLines = [this, session, poster](int now) {
        {
            std::lock_guard<std::mutex> lock(s_->mutex);
            if (((now ^ s_->postedLines) & kAnswerLines) == 0)
                return;
            s_->postedLines = now & kAnswerLines;
        }
        const unsigned status = StatusBits(now);
        poster([this, session, status] {
            if (session->open && events_)
                events_->OnModemChange(status);
        });
    };
    auto stopping = [this] {
        std::lock_guard<std::mutex> lock(s_->mutex);
        return s_->stop;
    };

    if (haveLines) {
        s_->waiter = std::thread([this, &driver, fd, postGone, postLines, stopping] {
            for (;;) {
                // The lines as they are before each wait: what changed since the last
                // look (or since the port opened) is not lost.
                int now = 0;
                if (driver.Ioctl(fd, TIOCMGET, &now) == 0)
                    postLines(now);
                const int result = driver.Ioctl(fd, TIOCMIWAIT, reinterpret_cast<void*>(uintptr_t(kAnswerLines)));
                const int error = errno;
                ++s_->wakeups;
                if (stopping())
                    break;
                if (result != 0) {
                    if (error == EINTR)
                        continue;
                    // Without TIOCMIWAIT the checker's look at the lines is all there is.
                    if (DeviceGone(error))
                        postGone();
                    break;
                }
            }
            std::lock_guard<std::mutex> lock(s_->mutex);
            s_->waiterDone = true;
            s_->changed.notify_all();
        });
    }

    const auto interval = std::chrono::milliseconds(s_->checkIntervalMs);
    s_->checker = std::thread([this, &driver, fd, session, poster, postGone, postLines, interval, haveLines,
                               lastErrors = session->seen]() mutable {
        std::unique_lock<std::mutex> lock(s_->mutex);
        for (;;) {
            s_->changed.wait_for(lock, interval, [this] { return s_->stop; });
            if (s_->stop)
                return;
            lock.unlock();
            ++s_->wakeups;

            pollfd p {fd, 0, 0};
            const bool hungUp = ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL));
            LineCounters errors;
            const int error = ReadCounters(driver, fd, errors);
            if (hungUp || DeviceGone(error)) {
                postGone();
                lock.lock();
                return;
            }
            if (error == 0 && !(errors == lastErrors)) {
                lastErrors = errors;
                // The window's thread owns the errors: it looks at the counters itself
                // and reports what it has not reported yet.
                poster([this, session] {
                    if (!session->open)
                        return;
                    const std::string what = TakeLineErrors();
                    if (!what.empty() && events_)
                        events_->OnLineError(what);
                });
            }
            // The lines also from here: the waiter misses a change that comes just
            // before it goes (back) to waiting, and some drivers have no TIOCMIWAIT.
            int now = 0;
            if (haveLines && driver.Ioctl(fd, TIOCMGET, &now) == 0)
                postLines(now);
            lock.lock();
        }
    });
}

void TComPort::StopWatching()
{
    std::unique_lock<std::mutex> lock(s_->mutex);
    s_->stop = true;
    s_->changed.notify_all();
    while (!s_->waiterDone) {
        s_->driver.WakeLineWait(s_->waiter.native_handle());
        s_->changed.wait_for(lock, std::chrono::milliseconds(2), [this] { return s_->waiterDone; });
    }
    lock.unlock();
    if (s_->waiter.joinable())
        s_->waiter.join();
    if (s_->checker.joinable())
        s_->checker.join();
}

void TComPort::Close()
{
    if (!s_->session)
        return;
    StopWatching();
    std::shared_ptr<Session> session = std::move(s_->session);
    session->open = false;  // calls still queued for the window are dropped
    int lines = TIOCM_DTR | TIOCM_RTS;
    s_->driver.Ioctl(session->fd, TIOCMBIC, &lines);
    // Left set, the exclusive flag outlives this opening on a tty whose other end stays
    // (a pseudo-terminal of socat or ser2net): nobody else could open it any more.
    s_->driver.Ioctl(session->fd, TIOCNXCL, nullptr);
    ::close(session->fd);
    s_->lock.Release();
    if (s_->priorityRaised) {
        ::setpriority(PRIO_PROCESS, 0, s_->oldNice);
        s_->priorityRaised = false;
    }
}

void TComPort::CheckOpen(const char* operation) const
{
    if (!s_->session)
        Throw(operation, EBADF);
}

// A device that is gone is reported before the call fails; the window then closes the
// port and darkens both panels.
void TComPort::Fail(const char* operation, int error)
{
    if (DeviceGone(error) && s_->session && events_)
        events_->OnPortGone();
    Throw(operation, error);
}

// The errors the driver counted since they were last taken, by name; empty if none.
// Window's thread only: this is the one place that decides what has been reported.
std::string TComPort::TakeLineErrors()
{
    std::shared_ptr<Session> session = s_->session;
    if (!session || !session->haveCounters)
        return {};
    LineCounters now;
    if (ReadCounters(s_->driver, session->fd, now) != 0)
        return {};
    const std::string what = GrownErrors(session->seen, now);
    session->seen = now;
    return what;
}

int TComPort::InputCount()
{
    CheckOpen("InputCount");
    std::shared_ptr<Session> session = s_->session;
    pollfd p {session->fd, POLLIN, 0};
    if (::poll(&p, 1, 0) < 0)
        Fail("poll", errno);
    if (p.revents & (POLLHUP | POLLERR | POLLNVAL))
        Fail("InputCount", EIO);
    int count = 0;
    if (s_->driver.Ioctl(session->fd, FIONREAD, &count) != 0)
        Fail("FIONREAD", errno);
    // After the count: a byte the driver flagged is counted, and its error seen.
    const std::string errors = TakeLineErrors();
    if (!errors.empty()) {
        if (events_)
            events_->OnLineError(errors);
        throw ELineError(errors);
    }
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
        const ssize_t n = s_->driver.Write(fd, data + done, size - done);
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
    if (s_->driver.Ioctl(s_->session->fd, TIOCOUTQ, &queued) != 0)
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
    if (s_->driver.Ioctl(s_->session->fd, request, &bits) != 0)
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
    if (s_->driver.Ioctl(s_->session->fd, TIOCMGET, &lines) != 0)
        Fail("TIOCMGET", errno);
    return StatusBits(lines);
}
