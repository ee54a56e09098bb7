#include "live_board.h"

#include <cstdlib>

int64_t RealTimeClock::NowUs() const
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now()
                                                                 - start_)
        .count();
}

std::array<uint8_t, 7> DemoFirmwareId() { return {0x4C, 0x43, 0x44, 0x4B, 0x4F, 0x4E, 0x46}; }

void FillDemoBoard(ConfigBoard& board)
{
    // A tetrode amplifier's settings, in the board's raw units; every one a value its
    // editor accepts, so the board's own set passes the safety check.
    static constexpr std::array<int32_t, kBoardValues> values = {
        25,   90,  10,  512, 5,   50,  1,   2200, 0,   900,   //
        1100, 400, 250, 6,   120, 30,  4,   285,  220, 140,   //
        110,  3200, 2,  2500, 100, 0,  1000, 1046, 180, 0,    //
        2000, 0,   500, 180, 1,   20,  9,   5,    140, 115,   //
        60,   1000, 0,  5,   120, 1,   100, 98,   99,  100,   //
        101,  102, 103, 104, 105, 106, 1,   1200, 1200, 1300, //
        1300, 1200, 1200, 1100, 1100, 1000, 900, 800, 2, 600,  //
        600,  650, 650, 600, 600, 550, 550, 500, 450, 400,    //
        1,    2500, 60, 200, 0,   0,   0,   0,    0,   0,     //
        0,    0,   0,   0,   0,   0,   0,   0,    0,   0,     //
        0,    0,   0,   0,   0,   0,   0,   0,    0,   0,     //
        0,    0,   0,   0,   0,   0,   0,   0,    0,   0};
    board.Values = values;

    // 36 records over about nine days of operating time, oldest first; the board
    // sends its records newest last, unused places as time 0.
    board.FaultTimes.fill(0);
    board.FaultCodes.fill(0);
    static constexpr int codes[] = {3, 7, 12, 1, 18, 22, 5, 9, 30, 14, 2, 25};
    for (int i = 0; i < 36; ++i) {
        board.FaultTimes[kBoardFaultRecords - 36 + i] = 3600 * 6 * i + 97 * i * i + 41;
        board.FaultCodes[kBoardFaultRecords - 36 + i] = codes[i % 12];
    }
    board.SerialNumber = "0001";
    board.DeviceMark = "DEM";
    board.DeviceType = 3;
    board.Language = 0;
    board.VersionText = "7.5";
}

LiveBoard::LiveBoard(std::unique_ptr<VirtualClock> clock)
    : clock_(std::move(clock)), board_(*clock_)
{
    FillDemoBoard(application_);
    rom_.StoreId(DemoFirmwareId());
    board_.SetApplication(&application_);
    board_.SetBootRom(&rom_);
    board_.SetDeviceName(kVirtualPortName);
}

std::shared_ptr<LiveBoard> RealTimeLiveBoard()
{
    auto board = std::make_shared<LiveBoard>(std::make_unique<RealTimeClock>());
    board->Application().DownloadDelayUs = kRealTimeDownloadDelayUs;
    return board;
}

bool VirtualBoardRequested()
{
    const char* value = std::getenv(kVirtualBoardVariable);
    return value != nullptr && std::string(value) == "1";
}

std::vector<std::string> DiscoveryWithVirtualBoard::SerialPorts()
{
    std::vector<std::string> ports = real_.SerialPorts();
    ports.push_back(kVirtualPortName);
    return ports;
}

std::vector<std::string> DiscoveryWithVirtualBoard::DeviceNames()
{
    std::vector<std::string> names = real_.DeviceNames();
    names.push_back(std::string(kBoardConverterPrefix) + kVirtualConverter);
    return names;
}

ConverterPort DiscoveryWithVirtualBoard::BoardConverterPort(const std::string& converter)
{
    if (converter == kVirtualConverter)
        return {ConverterPort::Result::Found, kVirtualPortName};
    return real_.BoardConverterPort(converter);
}
