#include "board_config.h"

#include <gtest/gtest.h>

namespace {

// The PC side driven by hand: bytes written at chosen moments of the virtual clock.
struct BoardOnWire : ::testing::Test {
    VirtualClock clock;
    VirtualBoard board{clock};
    ConfigBoard config;

    BoardOnWire()
    {
        board.SetApplication(&config);
        board.SetActive(true);
    }
    void Write(std::initializer_list<uint8_t> bytes)
    {
        for (uint8_t b : bytes) board.WriteByte(b);
    }
    void WriteText(const std::string& text)
    {
        for (char c : text) board.WriteByte(uint8_t(c));
    }
    // Lets `ms` pass and returns what arrived at the PC meanwhile.
    std::string Receive(int ms)
    {
        clock.AdvanceMs(ms);
        std::string got;
        while (board.InputCount() > 0) got += char(board.ReadByte());
        return got;
    }
    std::vector<int64_t> ToPcTimes() const
    {
        std::vector<int64_t> t;
        for (const auto& e : board.Log())
            if (e.kind == VirtualBoard::LogEntry::Kind::ToPc) t.push_back(e.timeUs);
        return t;
    }
};

}  // namespace

TEST_F(BoardOnWire, DownloadStreamLayoutAndWireTiming)
{
    config.Values.fill(0);
    config.Values[0] = -5;
    config.FaultTimes.fill(1);
    config.FaultCodes.fill(2);
    config.SerialNumber = "1234";
    config.DeviceMark = "XYZ";
    config.DeviceType = 9;
    config.Language = 1;
    config.VersionText = "8.0";

    std::string expected = "-5_";
    for (int i = 1; i < 120; ++i) expected += "0_";
    for (int i = 0; i < 1000; ++i) expected += "1_";
    for (int i = 0; i < 1000; ++i) expected += "2_";
    expected += "1234XYZ\xAF";
    expected += std::string{char(2), char(1), char(9)} + "8.0_";

    std::vector<uint8_t> stream = config.DownloadStream();
    EXPECT_EQ(std::string(stream.begin(), stream.end()), expected);

    Write({0xA5, 0xAB});
    EXPECT_EQ(Receive(50), "");  // the board waits before it starts
    std::string got = Receive(10'000);
    EXPECT_EQ(got, expected);
    std::vector<int64_t> t = ToPcTimes();
    ASSERT_EQ(t.size(), expected.size());
    // Received at 2 × 1.042 ms, first byte 100 ms later and one byte time on the wire.
    EXPECT_EQ(t.front(), 2 * kByteTimeUs + config.DownloadDelayUs + kByteTimeUs);
    for (size_t i = 1; i < t.size(); ++i) ASSERT_EQ(t[i] - t[i - 1], kByteTimeUs) << i;
}

TEST_F(BoardOnWire, DownloadFailureModesShapeTheStream)
{
    config.FaultCodes.fill(7);
    size_t full = config.DownloadStream().size();
    config.Faults.SilentAfter = 100;
    EXPECT_EQ(config.DownloadStream().size(), 100u);
    config.Faults = {};
    config.Faults.MissingFaultCodes = 2;
    EXPECT_EQ(config.DownloadStream().size(), full - 4);
    config.Faults = {};
    config.Faults.OverlongField = 0;
    std::vector<uint8_t> s = config.DownloadStream();
    EXPECT_EQ(std::string(s.begin(), s.begin() + 61), std::string(60, '9') + "_");
    config.Faults = {};
    config.Faults.StopAfterDeviceType = true;
    s = config.DownloadStream();
    EXPECT_EQ(s.back(), config.DeviceType);
}

TEST_F(BoardOnWire, UploadIsEchoedAndStoredAfterTheStoringPhase)
{
    Write({0xA5, 0xA8});
    EXPECT_EQ(Receive(10), "\x02");
    std::string data;
    for (int i = 0; i < 120; ++i) data += std::to_string(i - 3) + "_";
    for (char c : data) {
        board.WriteByte(uint8_t(c));
        ASSERT_EQ(Receive(3), std::string(1, c));
    }
    board.WriteByte(0xFA);
    int64_t faSentUs = clock.NowUs();
    EXPECT_EQ(Receive(3), "\xFA");
    EXPECT_EQ(config.Uploads(), 0);
    EXPECT_EQ(Receive(2990), "");  // still storing
    EXPECT_EQ(Receive(10), "\xAF");
    EXPECT_EQ(ToPcTimes().back(), faSentUs + kByteTimeUs + config.StoreDelayUs + kByteTimeUs);
    EXPECT_EQ(config.Uploads(), 1);
    EXPECT_EQ(config.Values[0], -3);
    EXPECT_EQ(config.Values[119], 116);
    EXPECT_FALSE(config.Busy());
}

TEST_F(BoardOnWire, EchoFaultsAndAResetInTheMiddle)
{
    config.Faults.WrongEchoAt = 1;
    config.Faults.NoEchoFrom = 3;
    Write({0xA5, 0xA8});
    Receive(10);
    WriteText("1234");
    EXPECT_EQ(Receive(10), std::string("1") + char(~'2') + "3");

    // A reset drops the running upload: afterwards the board answers the ping again
    // and nothing of the partial upload was stored.
    board.SetDTR();
    clock.AdvanceMs(200);
    board.ClearDTR();
    clock.AdvanceMs(10);
    Write({0xBA});
    EXPECT_EQ(Receive(5), "\xBA");
    EXPECT_EQ(config.Uploads(), 0);
    EXPECT_EQ(config.Values[0], 0);
}

TEST_F(BoardOnWire, ClearAndIdentityCommands)
{
    Write({0xA5, 0xA3});
    EXPECT_EQ(Receive(10), "\xA5\xA3");
    EXPECT_EQ(Receive(280), "");
    EXPECT_EQ(Receive(20), "\xAF");
    EXPECT_EQ(config.OperatingTime, 0);

    Write({0xA5, 0xB8});
    WriteText("9876XY");
    Receive(20);
    EXPECT_EQ(config.SerialNumber, "0001");
    WriteText("Z\xFA");
    EXPECT_EQ(Receive(5), "Z\xFA");
    EXPECT_EQ(Receive(300), "\xAF");
    EXPECT_EQ(config.SerialNumber, "9876");
    EXPECT_EQ(config.DeviceMark, "XYZ");

    Write({0xA5, 0xA4});
    WriteText("12_\xFA");
    EXPECT_EQ(Receive(310), "12_\xFA\xAF");
    EXPECT_EQ(config.DeviceType, 12);
    EXPECT_EQ(config.Commands(), (std::vector<uint8_t>{0xA3, 0xB8, 0xA4}));
}

TEST_F(BoardOnWire, UnplugAfterAByteMakesThePortFail)
{
    config.Faults.UnplugAfter = 2;
    Write({0xA5, 0xA4});
    WriteText("12_");
    clock.AdvanceMs(10);
    EXPECT_THROW(board.InputCount(), EComError);
}
