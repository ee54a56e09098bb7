#pragma once
// The board's fault memory as the download delivers it: 1000 entries of a time in
// seconds and a fault-text number. Entry 1 is the last record the board sent.
#include <array>
#include <cstdint>

inline constexpr int kFaultEntries = 1000;
inline constexpr uint8_t kHighestFaultText = 38;
inline constexpr uint8_t kInvalidFaultText = 39;

struct FaultRecord {
    int32_t Time = 0;      // seconds; shown unsigned
    uint8_t Fault = 0;     // fault-text number 0..39
};

struct FaultMemory {
    // Index 0 is unused so that entries keep the board's numbering 1..1000.
    std::array<FaultRecord, kFaultEntries + 1> Entries{};

    FaultRecord& Entry(int number) { return Entries[number]; }
    const FaultRecord& Entry(int number) const { return Entries[number]; }
};

// The process-wide fault memory, filled by the download and shown by the fault window.
FaultMemory& TheFaultMemory();
