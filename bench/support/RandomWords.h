#pragma once
// Words for the text benchmarks, the same for every run.

#include <cstdint>
#include <string>

namespace benchsupport {

// A word of two to nine letters from the seed, now and then with a capital.
inline std::wstring RandomWord(std::uint32_t& seed) {
    std::wstring word;
    seed = seed * 1664525u + 1013904223u;
    const std::uint32_t length = 2 + (seed >> 16) % 8;
    for (std::uint32_t i = 0; i < length; ++i) {
        seed = seed * 1664525u + 1013904223u;
        word.push_back(static_cast<wchar_t>((i == 0 && (seed & 0x100) ? L'A' : L'a') + (seed >> 16) % 26));
    }
    return word;
}

}  // namespace benchsupport
