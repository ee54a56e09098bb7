#include "firmware_image.h"

#include <cstddef>

namespace {

uint8_t ByteAt(const std::vector<uint8_t>& image, int base, int address)
{
    const int offset = address - base;
    if (offset < 0 || offset >= int(image.size()))
        return kErasedByte;
    return image[size_t(offset)];
}

}  // namespace

std::array<uint8_t, 7> FirmwareImage::IdCode() const
{
    std::array<uint8_t, 7> id{};
    for (size_t i = 0; i < id.size(); ++i)
        id[i] = CodeByte(kIdAddresses[i]);
    return id;
}

uint8_t FirmwareImage::CodeByte(int address) const
{
    return ByteAt(codeImage, codeBase, address);
}

uint8_t FirmwareImage::DataByte(int address) const
{
    return ByteAt(dataImage, dataBase, address);
}

bool FirmwareImage::FitsTheFlash() const
{
    auto fits = [](const std::vector<uint8_t>& image, int base, int start, int end) {
        return base >= start && base < end && base % kPageSize == 0
               && int(image.size()) >= end - base;
    };
    return hasCodeRecords && fits(codeImage, codeBase, kCodeFlashStart, kCodeFlashEnd)
           && (!hasDataRecords || fits(dataImage, dataBase, kDataFlashStart, kDataFlashEnd));
}
