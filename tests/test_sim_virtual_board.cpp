// The virtual board's wire, lines, reset and failure modes, in virtual time.
#include "board_application.h"
#include "link_test_host.h"
#include "virtual_board.h"

#include <gtest/gtest.h>

namespace {

struct Recorder : BoardProgram {
    std::vector<std::pair<int64_t, uint8_t>> bytes;
    int starts = 0;
    void OnStart(VirtualBoard&) override { ++starts; }
    void OnByte(VirtualBoard& board, uint8_t byte) override { bytes.push_back({board.NowUs(), byte}); }
};

struct Events : PortEvents {
    std::vector<std::string> seen;
    void OnLineError(const std::string& what) override { seen.push_back("error:" + what); }
    void OnModemChange(unsigned status) override { seen.push_back("modem:" + std::to_string(status)); }
    void OnPortGone() override { seen.push_back("gone"); }
};

struct BoardFixture : ::testing::Test {
    VirtualClock clock;
    VirtualBoard board{clock};
    Recorder app, boot;

    BoardFixture()
    {
        board.SetApplication(&app);
        board.SetBootRom(&boot);
        board.SetActive(true);
    }
};

TEST_F(BoardFixture, BytesCrossTheWireAt9600Baud)
{
    const uint8_t block[] = {1, 2, 3};
    board.WriteBlock(block, 3);
    clock.AdvanceUs(3 * kByteTimeUs - 1);
    EXPECT_TRUE(board.WritePending());
    clock.AdvanceUs(1);
    EXPECT_FALSE(board.WritePending());
    EXPECT_EQ(app.bytes, (std::vector<std::pair<int64_t, uint8_t>>{
                             {kByteTimeUs, 1}, {2 * kByteTimeUs, 2}, {3 * kByteTimeUs, 3}}));

    board.Send(std::vector<uint8_t>{7, 8}, 500);  // after a 0.5 ms pause
    const int64_t t0 = clock.NowUs();
    clock.AdvanceUs(500 + kByteTimeUs - 1);
    EXPECT_EQ(board.InputCount(), 0);
    clock.AdvanceUs(1);
    EXPECT_EQ(board.InputCount(), 1);
    clock.AdvanceUs(kByteTimeUs);
    EXPECT_EQ(board.InputCount(), 2);
    EXPECT_EQ(board.ReadByte(), 7);
    EXPECT_EQ(board.ReadByte(), 8);
    EXPECT_EQ(board.Log().back().timeUs, t0 + 500 + 2 * kByteTimeUs);
    EXPECT_EQ(board.BytesSent(), (std::vector<uint8_t>{7, 8}));
    EXPECT_EQ(board.BytesReceived(), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(BoardFixture, PurgeDropsOnlyWhatHasArrived)
{
    board.Send(std::vector<uint8_t>{1, 2, 3});
    clock.AdvanceUs(2 * kByteTimeUs);
    board.PurgeInput();
    EXPECT_EQ(board.InputCount(), 0);
    clock.AdvanceUs(kByteTimeUs);
    EXPECT_EQ(board.InputCount(), 1);
    EXPECT_EQ(board.ReadByte(), 3);
    EXPECT_THROW(board.ReadByte(), EComError);
}

TEST_F(BoardFixture, AnswerLinesFollowAfterTheirDelayOrNot)
{
    board.ResetAnswer.delayUs = 3000;
    board.SetDTR();
    clock.AdvanceUs(2999);
    EXPECT_EQ(board.GetModemStatus(), 0u);
    clock.AdvanceUs(1);
    EXPECT_EQ(board.GetModemStatus(), kModemDsr);
    board.SetRTS();
    clock.AdvanceMs(10);
    EXPECT_EQ(board.GetModemStatus(), kModemDsr | kModemCts);

    board.ModeAnswer.mode = LineBehaviour::Mode::Never;
    board.ClearRTS();
    clock.AdvanceMs(100);
    EXPECT_EQ(board.GetModemStatus(), kModemDsr | kModemCts);  // CTS never dropped
    board.ResetAnswer.mode = LineBehaviour::Mode::StuckOn;
    board.ClearDTR();
    clock.AdvanceMs(100);
    EXPECT_EQ(board.GetModemStatus() & kModemDsr, kModemDsr);
}

TEST_F(BoardFixture, ResetStopsTheProgramAndModeLineSelectsTheBootRom)
{
    EXPECT_EQ(app.starts, 1);  // running since it was installed
    board.SetDTR();
    EXPECT_TRUE(board.InReset());
    EXPECT_EQ(board.Running(), nullptr);
    board.WriteByte(0x55);
    clock.AdvanceMs(5);
    EXPECT_EQ(board.InputCount(), 0);
    EXPECT_TRUE(app.bytes.empty());  // a board in reset hears nothing
    EXPECT_EQ(board.BytesReceived(), std::vector<uint8_t>{0x55});

    board.SetRTS();
    board.ClearDTR();
    EXPECT_EQ(board.Running(), &boot);
    EXPECT_EQ(boot.starts, 1);
    board.SetDTR();
    board.ClearRTS();
    board.ClearDTR();
    EXPECT_EQ(board.Running(), &app);
    EXPECT_EQ(app.starts, 2);
}

TEST_F(BoardFixture, ResetDropsWhatTheBoardWasStillSending)
{
    board.Send(std::vector<uint8_t>{1, 2, 3});
    bool stored = false;
    board.At(5000, [&] { stored = true; });
    clock.AdvanceUs(kByteTimeUs);
    board.SetDTR();
    clock.AdvanceMs(20);
    EXPECT_EQ(board.InputCount(), 1);
    EXPECT_FALSE(stored);
}

TEST_F(BoardFixture, FailuresAndClosedPort)
{
    board.FailCall("WriteByte", 19);
    try {
        board.WriteByte(1);
        ADD_FAILURE() << "no error";
    } catch (const EComError& e) {
        EXPECT_EQ(e.Code(), 19);
    }
    EXPECT_NO_THROW(board.WriteByte(1));  // only the next call fails

    board.SetActive(false);
    EXPECT_NO_THROW(board.PurgeInput());
    EXPECT_THROW(board.InputCount(), EComError);
    EXPECT_THROW(board.GetModemStatus(), EComError);

    board.SetActive(true);
    board.Unplug();
    EXPECT_THROW(board.WritePending(), EComError);
    EXPECT_NO_THROW(board.SetActive(false));
    EXPECT_THROW(board.SetActive(true), EComError);
}

TEST_F(BoardFixture, LineErrorsAndLineChangesReachTheWindow)
{
    Events events;
    LinkTestHost host(clock);
    board.SetEvents(&events);
    board.SetPoster(host.Poster());

    // Met by the PC side first: InputCount reports it and fails; the watcher's look
    // that was posted meanwhile finds nothing new.
    board.InjectLineError(LineErrorKind::Frame);
    EXPECT_TRUE(events.seen.empty());
    EXPECT_THROW(board.InputCount(), ELineError);
    EXPECT_EQ(events.seen, std::vector<std::string>{"error:Rahmenfehler"});
    host.ProcessMessages();
    EXPECT_NO_THROW(board.InputCount());
    EXPECT_EQ(events.seen.size(), 1u);

    // Met by the watcher first (here: the board caught up without an InputCount, as
    // the live board's timer makes it): reported when the window processes its
    // messages, and InputCount does not report it a second time.
    board.InjectLineError(LineErrorKind::Break, 5000);
    host.Sleep(4);
    EXPECT_NO_THROW(board.InputCount());
    host.ProcessMessages();
    EXPECT_EQ(events.seen.size(), 1u);
    host.Sleep(1);
    board.CatchUp();
    EXPECT_EQ(events.seen.size(), 1u);
    host.ProcessMessages();
    EXPECT_EQ(events.seen.back(), "error:Break");
    EXPECT_NO_THROW(board.InputCount());
    EXPECT_EQ(events.seen.size(), 2u);

    board.SetDTR();
    host.Sleep(10);
    board.InputCount();
    EXPECT_EQ(events.seen.size(), 2u);  // waits for the window's message loop
    host.ProcessMessages();
    EXPECT_EQ(events.seen.back(), "modem:" + std::to_string(kModemDsr));
    board.SetActive(false);
    EXPECT_TRUE(board.LogText().find("line DTR=0") != std::string::npos);
    EXPECT_TRUE(board.LogText().find("line error Rahmenfehler") != std::string::npos);
}

TEST_F(BoardFixture, ErrorsFlaggedWhileClosedDoNotCount)
{
    board.SetActive(false);
    board.InjectLineError(LineErrorKind::Overrun);
    board.CatchUp();
    board.SetActive(true);
    EXPECT_NO_THROW(board.InputCount());
    EXPECT_EQ(board.Counters().overrun, 1);
}

TEST_F(BoardFixture, UnpluggedConverterIsReportedGoneOnce)
{
    Events events;
    LinkTestHost host(clock);
    board.SetEvents(&events);
    board.SetPoster(host.Poster());
    board.Unplug();
    // The watcher noticed: the window hears of it when it processes its messages.
    host.ProcessMessages();
    EXPECT_EQ(events.seen, std::vector<std::string>{"gone"});
    // A call that meets it reports it too before it fails (the window closes the
    // port then, and nothing more is said).
    EXPECT_THROW(board.InputCount(), EComError);
    EXPECT_EQ(events.seen, (std::vector<std::string>{"gone", "gone"}));
    board.SetActive(false);
    EXPECT_THROW(board.SetActive(true), EComError);
    EXPECT_EQ(events.seen.size(), 2u);
}

// The application firmware's command framing.
struct CommandBoard : BoardApplication {
    std::vector<std::string> seen;

protected:
    void OnCommand(VirtualBoard&, uint8_t command) override
    {
        seen.push_back("cmd:" + std::to_string(command));
        SetBusy(command == 0xA8);
    }
    void OnCommandByte(VirtualBoard&, uint8_t byte) override
    {
        seen.push_back("byte:" + std::to_string(byte));
        if (byte == 0xFA)
            SetBusy(false);
    }
};

TEST(BoardApplicationTest, PingCommandsAndBusyBytes)
{
    VirtualClock clock;
    VirtualBoard board(clock);
    CommandBoard app;
    board.SetApplication(&app);
    board.SetActive(true);

    const uint8_t bytes[] = {0xBA, 0xA5, 0xAB, 0xA5, 0xA8, 0xBA, 0xA5, 0xFA, 0xBA};
    board.WriteBlock(bytes, sizeof bytes);
    clock.AdvanceMs(20);
    board.CatchUp();
    EXPECT_EQ(app.seen, (std::vector<std::string>{"cmd:171", "cmd:168", "byte:186", "byte:165", "byte:250"}));
    EXPECT_EQ(app.Commands(), (std::vector<uint8_t>{0xAB, 0xA8}));
    EXPECT_EQ(board.InputCount(), 2);  // first and last ping answered
    EXPECT_EQ(app.PingsAnswered(), 2);

    // A reset ends a running command.
    const uint8_t upload[] = {0xA5, 0xA8};
    board.WriteBlock(upload, 2);
    clock.AdvanceMs(5);
    board.CatchUp();
    EXPECT_TRUE(app.Busy());
    board.SetDTR();
    board.ClearDTR();
    EXPECT_FALSE(app.Busy());
}

}  // namespace
