#pragma once
// "Vom Gerät zum PC": reads the board's parameter values, fault memory, serial number,
// DeviceMark, configuration version, language, device type and version text.
//
// After 0xA5 0xAB the board sends one block that ends at the first 0xAF:
//   120 values, 1000 fault times, 1000 fault codes (decimal text, each ended by "_"),
//   4 serial-number bytes, 3 DeviceMark bytes, 0xAF
// and then byte by byte: configuration version, language (0/1), device type, version
// text of at most 16 characters ended by "_".
#include "fault_memory.h"
#include "outcome.h"
#include "parameter_set.h"
#include "serial_port.h"
#include "transfer_host.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Download {
inline constexpr int kBlockBufferSize = 64000;
inline constexpr int kBlockLimit = 63995;      // this many bytes stored: buffer full
inline constexpr int kFieldBufferSize = 50;    // field text plus its end
inline constexpr int kIdlePolls = 500;         // of kPollMs without a byte
inline constexpr int kPollMs = 10;
inline constexpr int kSettleMs = 50;           // after the command, before the block
inline constexpr int kProgressFieldsPerStep = 30;
inline constexpr int kVersionTextLimit = 18;   // bytes stored incl. "_": too many
inline constexpr int kFaultFields = 1000;
inline constexpr int kSerialBytes = 4;
inline constexpr int kMarkBytes = 3;
}  // namespace Download

// The block as received, taken apart.
struct DownloadBlock {
    std::array<int32_t, kValueCount> Values{};
    FaultMemory Faults;
    std::string SerialNumber;  // UTF-8 of the board's 4 bytes (Windows-1252)
    std::string DeviceMark;    // UTF-8 of the board's 3 bytes
};

enum class BlockStatus {
    Ok,
    Incomplete,    // fewer fields or identity bytes than expected before the 0xAF
    FieldTooLong,  // a field that does not fit the field buffer
    WrongEnd,      // more bytes than expected: the identity is not followed by 0xAF
};

struct BlockParse {
    BlockStatus Status = BlockStatus::Incomplete;
    DownloadBlock Data;  // complete when Status is Ok or WrongEnd
};

// Takes the block apart without reading past its end.
BlockParse ParseDownloadBlock(const std::vector<uint8_t>& block);

// A field's text as the board's firmware writes it: optional sign, digits; the
// conversion stops at the first other character; an empty text is 0. Saturates at the
// limits of 32 bits.
int32_t FieldValue(const std::string& text);

// A fault time as the board counts it: seconds in an unsigned 32-bit counter. The
// decimal text is taken modulo 2^32 ("4294967295" and "-1" both give the counter's
// highest value); the result is kept as the 32 bits of FaultRecord::Time.
uint32_t FaultTimeValue(const std::string& text);

// Fault codes above 38 (and below 0) are shown as the invalid-number text 39.
uint8_t FaultTextNumber(int32_t code);

// The button handler. The parameter set and the fault memory change only as far as
// the board delivered them; RefreshMainWindow runs at the end either way (unless the
// board did not answer the ping, when nothing happened). Done when everything was
// read and taken.
Outcome EmpfangenButtonClick(SerialPort& port, TransferHost& host, ParameterSet& params,
                             FaultMemory& faults);
