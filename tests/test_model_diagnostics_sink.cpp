#include "captured_err.h"
#include "diagnostics_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

TEST(DiagnosticsSink, WithoutASinkTheWindowsLineGoesToStandardError)
{
    CapturedErr err;
    Diagnose("/dev/ttyUSB0: permission denied.");
    EXPECT_EQ(err.Text(), "lcdkonfig: /dev/ttyUSB0: permission denied.\n");
}

TEST(DiagnosticsSink, AScopedSinkTakesEveryLineAndGivesThemBackAtItsEnd)
{
    CapturedErr err;
    std::vector<std::string> outer, inner;
    {
        ScopedDiagnosticsSink first([&](const std::string& line) { outer.push_back(line); });
        Diagnose("a");
        {
            ScopedDiagnosticsSink second([&](const std::string& line) { inner.push_back(line); });
            Diagnose("b");
        }
        Diagnose("c");
    }
    Diagnose("d");
    EXPECT_EQ(outer, (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(inner, (std::vector<std::string>{"b"}));
    EXPECT_EQ(err.Text(), "lcdkonfig: d\n");
}

// The port's watching threads may find a cause while the main thread reports another:
// every line arrives whole.
TEST(DiagnosticsSink, LinesFromTwoThreadsArriveWhole)
{
    std::vector<std::string> lines;
    ScopedDiagnosticsSink sink([&](const std::string& line) { lines.push_back(line); });
    auto write = [](char c) {
        for (int i = 0; i < 500; ++i)
            Diagnose(std::string(40, c));
    };
    std::thread a(write, 'a'), b(write, 'b');
    a.join();
    b.join();
    ASSERT_EQ(lines.size(), 1000u);
    for (const std::string& line : lines)
        EXPECT_TRUE(line == std::string(40, 'a') || line == std::string(40, 'b')) << line;
}

}  // namespace
