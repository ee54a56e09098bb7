// The link primitives against the virtual board, in virtual time.
#include "board_application.h"
#include "link.h"
#include "link_test_host.h"
#include "virtual_board.h"

#include <gtest/gtest.h>

using namespace LinkTiming;

namespace {

const std::string kNoAnswer =
    "     Gerät antwortet nicht!\n\nMögliche Gründe, z.B.:\nTest-Jumper auf Platine vergessen.\n"
    "Netzkabel nicht entfernt.\nNoch keine Firmware geladen.";
const std::string kResetOnFailed =
    "Keine Rückmeldung vom \"Reset\"-Befehl \"ein\" erhalten!\n\n        Datenübertragung abgebrochen!";
const std::string kResetOffFailed =
    "Keine Rückmeldung vom \"Reset\"-Befehl \"aus\" erhalten!\n\n        Datenübertragung abgebrochen!";
const std::string kModeFailed =
    "Keine Rückmeldung vom \"Mode\"-Befehl erhalten!\n\n        Datenübertragung abgebrochen!";

// Echoes every byte of a running command (0xA5 0x01 starts it), `delayUs` after it
// arrived; or answers `wrong` instead.
class EchoBoard : public BoardApplication {
public:
    int64_t echoDelayUs = 50;
    std::optional<uint8_t> wrong;

protected:
    void OnCommand(VirtualBoard&, uint8_t) override { SetBusy(true); }
    void OnCommandByte(VirtualBoard& board, uint8_t byte) override
    {
        board.Send(wrong.value_or(byte), echoDelayUs);
    }
};

struct LinkFixture : ::testing::Test {
    VirtualClock clock;
    VirtualBoard board{clock};
    EchoBoard app;
    LinkTestHost host{clock};
    ParameterSet params;
    Link link{board, host, params};

    LinkFixture()
    {
        params.SelectedPort = "/dev/ttyUSB0";
        board.SetApplication(&app);
        board.SetActive(true);
    }

    // Puts the board into a command so that it echoes.
    void StartEchoCommand()
    {
        const uint8_t cmd[] = {BoardByte::Command, 0x01};
        board.WriteBlock(cmd, 2);
        host.Sleep(10);
        board.ClearLog();
    }

    std::vector<std::string> ErrorBox(const std::string& text) { return {"beep", "error:" + text}; }
};

TEST_F(LinkFixture, StartSessionPulsesResetWaitsAndPings)
{
    ASSERT_EQ(StartSession(link), SessionResult::Ok);
    EXPECT_TRUE(host.dialogs.Events().empty());
    EXPECT_EQ(params.ResetLineOn, 0);

    // DTR up at 0, down after the 50 ms check and the 200 ms pulse; the ping follows
    // the 50 ms check and the 2 s wait and is the only byte sent.
    const int64_t dtrOff = int64_t(kLineAnswerMs + kResetPulseMs) * 1000;
    const int64_t ping = dtrOff + int64_t(kLineAnswerMs + kAfterResetMs) * 1000;
    std::vector<std::pair<int64_t, std::string>> lines;
    for (const auto& e : board.Log())
        if (e.kind == VirtualBoard::LogEntry::Kind::Line)
            lines.push_back({e.timeUs, e.line});
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], std::make_pair(int64_t(0), std::string("DTR=1")));
    EXPECT_EQ(lines[1].second, "DSR=1");
    EXPECT_EQ(lines[2], std::make_pair(dtrOff, std::string("DTR=0")));
    EXPECT_EQ(lines[3].second, "DSR=0");
    EXPECT_EQ(board.BytesReceived(), std::vector<uint8_t>{0xBA});
    EXPECT_EQ(board.Log()[4].timeUs, ping + kByteTimeUs);
    EXPECT_EQ(board.BytesSent(), std::vector<uint8_t>{0xBA});
    EXPECT_EQ(host.Record(), (std::vector<std::string>{"reset:on", "reset:off"}));
}

TEST_F(LinkFixture, BoardNotFollowingResetFailsWithEinAndSendsNothing)
{
    board.ResetAnswer.mode = LineBehaviour::Mode::Never;
    EXPECT_EQ(StartSession(link), SessionResult::ResetFailed);
    EXPECT_EQ(host.dialogs.Log(), ErrorBox(kResetOnFailed));
    EXPECT_EQ(host.Record(), (std::vector<std::string>{"reset:off", "progress:0", "status:"}));
    EXPECT_TRUE(board.BytesReceived().empty());
    EXPECT_EQ(params.ResetLineOn, 1);
    EXPECT_EQ(host.SleptMs(), kLineAnswerMs);
}

