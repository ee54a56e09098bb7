#pragma once
// The two flash images of a firmware file: the board's code flash (0x8000..0xFFFF) and
// its data flash (0x2400..0x2BFF), each with the address its first byte belongs to.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

inline constexpr int kCodeImageSize = 33000;
inline constexpr int kDataImageSize = 2100;

// Where the flash regions of the board's microcontroller lie. The flash protocol
// programs whole 256-byte pages from the base of an image up to the region's end.
inline constexpr int kPageSize = 256;
inline constexpr int kCodeFlashStart = 0x8000;
inline constexpr int kCodeFlashEnd = 0x10000;  // one past the last byte
inline constexpr int kDataFlashStart = 0x2400;
inline constexpr int kDataFlashEnd = 0x2C00;

// The ID code the boot ROM asks for lives in the top bytes of the fixed vectors.
inline constexpr std::array<int, 7> kIdAddresses = {0xFFDF, 0xFFE3, 0xFFEB, 0xFFEF,
                                                    0xFFF3, 0xFFF7, 0xFFFB};

inline constexpr uint8_t kErasedByte = 0xFF;

struct FirmwareImage {
    std::vector<uint8_t> codeImage = std::vector<uint8_t>(kCodeImageSize, kErasedByte);
    int32_t codeBase = 0;
    bool hasCodeRecords = false;
    std::vector<uint8_t> dataImage = std::vector<uint8_t>(kDataImageSize, kErasedByte);
    int32_t dataBase = 0;
    bool hasDataRecords = false;

    // The seven ID bytes the image carries; only meaningful for an image that the
    // reader accepted (it refuses images that do not cover them).
    std::array<uint8_t, 7> IdCode() const;
    // The image's byte for a code-flash or data-flash address (erased where the image
    // does not reach).
    uint8_t CodeByte(int address) const;
    uint8_t DataByte(int address) const;
    // Whether the flash protocol can take its pages from the images: code present, both
    // bases inside their regions and on a page boundary, the images large enough.
    bool FitsTheFlash() const;
};
