#include "content/TgaWriter.h"

#include "content/VersionedFileWriting.h"
#include "engine/kernel/Error.h"

namespace Content {

using VersionedFileWriting::Put;

namespace {

constexpr std::uint8_t kTrueColour = 2;
// 8 bits of alpha per pixel; the origin at the bottom left.
constexpr std::uint8_t kAlphaBits = 8;
constexpr std::uint32_t kMaxSide = 0xFFFF;

}  // namespace

TgaWriter::Bytes TgaWriter::Build(std::uint32_t width, std::uint32_t height, const std::vector<std::uint8_t>& pixels) {
    if (width > kMaxSide || height > kMaxSide || pixels.size() != std::size_t{width} * height * 4)
        throw Vantor::Error("TGA picture of " + std::to_string(width) + " x " + std::to_string(height) + " with " +
                            std::to_string(pixels.size()) + " bytes");
    Bytes file;
    Put(file, std::uint8_t{0});  // no identification
    Put(file, std::uint8_t{0});  // no colour map
    Put(file, kTrueColour);
    for (int i = 0; i < 5; ++i) Put(file, std::uint8_t{0});  // no colour map: first entry, length, entry size
    Put(file, std::uint16_t{0});                             // x origin
    Put(file, std::uint16_t{0});                             // y origin
    Put(file, static_cast<std::uint16_t>(width));
    Put(file, static_cast<std::uint16_t>(height));
    Put(file, std::uint8_t{32});
    Put(file, kAlphaBits);
    file.reserve(file.size() + pixels.size());
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        file.push_back(pixels[i + 2]);
        file.push_back(pixels[i + 1]);
        file.push_back(pixels[i]);
        file.push_back(pixels[i + 3]);
    }
    return file;
}

void TgaWriter::WriteFile(const std::wstring& path, std::uint32_t width, std::uint32_t height,
                          const std::vector<std::uint8_t>& pixels) {
    VersionedFileWriting::WriteFile(path, Build(width, height, pixels));
}

}  // namespace Content
