// Line watchers, the line-error handler and the panel clicks, on the virtual board.
#include "com_signal.h"
#include "link_test_host.h"
#include "virtual_board.h"

#include <gtest/gtest.h>

namespace {

struct SignalFixture : ::testing::Test {
    VirtualClock clock;
    VirtualBoard board{clock};
    LinkTestHost host{clock};
    ParameterSet params;
    Link link{board, host, params};
    std::vector<std::string> paints;
    TComSignal reset{TComSignal::Line::Dsr, [this](bool on) { paints.push_back(on ? "reset:on" : "reset:off"); }};
    TComSignal mode{TComSignal::Line::Cts, [this](bool on) { paints.push_back(on ? "mode:on" : "mode:off"); }};
    ComPortEvents events{board, host.dialogs, params, reset, mode};
    std::vector<std::string> signals;

    SignalFixture()
    {
        params.SelectedPort = "/dev/ttyUSB0";
        board.SetEvents(&events);
        board.SetPoster(host.Poster());
        reset.OnSignal = [this](bool on) { signals.push_back(on ? "reset:1" : "reset:0"); };
        mode.OnSignal = [this](bool on) { signals.push_back(on ? "mode:1" : "mode:0"); };
    }
};

TEST_F(SignalFixture, PanelsFollowTheAnswerLinesWhenTheWindowProcessesMessages)
{
    board.ModeAnswer.mode = LineBehaviour::Mode::StuckOn;
    events.OpenPort();
    EXPECT_EQ(paints, (std::vector<std::string>{"reset:off", "mode:on"}));
    EXPECT_EQ(mode.Color(), (PanelColor{0, 255, 0}));
    EXPECT_EQ(reset.Color(), (PanelColor{0, 128, 0}));
    EXPECT_EQ(signals, std::vector<std::string>{"mode:1"});

    paints.clear();
    board.SetDTR();
    host.Sleep(10);
    board.InputCount();
    EXPECT_TRUE(paints.empty());
    host.ProcessMessages();
    EXPECT_EQ(paints, (std::vector<std::string>{"reset:on", "mode:on"}));
    EXPECT_EQ(signals, (std::vector<std::string>{"mode:1", "reset:1"}));

    paints.clear();
    events.ClosePort();
    EXPECT_EQ(paints, (std::vector<std::string>{"reset:off", "mode:off"}));
    EXPECT_EQ(signals, (std::vector<std::string>{"mode:1", "reset:1", "reset:0", "mode:0"}));
}

TEST_F(SignalFixture, LineErrorShowsTheMessageAndClosesThePort)
{
    events.OpenPort();
    board.InjectLineError();
    EXPECT_THROW(board.InputCount(), ELineError);
    EXPECT_EQ(host.dialogs.Log(), (std::vector<std::string>{"beep", "error:ComPortLineError:  /dev/ttyUSB0 !"}));
    EXPECT_FALSE(board.Active());
    // A later exchange meets the closed port, and says so.
    EXPECT_EQ(RunExchange(link, [&] { return PingBoard(link) ? Outcome::Done : link.Failure; }, nullptr), Outcome::PortFailed);
    EXPECT_EQ(host.dialogs.Messages().back(), "ComPortError:  /dev/ttyUSB0 !");
    EXPECT_EQ(host.dialogs.Messages().size(), 2u);
}

TEST_F(SignalFixture, DeviceGoneClosesThePortAndDarkensThePanelsSilently)
{
    board.ResetAnswer.mode = LineBehaviour::Mode::StuckOn;
    events.OpenPort();
    EXPECT_EQ(paints.back(), "mode:off");
    EXPECT_TRUE(reset.Value());
    int closedByDevice = 0;
    events.OnClosedByDevice = [&] { ++closedByDevice; };
    paints.clear();
    events.OnPortGone();
    EXPECT_FALSE(board.Active());
    EXPECT_EQ(paints, (std::vector<std::string>{"reset:off", "mode:off"}));
    EXPECT_TRUE(host.dialogs.Log().empty());
    EXPECT_EQ(closedByDevice, 1);
    events.OnPortGone();  // heard twice (the watcher and a failing call): closed once
    EXPECT_EQ(closedByDevice, 1);
}

TEST_F(SignalFixture, PanelClicksToggleLinesOnlyInServiceMode)
{
    events.OpenPort();
    ResetPanelClick(link);
    ModePanelClick(link);
    EXPECT_FALSE(board.DtrHigh());
    EXPECT_FALSE(board.RtsHigh());

    params.ServiceMode = 1;
    ResetPanelClick(link);
    EXPECT_TRUE(board.DtrHigh());
    EXPECT_EQ(params.ResetLineOn, 1);
    ModePanelClick(link);
    ModePanelClick(link);
    EXPECT_FALSE(board.RtsHigh());
    EXPECT_EQ(params.ModeLineOn, 0);
    ResetPanelClick(link);
    EXPECT_FALSE(board.DtrHigh());
    EXPECT_TRUE(host.dialogs.Events().empty());

    events.ClosePort();
    ResetPanelClick(link);
    EXPECT_EQ(host.dialogs.Log(), (std::vector<std::string>{"beep", "error:ComPortError:  /dev/ttyUSB0 !"}));
}

}  // namespace
