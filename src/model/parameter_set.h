#pragma once
// The one configuration record of the program: the board's 120 raw values, its
// identity, the file and folder state and the run-time flags. One instance lives for
// the whole process (TheParameterSet()); functions that work on it take a reference so
// that tests can hand them a fresh record.
#include <array>
#include <cstdint>
#include <string>

inline constexpr int kValueCount = 120;
// The one command-line word that switches the service mode on (the window's only
// argument; the command-line program's "service --word").
inline constexpr const char* kServiceWord = "Wq3Zb5";

struct ParameterSet {
    uint8_t ConfigVersion = 2;
    uint8_t DataPresent = 0;
    uint8_t ModeLineOn = 0;
    uint8_t ResetLineOn = 0;
    uint8_t ServiceMode = 0;
    uint8_t SettingsLoaded = 0;
    std::string SerialNumber = "....";      // 4 characters
    std::string DeviceMark = "...";         // 3 characters
    std::string BoardVersionText = "...";   // up to 16 characters
    std::string SelectedPort = "COM1";
    std::string DataFolder;                 // without a trailing separator
    std::string FileName = "unbenannt";
    int32_t FaultWindowHeight = 766;
    int32_t FaultWindowWidth = 1022;
    uint8_t DeviceType = 255;
    std::array<int32_t, kValueCount> Values = StartValues();
    std::array<uint8_t, kValueCount> PatchMarks{};
    std::string ProgramVersion;
    std::string StartFolder;
    int32_t ValueCount = 0;                 // 120 from the end of start-up on

    static constexpr std::array<int32_t, kValueCount> StartValues()
    {
        return {15,   1,   1,   1,   1,   1,   1,   1,   0,   1,    //
                1,    1,   1,   30,  1,   1,   30,  10,  10,  10,   //
                10,   1,   1,   1000, 1,  0,   500, 10465, 1, 0,    //
                1000, 0,   500, 1,   0,   1,   0,   0,   12,  11,   //
                0,    1,   1,   1,   1,   0,   100, 101, 102, 103,  //
                104,  105, 106, 107, 108, 109, 0,   201, 202, 203,  //
                204,  205, 206, 207, 208, 209, 210, 211, 0,   301,  //
                302,  303, 304, 305, 306, 307, 308, 309, 310, 311,  //
                0,    50,  350, 20,  0,   0,   0,   0,   0,   0,    //
                0,    0,   0,   0,   0,   0,   0,   0,   0,   0,    //
                0,    0,   0,   0,   0,   0,   0,   0,   0,   0,    //
                0,    0,   0,   0,   0,   0,   0,   0,   0,   0};
    }
};

// The process-wide record.
ParameterSet& TheParameterSet();

// "7.9": major and minor of the program version compiled in.
std::string ProgramVersionFromBuild();
