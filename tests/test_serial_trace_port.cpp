// The wire trace around the virtual board: what a support engineer reads.
#include "board_application.h"
#include "link.h"
#include "link_test_host.h"
#include "trace_port.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string ReadAll(std::FILE* f)
{
    std::fflush(f);
    std::rewind(f);
    std::string text;
    char buf[256];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    return text;
}

TEST(TracePort, RecordsASessionWithVirtualTimeStamps)
{
    VirtualClock clock;
    VirtualBoard board(clock);
    BoardApplication app;
    board.SetApplication(&app);
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    TracePort trace(board, file, [&] { return clock.NowUs(); });
    LinkTestHost host(clock);
    ParameterSet params;
    Link link{trace, host, params};

    trace.SetDeviceName("/dev/ttyUSB0");
    trace.SetActive(true);
    ASSERT_EQ(StartSession(link), SessionResult::Ok);
    board.FailCall("SetRTS", 5);
    EXPECT_EQ(RunExchange(link, [&] { return ModeOn(link) ? Outcome::Done : link.Failure; }, nullptr), Outcome::PortFailed);
    trace.SetActive(false);

    EXPECT_EQ(ReadAll(file),
              "       0.000 open /dev/ttyUSB0\n"
              "       0.000 DTR=1\n"
              "      50.000 DSR=1 CTS=0\n"
              "     250.000 DTR=0\n"
              "     300.000 DSR=0 CTS=0\n"
              "    2300.000 purge\n"
              "    2300.000 >> BA\n"
              "    2321.000 << BA\n"
              "    2321.000 error SetRTS: SetRTS: Input/output error\n"
              "    2321.000 close /dev/ttyUSB0\n");
    std::fclose(file);
}

TEST(TracePort, PassesEventsOnAndComesFromTheEnvironment)
{
    struct Seen : PortEvents {
        std::vector<std::string> events;
        void OnLineError(const std::string& what) override { events.push_back(what); }
        void OnModemChange(unsigned) override {}
        void OnPortGone() override { events.push_back("gone"); }
    } seen;
    VirtualClock clock;
    VirtualBoard board(clock);
    const std::string path = ::testing::TempDir() + "lcdkonfig-trace.txt";
    std::remove(path.c_str());
    ::setenv("LCDKONFIG_TRACE", path.c_str(), 1);
    {
        TraceFile trace = TraceFromEnvironment(board);
        ASSERT_TRUE(trace.port);
        trace.port->SetEvents(&seen);
        trace.port->SetActive(true);
        board.InjectLineError();
        EXPECT_THROW(trace.port->InputCount(), ELineError);
        const uint8_t block[] = {0xA5, 0xA8};
        trace.port->WriteBlock(block, 2);
    }
    ::unsetenv("LCDKONFIG_TRACE");
    EXPECT_EQ(seen.events, std::vector<std::string>{"Rahmenfehler"});
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("line error Rahmenfehler\n"), std::string::npos);
    EXPECT_NE(text.str().find(">> A5 A8\n"), std::string::npos);
    EXPECT_FALSE(TraceFromEnvironment(board).port);
    std::remove(path.c_str());
}

}  // namespace