TEST_F(LinkFixture, ResetAnswerTimingAroundTheFiftyMillisecondCheck)
{
    board.ResetAnswer.delayUs = kLineAnswerMs * 1000;
    EXPECT_TRUE(ResetOn(link));
    board.ResetAnswer.delayUs = kLineAnswerMs * 1000 + 1;
    EXPECT_FALSE(ResetOff(link));
    EXPECT_EQ(host.dialogs.Messages(), std::vector<std::string>{kResetOffFailed});
}

TEST_F(LinkFixture, DsrStuckOnFailsResetOffWithAus)
{
    board.ResetAnswer.mode = LineBehaviour::Mode::StuckOn;
    EXPECT_EQ(StartSession(link), SessionResult::ResetFailed);
    EXPECT_EQ(host.dialogs.Log(), ErrorBox(kResetOffFailed));
    EXPECT_EQ(host.Record(), (std::vector<std::string>{"reset:on", "reset:on", "progress:0", "status:"}));
    EXPECT_TRUE(board.BytesReceived().empty());
    EXPECT_EQ(params.ResetLineOn, 0);
}

TEST_F(LinkFixture, PingAnsweredWithAnotherByteFailsAtTheFirstPoll)
{
    app.Ping.mode = PingBehaviour::Mode::OtherByte;
    app.Ping.otherByte = 0xBB;
    board.Send(std::vector<uint8_t>{1, 2, 3});  // stale bytes are discarded first
    host.Sleep(5);
    const int64_t before = host.SleptMs();
    EXPECT_FALSE(PingBoard(link));
    EXPECT_EQ(host.dialogs.Log(), ErrorBox(kNoAnswer));
    EXPECT_EQ(host.SleptMs() - before, kSentPollMs + kPingFirstPollMs + kPingPollMs);
}

TEST_F(LinkFixture, PingAnswerCountsOnlyWithinNinetySixPolls)
{
    // The ping leaves at once; WaitSent sleeps once, then 10 ms, then poll n is n ms later.
    const int64_t lastInTimeUs = int64_t(kSentPollMs + kPingFirstPollMs + kAnswerInTime * kPingPollMs) * 1000;
    app.Ping.delayUs = lastInTimeUs - 2 * kByteTimeUs;
    EXPECT_TRUE(PingBoard(link));
    EXPECT_TRUE(host.dialogs.Events().empty());

    host.Sleep(500);
    app.Ping.delayUs = lastInTimeUs - 2 * kByteTimeUs + 1;
    EXPECT_FALSE(PingBoard(link));
    EXPECT_EQ(host.dialogs.Messages(), std::vector<std::string>{kNoAnswer});
}

TEST_F(LinkFixture, SilentBoardIsPolledAHundredTimes)
{
    app.Ping.mode = PingBehaviour::Mode::NoAnswer;
    EXPECT_FALSE(PingBoard(link));
    EXPECT_EQ(host.SleptMs(), kSentPollMs + kPingFirstPollMs + kAnswerPolls * kPingPollMs);
    EXPECT_EQ(host.dialogs.Log(), ErrorBox(kNoAnswer));
}

TEST_F(LinkFixture, WaitSentGivesUpAfterNinetySixWaitsWithItsCode)
{
    board.WritesStuck = true;
    board.WriteByte(0xA5);
    EXPECT_FALSE(WaitSent(link, 7));
    EXPECT_EQ(host.SleptMs(), kSentMaxWaits * kSentPollMs);
    EXPECT_EQ(host.dialogs.Log(),
              ErrorBox("Daten senden konnte nicht ausgeführt werden!  Fehlercode 7\n\n"
                       "             Datenübertragung abgebrochen!"));
}

TEST_F(LinkFixture, WaitSentReturnsAtOnceWhenNothingIsPending)
{
    EXPECT_TRUE(WaitSent(link, 1));
    EXPECT_EQ(host.SleptMs(), 0);
    board.WriteByte(0x31);
    EXPECT_TRUE(WaitSent(link, 4));
    EXPECT_EQ(host.SleptMs(), kSentPollMs);
}

TEST_F(LinkFixture, EchoAtTheNinetySeventhPollIsATimeOut)
{
    StartEchoCommand();
    // Byte leaves in one WaitSent sleep; then echo poll n happens n * 1 ms later.
    const int64_t start = clock.NowUs();
    const int64_t poll96 = start + int64_t(kSentPollMs + kAnswerInTime) * 1000;
    app.echoDelayUs = poll96 - start - 2 * kByteTimeUs;
    EXPECT_TRUE(SendEchoed(link, '7', 1, 4, 1, 2));
    EXPECT_TRUE(host.dialogs.Events().empty());

    host.Sleep(200);
    app.echoDelayUs += 1000;
    EXPECT_FALSE(SendEchoed(link, '_', 1, 5, 3, 4));
    EXPECT_EQ(host.dialogs.Log(), ErrorBox("Datenübertragungsfehler!  Fehlercode 4\n\nZeitüberschreitung."));
}

