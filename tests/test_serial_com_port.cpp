// TComPort on a pseudo-terminal pair: what a pty supports (settings, bytes, counts,
// purge, exclusive open, the far end going away) and what it refuses (modem lines).
#include "com_port.h"
#include "device_lock.h"
#include "link.h"
#include "link_test_host.h"
#include "pty_board.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <termios.h>
#include <atomic>
#include <mutex>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

namespace {

struct Pty : ::testing::Test {
    int master = -1;
    std::string slave;
    TComPort port;

    void SetUp() override
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(master, 0);
        ASSERT_EQ(::grantpt(master), 0);
        ASSERT_EQ(::unlockpt(master), 0);
        slave = ::ptsname(master);
        port.SetDeviceName(slave);
    }
    void TearDown() override
    {
        port.SetActive(false);
        if (master >= 0)
            ::close(master);
    }

    // Bytes the far end has received, waiting briefly for them.
    std::vector<uint8_t> ReadMaster(size_t expected)
    {
        std::vector<uint8_t> bytes;
        for (int i = 0; i < 200 && bytes.size() < expected; ++i) {
            uint8_t buf[64];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0)
                bytes.insert(bytes.end(), buf, buf + n);
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return bytes;
    }
    void WriteMaster(std::vector<uint8_t> bytes)
    {
        ASSERT_EQ(::write(master, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    int WaitForInput(int expected)
    {
        int count = 0;
        for (int i = 0; i < 200 && (count = port.InputCount()) < expected; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return count;
    }
};

TEST_F(Pty, OpensRaw9600EightNoneOne)
{
    port.SetActive(true);
    ASSERT_TRUE(port.Active());
    termios tio {};
    ASSERT_EQ(::tcgetattr(master, &tio), 0);  // a pty master reports its slave's settings
    EXPECT_EQ(::cfgetospeed(&tio), speed_t(B9600));
    EXPECT_EQ(::cfgetispeed(&tio), speed_t(B9600));
    EXPECT_EQ(tio.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    // The kernel drops DTR and RTS at the last close, also after a SIGKILL.
    EXPECT_EQ(tio.c_cflag & HUPCL, tcflag_t(HUPCL));
    EXPECT_EQ(tio.c_cflag & (CLOCAL | CREAD), tcflag_t(CLOCAL | CREAD));
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(tio.c_cc[VMIN], 0);
    EXPECT_EQ(tio.c_cc[VTIME], 0);
}

TEST_F(Pty, BytesBothWaysUntranslated)
{
    port.SetActive(true);
    port.WriteByte(0x0A);
    const uint8_t block[] = {0xA5, 0x0D, 0x11, 0xFF};
    port.WriteBlock(block, sizeof block);
    EXPECT_EQ(ReadMaster(5), (std::vector<uint8_t>{0x0A, 0xA5, 0x0D, 0x11, 0xFF}));
    EXPECT_FALSE(port.WritePending());

    EXPECT_EQ(port.InputCount(), 0);
    WriteMaster({0x0D, 0x13, 0xBA});
    ASSERT_EQ(WaitForInput(3), 3);
    EXPECT_EQ(port.ReadByte(), 0x0D);
    EXPECT_EQ(port.ReadByte(), 0x13);
    EXPECT_EQ(port.ReadByte(), 0xBA);
    EXPECT_EQ(port.InputCount(), 0);
    EXPECT_THROW(port.ReadByte(), EComError);
}

TEST_F(Pty, PurgeDiscardsReceivedBytes)
{
    EXPECT_NO_THROW(port.PurgeInput());  // closed: nothing to do
    port.SetActive(true);
    WriteMaster({1, 2, 3});
    ASSERT_EQ(WaitForInput(3), 3);
    port.PurgeInput();
    EXPECT_EQ(port.InputCount(), 0);
    WriteMaster({4});
    ASSERT_EQ(WaitForInput(1), 1);
    EXPECT_EQ(port.ReadByte(), 4);
}

TEST_F(Pty, SecondOpenerIsRefusedUntilClosed)
{
    port.SetActive(true);
    TComPort other;
    other.SetDeviceName(slave);
    try {
        other.SetActive(true);
        ADD_FAILURE() << "second open succeeded";
    } catch (const EComError& e) {
        EXPECT_EQ(e.Code(), EBUSY);
    }
    EXPECT_FALSE(other.Active());

    port.SetActive(false);
    EXPECT_NO_THROW(other.SetActive(true));
    other.SetActive(false);
}

// Another process (a second copy of either program) holds the device's lock: the port
// is refused before the tty is opened, for root as well, whom the exclusive flag does
// not stop; once that process has died its lock is taken over.
TEST_F(Pty, ALockHeldByAnotherProcessRefusesTheOpenBeforeTheTtyIsOpened)
{
    char folderTemplate[] = "/tmp/devlock_XXXXXX";
    ASSERT_NE(::mkdtemp(folderTemplate), nullptr);
    const std::string folder = folderTemplate;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        DeviceLock lock;
        const char held = lock.Take(slave, folder) && lock.Held() ? 'y' : 'n';
        (void)!::write(ready[1], &held, 1);
        ::pause();
        ::_exit(0);
    }
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    ASSERT_EQ(held, 'y');

    TComPort second;
    second.SetDeviceName(slave);
    second.SetLockFolder(folder);
    std::string refusal;
    int code = 0;
    try {
        second.SetActive(true);
    } catch (const EComError& e) {
        refusal = e.what();
        code = e.Code();
    }
    EXPECT_EQ(code, EBUSY);
    EXPECT_EQ(refusal.rfind("lock: ", 0), 0u) << refusal;  // not the open's, nor flock's
    EXPECT_FALSE(second.Active());
    // The tty was never opened: its settings are still the pty's, without our 9600 raw.
    termios tio {};
    ASSERT_EQ(::tcgetattr(master, &tio), 0);
    EXPECT_NE(tio.c_cflag & CLOCAL, tcflag_t(CLOCAL));

    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_NO_THROW(second.SetActive(true));
    EXPECT_TRUE(second.Active());
    second.SetActive(false);
    ::close(ready[0]);
    ::close(ready[1]);
    std::filesystem::remove_all(folder);
}

TEST(DeviceLockFile, NamedAfterTheDeviceNumberAndNeverAFifoOrLink)
{
    char folderTemplate[] = "/tmp/devlock_XXXXXX";
    ASSERT_NE(::mkdtemp(folderTemplate), nullptr);
    const std::string folder = folderTemplate;
    // /dev/null is character device 1:3 on every Linux.
    EXPECT_EQ(DeviceLockPath("/dev/null", folder), folder + "/lcdkonfig-1:3.lock");
    EXPECT_EQ(DeviceLockPath(folder, folder), "");  // no device node: no lock
    // A FIFO planted under the lock's name is not waited on: no lock, the port opens.
    ASSERT_EQ(::mkfifo((folder + "/lcdkonfig-1:3.lock").c_str(), 0644), 0);
    DeviceLock lock;
    EXPECT_TRUE(lock.Take("/dev/null", folder));
    EXPECT_FALSE(lock.Held());
    std::filesystem::remove_all(folder);
}

TEST_F(Pty, FarEndClosingFailsThePortCalls)
{
    port.SetActive(true);
    ::close(master);
    master = -1;
    try {
        port.InputCount();
        ADD_FAILURE() << "no error after hang-up";
    } catch (const EComError& e) {
        EXPECT_EQ(e.Code(), EIO);
    }
    EXPECT_THROW(port.ReadByte(), EComError);
    port.SetActive(false);
    EXPECT_THROW(port.InputCount(), EComError);  // closed
}

TEST_F(Pty, PortWithoutModemLinesOpensButAnExchangeEndsWithOneMessage)
{
    port.SetActive(true);
    try {
        port.SetDTR();
        ADD_FAILURE() << "a pty has no DTR";
    } catch (const EComError& e) {
        EXPECT_EQ(e.Code(), ENOTTY);
    }
    EXPECT_THROW(port.GetModemStatus(), EComError);

    VirtualClock clock;
    LinkTestHost host(clock);
    ParameterSet params;
    params.SelectedPort = slave;
    Link link{port, host, params};
    bool cleanedUp = false;
    EXPECT_EQ(RunExchange(link, [&] { return StartSession(link) == SessionResult::Ok ? Outcome::Done : link.Failure; }, [&] { cleanedUp = true; }), Outcome::PortFailed);
    EXPECT_TRUE(cleanedUp);
    EXPECT_EQ(host.dialogs.Log(), (std::vector<std::string>{"beep", "error:ComPortError:  " + slave + " !"}));
}

TEST_F(Pty, WatcherThreadsStartAndStopWithThePort)
{
    std::mutex mutex;
    std::vector<std::function<void()>> posted;
    port.SetPoster([&](std::function<void()> call) {
        std::lock_guard<std::mutex> lock(mutex);
        posted.push_back(std::move(call));
    });
    port.SetCheckInterval(2);
    for (int i = 0; i < 3; ++i) {
        port.SetActive(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        port.SetActive(false);
    }
    std::lock_guard<std::mutex> lock(mutex);
    EXPECT_TRUE(posted.empty());  // a pty has neither line changes nor error counters
    EXPECT_GT(port.WatcherWakeups(), 3);
}

TEST_F(Pty, ClosingLeavesThePortOpenableForOthers)
{
    port.SetActive(true);
    port.SetActive(false);
    // The exclusive flag lives on a pty while its master is open: cleared at close,
    // another (unprivileged) program can open the port again.
    const int fd = ::open(slave.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    int exclusive = -1;
    ASSERT_EQ(::ioctl(fd, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    ::close(fd);
}

TEST(KernelTtyDriver, WakeInterruptsAWaitingCall)
{
    // The wake signal's handler is installed without SA_RESTART: a thread blocked in a
    // call (here a read of an empty pipe) comes back with EINTR.
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    TtyDriver& driver = KernelTtyDriver();
    std::atomic<int> error{0};
    std::atomic<bool> done{false};
    std::thread waiter([&] {
        char c;
        if (::read(pipeFds[0], &c, 1) < 0)
            error = errno;
        done = true;
    });
    for (int i = 0; i < 2000 && !done; ++i) {
        driver.WakeLineWait(waiter.native_handle());
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!done)
        (void)!::write(pipeFds[1], "x", 1);
    waiter.join();
    EXPECT_EQ(error.load(), EINTR);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
}

// ---- the port against the virtual board, through a pty with modem lines ----------

struct Events : PortEvents {
    std::vector<std::string> seen;
    void OnLineError(const std::string& what) override { seen.push_back("error:" + what); }
    void OnModemChange(unsigned status) override { seen.push_back("lines:" + std::to_string(status)); }
    void OnPortGone() override { seen.push_back("gone"); }
};

struct Rig : ::testing::Test {
    VirtualClock clock;
    VirtualBoard board{clock};
    PtyBoard pty{board};
    LinkTestHost host{clock};
    TComPort port{pty};
    Events events;

    Rig()
    {
        pty.Attach(host);
        port.SetDeviceName(pty.DeviceName());
        port.SetEvents(&events);
        port.SetPoster(host.Poster());
    }
    ~Rig() override { port.SetActive(false); }

    // Real time passes until the port's threads have posted something.
    bool WaitForPosted(int ms = 2000)
    {
        for (int i = 0; i < ms && host.PostedWaiting() == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return host.PostedWaiting() > 0;
    }
};

TEST_F(Rig, LinesReachTheBoardAndItsAnswersComeBack)
{
    board.ResetAnswer.delayUs = 5000;
    port.SetActive(true);
    // Opening: the exclusive mode first, then both lines down.
    EXPECT_EQ(pty.Requests(), (std::vector<std::string>{"TIOCEXCL", "TIOCMBIC DTR RTS"}));
    port.SetDTR();
    EXPECT_TRUE(board.DtrHigh());
    EXPECT_EQ(port.GetModemStatus() & kModemDsr, 0u);
    host.Sleep(5);
    EXPECT_EQ(port.GetModemStatus(), kModemDsr);

    // The line waiter heard the change in the kernel and posted it.
    ASSERT_TRUE(WaitForPosted());
    host.ProcessMessages();
    EXPECT_EQ(events.seen, std::vector<std::string>{"lines:" + std::to_string(kModemDsr)});

    port.SetRTS();
    host.Sleep(10);
    EXPECT_TRUE(board.RtsHigh());
    EXPECT_EQ(port.GetModemStatus(), kModemDsr | kModemCts);

    const int waits = pty.LineWaits();
    port.SetActive(false);  // wakes the waiter, drops the lines, leaves exclusive mode
    EXPECT_GT(pty.LineWaits(), waits);
    EXPECT_FALSE(board.DtrHigh());
    EXPECT_FALSE(board.RtsHigh());
    EXPECT_EQ(pty.Requests().back(), "TIOCNXCL");
}

TEST_F(Rig, WithoutALineWaitTheCheckerFollowsTheLines)
{
    pty.NoLineWait = true;
    port.SetCheckInterval(5);
    port.SetActive(true);
    // The waiter has met the refusal and gone; the change comes later.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    host.ProcessMessages();
    port.SetRTS();
    host.Sleep(10);
    ASSERT_TRUE(WaitForPosted());
    host.ProcessMessages();
    EXPECT_EQ(events.seen, std::vector<std::string>{"lines:" + std::to_string(kModemCts)});
}

TEST_F(Rig, AnIdlePortWakesItsThreadsOnlyAFewTimesASecond)
{
    port.SetActive(true);
    const long before = port.WatcherWakeups();
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    // The checker twice (every 250 ms), the waiter not at all: nothing changed.
    EXPECT_LE(port.WatcherWakeups() - before, 4);
    EXPECT_GE(port.WatcherWakeups() - before, 1);
}

TEST_F(Rig, BytesCrossThePtyInVirtualTime)
{
    port.SetActive(true);
    port.WriteByte(0xBA);
    EXPECT_TRUE(port.WritePending());  // 1.04 ms on the wire at 9600 baud
    host.Sleep(2);
    EXPECT_FALSE(port.WritePending());
    board.Send({0x01, 0x02, 0x03});
    host.Sleep(3);
    EXPECT_EQ(port.InputCount(), 2);
    host.Sleep(1);
    ASSERT_EQ(port.InputCount(), 3);
    EXPECT_EQ(port.ReadByte(), 0x01);
    EXPECT_EQ(board.BytesReceived(), std::vector<uint8_t>{0xBA});
}

TEST_F(Rig, ALineErrorIsReportedOnceWhoeverSeesItFirst)
{
    port.SetCheckInterval(1);
    port.SetActive(true);

    // The exchange's InputCount meets it first: reported, and the call fails; the
    // checker's look, posted meanwhile, finds nothing left to report.
    board.InjectLineError(LineErrorKind::Frame);
    host.Sleep(1);
    EXPECT_THROW(port.InputCount(), ELineError);
    EXPECT_EQ(events.seen, std::vector<std::string>{"error:Rahmenfehler"});
    WaitForPosted();
    host.ProcessMessages();
    EXPECT_EQ(events.seen.size(), 1u);

    // The checker sees it first: the window reports it when it processes its
    // messages, and InputCount does not report it again.
    board.InjectLineError(LineErrorKind::Overrun);
    host.Sleep(1);
    ASSERT_TRUE(WaitForPosted());
    host.ProcessMessages();
    EXPECT_EQ(events.seen.back(), "error:Überlauf");
    EXPECT_NO_THROW(port.InputCount());
    EXPECT_EQ(events.seen.size(), 2u);
}

TEST_F(Rig, APortHeldByAnotherIsLeftAlone)
{
    port.SetActive(true);
    port.SetDTR();
    const std::vector<std::string> before = pty.Requests();
    TComPort other(pty);
    other.SetDeviceName(pty.DeviceName());
    EXPECT_THROW(other.SetActive(true), EComError);
    // Refused before it touched the lines: the board stays held in reset by its owner.
    EXPECT_EQ(pty.Requests(), before);
    EXPECT_TRUE(board.DtrHigh());
}

TEST_F(Rig, AHangUpIsReportedAsAGoneDevice)
{
    port.SetCheckInterval(2);
    port.SetActive(true);
    pty.HangUp();
    ASSERT_TRUE(WaitForPosted());
    host.ProcessMessages();
    ASSERT_FALSE(events.seen.empty());
    EXPECT_EQ(events.seen.front(), "gone");
    // A call that meets the dead line reports it too, then fails.
    events.seen.clear();
    try {
        port.InputCount();
        ADD_FAILURE() << "no error on a hung-up line";
    } catch (const EComError& e) {
        EXPECT_EQ(e.Code(), EIO);
    }
    EXPECT_EQ(events.seen, std::vector<std::string>{"gone"});
    port.SetActive(false);
}

}  // namespace
