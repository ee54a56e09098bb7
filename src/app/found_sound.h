#pragma once
// The short tone played when the board's port has been found (and after a patch file
// was written): an 8-bit mono PCM RIFF/WAVE image of a 3675 Hz square wave, about
// 89 ms long. Built anew on every use; the window plays it from memory.
#include <cstddef>
#include <cstdint>
#include <vector>

inline constexpr size_t kFoundSoundHeaderSize = 46;
inline constexpr uint32_t kFoundSoundSampleRate = 22050;

std::vector<uint8_t> BuildFoundSound();
