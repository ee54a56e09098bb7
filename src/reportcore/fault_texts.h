#pragma once
// Texts of the board's fault numbers and the split of a fault time stamp into
// days, hours, minutes and seconds, as the fault-memory window and its export show them.
#include <array>
#include <cstdint>
#include <string>

inline constexpr int kFaultTextCount = 40;

// Entry n is the text of fault number n; 27 and 31 are unused by the board and empty,
// 39 stands for a number the board should never send.
extern const std::array<const char*, kFaultTextCount> FaultTextTable;

// The text of a fault number in the program's language; numbers above 39 (negative
// bytes from the board) get the text of 39 instead of reading past the table.
std::string FaultText(unsigned number);

struct FaultTime {
    uint32_t Days = 0;
    uint32_t Hours = 0;
    uint32_t Minutes = 0;
    uint32_t Seconds = 0;
};

// The board counts seconds in an unsigned 32-bit number.
FaultTime SplitFaultTime(uint32_t seconds);
