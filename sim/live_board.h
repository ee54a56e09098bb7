#pragma once
// The virtual board for a user without hardware: the same model the tests use, running
// in real time behind an extra port of the port list, with a plausible configuration,
// a fault memory of a few dozen records over several days, serial "0001", mark "DEM",
// firmware version "7.5", and a flash that the boot ROM can erase and program.
#include "board_config.h"
#include "boot_rom.h"
#include "port_discovery.h"
#include "virtual_board.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

// Port name of the virtual board in the port list.
inline constexpr const char* kVirtualPortName = "virtuell";
// What follows the FTDI prefix in its device name (serial number + interface letter).
inline constexpr const char* kVirtualConverter = "VIRTUELLA";
// Setting this environment variable to 1 adds the virtual board to the port list.
inline constexpr const char* kVirtualBoardVariable = "LCDKONFIG_VIRTUAL_BOARD";

// A clock that runs with the wall clock.
class RealTimeClock : public VirtualClock {
public:
    int64_t NowUs() const override;

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Fills a board with the content a newcomer sees: a plausible set of values, fault
// records and identity. Shared by the live board and the end-to-end tests.
void FillDemoBoard(ConfigBoard& board);
// The ID code the demo firmware carries (the sample firmware file carries it too).
std::array<uint8_t, 7> DemoFirmwareId();

class LiveBoard {
public:
    // `clock` may be a RealTimeClock (the program) or a test's virtual clock.
    explicit LiveBoard(std::unique_ptr<VirtualClock> clock);

    VirtualBoard& Port() { return board_; }
    ConfigBoard& Application() { return application_; }
    BootRom& Rom() { return rom_; }
    VirtualClock& Clock() { return *clock_; }

private:
    std::unique_ptr<VirtualClock> clock_;
    VirtualBoard board_;
    ConfigBoard application_;
    BootRom rom_;
};

// The virtual board behind the port list, on the wall clock. It starts its download
// block 300 ms after the command instead of 100: the program's 50 ms settle before the
// block may overrun on a loaded PC (and does by far under an emulator), and the download
// refuses a block whose start came before the settle ended.
inline constexpr int64_t kRealTimeDownloadDelayUs = 300'000;
std::shared_ptr<LiveBoard> RealTimeLiveBoard();

bool VirtualBoardRequested();

// Lists the virtual board after every real port and device, as an FTDI 0403:6001
// converter, so that the search finds a real board first.
class DiscoveryWithVirtualBoard : public PortDiscovery {
public:
    explicit DiscoveryWithVirtualBoard(PortDiscovery& real) : real_(real) {}
    std::vector<std::string> SerialPorts() override;
    std::vector<std::string> DeviceNames() override;
    ConverterPort BoardConverterPort(const std::string& converter) override;

private:
    PortDiscovery& real_;
};

// The same, owning the real discovery.
class OwningDiscoveryWithVirtualBoard : public DiscoveryWithVirtualBoard {
public:
    explicit OwningDiscoveryWithVirtualBoard(std::unique_ptr<PortDiscovery> real)
        : DiscoveryWithVirtualBoard(*real), owned_(std::move(real))
    {
    }

private:
    std::unique_ptr<PortDiscovery> owned_;
};
