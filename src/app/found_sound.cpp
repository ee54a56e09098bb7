#include "found_sound.h"

namespace {

void Put32(std::vector<uint8_t>& image, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        image[at + i] = uint8_t(value >> (8 * i));
}

void Put16(std::vector<uint8_t>& image, size_t at, uint16_t value)
{
    image[at] = uint8_t(value);
    image[at + 1] = uint8_t(value >> 8);
}

void PutText(std::vector<uint8_t>& image, size_t at, const char* text)
{
    for (size_t i = 0; text[i]; ++i)
        image[at + i] = uint8_t(text[i]);
}

}  // namespace

std::vector<uint8_t> BuildFoundSound()
{
    // Samples: a phase counter stepping 0..5 before each sample; high while it is
    // below 2.5. Generation ends with the first sample past offset 2000 whose
    // counter is 0.
    std::vector<uint8_t> image(kFoundSoundHeaderSize, 0);
    int phase = 0;
    for (size_t offset = kFoundSoundHeaderSize;; ++offset) {
        phase = (phase + 1) % 6;
        image.push_back(phase < 3 ? 0xDF : 0x1F);
        if (offset > 2000 && phase == 0)
            break;
    }
    const uint32_t samples = uint32_t(image.size() - kFoundSoundHeaderSize);

    PutText(image, 0, "RIFF");
    Put32(image, 4, 22096);  // fixed, not the image size: players accept it
    PutText(image, 8, "WAVEfmt ");
    Put32(image, 16, 18);
    Put16(image, 20, 1);  // PCM
    Put16(image, 22, 1);  // mono
    Put32(image, 24, kFoundSoundSampleRate);
    Put32(image, 28, kFoundSoundSampleRate);  // bytes per second at one byte a sample
    Put16(image, 32, 1);
    Put16(image, 34, 8);
    Put16(image, 36, 0);
    PutText(image, 38, "data");
    Put32(image, 42, samples);
    return image;
}
