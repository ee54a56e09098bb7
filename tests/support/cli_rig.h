#pragma once
// lcdkonfig-cli run through its own entry point (RunCli) in-process: standard streams
// as strings, the virtual board (LiveBoard) on a virtual clock that the program's
// sleeps advance, a PC with one ordinary port besides it, a temporary state folder for
// the backups, and an interrupt the test can raise at a moment of its choosing. Header
// only: the CLI tests link the cli library, the rest of the test support does not.
#include "cli.h"
#include "fake_discovery.h"
#include "live_board.h"
#include "text_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace clitest {

namespace fs = std::filesystem;

// Standard output on a full disk: every write fails.
class FullDisk : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

struct Result {
    int Code = -1;
    std::string Out;
    std::string Err;
    // Standard error line by line.
    std::vector<std::string> ErrLines() const
    {
        std::vector<std::string> lines;
        std::istringstream in(Err);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    bool ErrHas(const std::string& line) const
    {
        for (const std::string& l : ErrLines())
            if (l == line)
                return true;
        return false;
    }
};

class Cli : public ::testing::Test {
public:
    void SetUp() override
    {
        dir = fs::temp_directory_path()
              / ("cli_" + std::to_string(getpid()) + "_"
                 + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        auto clock = std::make_unique<VirtualClock>();
        board = std::make_shared<LiveBoard>(std::move(clock));
        variables = {{"LCDKONFIG_VIRTUAL_BOARD", "1"}, {"XDG_STATE_HOME", (dir / "state").string()},
                     {"HOME", (dir / "home").string()}};
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs the program with `args` (without its name). `input` is standard input.
    Result Run(std::vector<std::string> args, const std::string& input = "")
    {
        std::istringstream in(input);
        std::ostringstream out, err;
        FullDisk fullDisk;
        std::ostream full(&fullDisk);
        CliEnvironment env(in, outIsFull ? static_cast<std::ostream&>(full) : out, err);
        env.InterruptSignal = [this] { return interruptSignal; };
        if (DiscardTypeAhead)
            env.DiscardTypeAhead = [this, &in] { DiscardTypeAhead(in); };
        env.InIsTerminal = inIsTerminal;
        env.ErrIsTerminal = errIsTerminal;
        env.Variables = variables;
        env.Virtual = board;
        env.MakeDiscovery = [this]() -> std::unique_ptr<PortDiscovery> {
            if (MakeDiscovery)
                return MakeDiscovery();
            return std::make_unique<OneOrdinaryPort>();
        };
        env.Sleep = [this](int ms) {
            board->Clock().AdvanceMs(ms);
            sleptMs += ms;
            if (OnSleep)
                OnSleep(ms);
        };
        env.Interrupted = [this] { return InterruptWhen && InterruptWhen(); };
        env.Now = [this] { return now; };
        env.DeviceTypeFile = (dir / "GeraeteTyp.ini").string();
        Result result;
        result.Code = RunCli(args, env);
        result.Out = out.str();
        result.Err = err.str();
        return result;
    }

    ConfigBoard& Config() { return board->Application(); }
    BootRom& Rom() { return board->Rom(); }
    VirtualBoard& Wire() { return board->Port(); }
    // Every byte the board received, as a string.
    std::string Received() const
    {
        const std::vector<uint8_t> bytes = board->Port().BytesReceived();
        return std::string(bytes.begin(), bytes.end());
    }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    void Put(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string Bytes(const std::string& path) const { return ReadFileBytes(path).value_or("<missing>"); }
    fs::path StateFolder() const { return dir / "state" / "lcdkonfig" / "backups"; }
    // The files of the backup folder of `serial`, sorted.
    std::vector<std::string> BackupFiles(const std::string& serial = "0001") const
    {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(StateFolder() / serial, ec))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir;
    std::shared_ptr<LiveBoard> board;
    std::map<std::string, std::string> variables;
    bool inIsTerminal = false;
    bool errIsTerminal = false;
    std::time_t now = 1'800'000'000;  // 2027-01-15 08:00:00 UTC
    int64_t sleptMs = 0;
    std::function<void(int)> OnSleep;
    std::function<bool()> InterruptWhen;
    int interruptSignal = 0;  // 0: SIGINT's 130
    bool outIsFull = false;
    // What the terminal does before a question, given standard input.
    std::function<void(std::istringstream&)> DiscardTypeAhead;
    std::function<std::unique_ptr<PortDiscovery>()> MakeDiscovery;
};

}  // namespace clitest
