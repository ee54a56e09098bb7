// TComPort on a pseudo-terminal pair: what a pty supports (settings, bytes, counts,
// purge, exclusive open, the far end going away) and what it refuses (modem lines).
#include "com_port.h"
#include "link.h"
#include "link_test_host.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <termios.h>
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
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS | HUPCL), 0u);
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
    EXPECT_FALSE(RunExchange(link, [&] { StartSession(link); }, [&] { cleanedUp = true; }));
    EXPECT_TRUE(cleanedUp);
    EXPECT_EQ(host.dialogs.Log(), (std::vector<std::string>{"beep", "error:ComPortError:  " + slave + " !"}));
}

TEST_F(Pty, WatcherThreadStartsAndStopsWithThePort)
{
    std::vector<std::function<void()>> posted;
    port.SetPoster([&](std::function<void()> call) { posted.push_back(std::move(call)); });
    for (int i = 0; i < 3; ++i) {
        port.SetActive(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(5 * TComPort::kCheckIntervalMs));
        port.SetActive(false);
    }
    EXPECT_TRUE(posted.empty());  // a pty has neither line changes nor error counters
}

}  // namespace
