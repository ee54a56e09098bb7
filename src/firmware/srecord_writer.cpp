#include "srecord_writer.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string Record(char kind, const std::vector<uint8_t>& fields)
{
    unsigned sum = 0;
    std::string out = {'S', kind};
    char hex[3];
    for (uint8_t b : fields) {
        sum += b;
        std::snprintf(hex, sizeof hex, "%02X", b);
        out += hex;
    }
    std::snprintf(hex, sizeof hex, "%02X", unsigned(~sum & 0xFF));
    return out + hex;
}

void AppendRegion(std::string& out, const std::vector<uint8_t>& image, int base, int end)
{
    constexpr int kChunk = 32;
    for (int address = base; address < end; address += kChunk) {
        const auto first = image.begin() + (address - base);
        const std::vector<uint8_t> chunk(first, first + std::min(kChunk, end - address));
        const bool erased = std::all_of(chunk.begin(), chunk.end(),
                                        [](uint8_t b) { return b == kErasedByte; });
        if (erased && address != base)
            continue;
        out += S2Record(uint32_t(address), chunk) + "\r\n";
    }
}

}  // namespace

std::string S2Record(uint32_t address, const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> fields = {uint8_t(data.size() + 4), uint8_t(address >> 16),
                                   uint8_t(address >> 8), uint8_t(address)};
    fields.insert(fields.end(), data.begin(), data.end());
    return Record('2', fields);
}

std::string S8Record(uint32_t startAddress)
{
    return Record('8', {4, uint8_t(startAddress >> 16), uint8_t(startAddress >> 8),
                        uint8_t(startAddress)});
}

std::string WriteSRecords(const FirmwareImage& image)
{
    std::string out;
    if (image.hasCodeRecords)
        AppendRegion(out, image.codeImage, image.codeBase, kCodeFlashEnd);
    if (image.hasDataRecords)
        AppendRegion(out, image.dataImage, image.dataBase, kDataFlashEnd);
    return out + S8Record(uint32_t(image.codeBase)) + "\r\n";
}
