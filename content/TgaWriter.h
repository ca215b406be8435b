#pragma once
// Writes uncompressed 32-bit TGA pictures (red, green, blue, alpha; rows bottom first),
// which the texture manager reads with their opacity.

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class TgaWriter {
public:
    using Bytes = std::vector<std::uint8_t>;

    // pixels: width x height red, green, blue, alpha bytes, the bottom row first.
    static Bytes Build(std::uint32_t width, std::uint32_t height, const std::vector<std::uint8_t>& pixels);
    // Writes the file, creating its folders; a relative path lies below the base folder.
    static void WriteFile(const std::wstring& path, std::uint32_t width, std::uint32_t height,
                          const std::vector<std::uint8_t>& pixels);
};

}  // namespace Content