TEST_F(LinkFixture, WrongEchoFailsAtOnceWithItsCode)
{
    StartEchoCommand();
    app.wrong = 0x30;
    const int64_t before = host.SleptMs();
    EXPECT_FALSE(SendEchoed(link, 0xFA, 10, 6, 5, 6));
    EXPECT_EQ(host.dialogs.Log(), ErrorBox("Datenübertragungsfehler!  Fehlercode 5\n\nFalsches Antwortbyte."));
    EXPECT_EQ(host.SleptMs() - before, kSentPollMs + 10);
}

TEST_F(LinkFixture, ReportLinkErrorTexts)
{
    ReportLinkError(link, 3, 7);
    ReportLinkError(link, 4, 8);
    ReportLinkError(link, 2, 6);
    EXPECT_EQ(host.dialogs.Log(),
              (std::vector<std::string>{"beep", "error:Programmierfehler!  Fehlercode 7\n\nFalsches Bestätigungsbyte.",
                                        "beep", "error:Programmierfehler!  Fehlercode 8\n\nZeitüberschreitung.",
                                        "beep", "error:Datenübertragungsfehler!  Fehlercode 6\n\nZeitüberschreitung."}));
}

TEST_F(LinkFixture, ModeLineOnAndOff)
{
    EXPECT_TRUE(ModeOn(link));
    EXPECT_EQ(params.ModeLineOn, 1);
    ModeOff(link);
    EXPECT_EQ(params.ModeLineOn, 0);
    EXPECT_EQ(host.Record(), (std::vector<std::string>{"mode:on", "mode:off"}));
    EXPECT_EQ(host.SleptMs(), kLineAnswerMs + kLineAnswerMs + kModeOffSettleMs);
    EXPECT_TRUE(host.dialogs.Events().empty());
}

TEST_F(LinkFixture, ModeOnWithoutAnswerFails)
{
    board.ModeAnswer.mode = LineBehaviour::Mode::Never;
    EXPECT_FALSE(ModeOn(link));
    EXPECT_EQ(host.dialogs.Log(), ErrorBox(kModeFailed));
    EXPECT_EQ(host.Record(), (std::vector<std::string>{"mode:off", "progress:0", "status:"}));
}

TEST_F(LinkFixture, ModeOffNeverShowsAMessageEvenWithCtsStuckOn)
{
    board.ModeAnswer.mode = LineBehaviour::Mode::StuckOn;
    ASSERT_TRUE(ModeOn(link));
    ModeOff(link);
    EXPECT_TRUE(host.dialogs.Events().empty());
    EXPECT_EQ(host.Record(), (std::vector<std::string>{"mode:on", "mode:on"}));
    EXPECT_EQ(host.SleptMs(), 2 * kLineAnswerMs);  // no settling wait
    EXPECT_EQ(params.ModeLineOn, 0);
}

TEST_F(LinkFixture, FailingPortCallEndsTheExchangeWithOneMessage)
{
    board.FailCall("SetDTR");
    bool afterCall = false;
    bool cleanedUp = false;
    EXPECT_EQ(RunExchange(
                  link,
                  [&] {
                      StartSession(link);
                      afterCall = true;
                      return Outcome::Done;
                  },
                  [&] { cleanedUp = true; }),
              Outcome::PortFailed);
    EXPECT_FALSE(afterCall);
    EXPECT_TRUE(cleanedUp);
    EXPECT_EQ(host.dialogs.Log(), ErrorBox("ComPortError:  /dev/ttyUSB0 !"));

    host.dialogs.Clear();
    cleanedUp = false;
    EXPECT_EQ(RunExchange(link, [&] { return StartSession(link) == SessionResult::Ok ? Outcome::Done : link.Failure; }, [&] { cleanedUp = true; }), Outcome::Done);
    EXPECT_FALSE(cleanedUp);
    EXPECT_TRUE(host.dialogs.Events().empty());
}

TEST_F(LinkFixture, UnpluggedBoardAndClosedPortFailTheSameWay)
{
    board.Unplug();
    auto ping = [&] { return PingBoard(link) ? Outcome::Done : link.Failure; };
    EXPECT_EQ(RunExchange(link, ping, nullptr), Outcome::PortFailed);
    board.SetActive(false);
    EXPECT_EQ(RunExchange(link, ping, nullptr), Outcome::PortFailed);
    EXPECT_EQ(host.dialogs.Messages(),
              (std::vector<std::string>{"ComPortError:  /dev/ttyUSB0 !", "ComPortError:  /dev/ttyUSB0 !"}));
}

}  // namespace
