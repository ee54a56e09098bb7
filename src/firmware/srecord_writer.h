#pragma once
// Writes firmware images as Motorola S-records, as a board's build tools do: S2 records
// of up to 32 data bytes with the checksum over every field, and an S8 end record.
// Used to make sample and test firmware files.
#include "firmware_image.h"

#include <cstdint>
#include <string>
#include <vector>

// One S2 record (without line end) for `data` at the 24-bit `address`.
std::string S2Record(uint32_t address, const std::vector<uint8_t>& data);
// S8 end record naming the start address.
std::string S8Record(uint32_t startAddress);

// All records of the image (pages that hold only erased bytes are left out, except the
// first of each region, which fixes its base), CR LF after each line.
std::string WriteSRecords(const FirmwareImage& image);
