#include "engine/render/d3d7/ClassifyPixelFormat.h"

#include <gtest/gtest.h>

#include "platform/DirectDrawFormats.h"

namespace {

using Vantor::ClassifyPixelFormat;
using Vantor::TextureFormat;

struct FormatCase {
    const char* name;
    DDPIXELFORMAT format;
    TextureFormat expected;
};

DDPIXELFORMAT WithFlags(DDPIXELFORMAT format, DWORD flags) {
    format.dwFlags = flags;
    return format;
}

TEST(ClassifyPixelFormatTest, NamesTheEngineFormatOfEachDeviceFormat) {
    DDPIXELFORMAT dxt5WithRgbFlag = platform::FourCCPixelFormat(MAKEFOURCC('D', 'X', 'T', '5'));
    dxt5WithRgbFlag.dwFlags |= DDPF_RGB;
    const FormatCase cases[] = {
        {"A8R8G8B8", platform::PixelFormatA8R8G8B8(), TextureFormat::A8R8G8B8},
        {"A4R4G4B4", platform::PixelFormatA4R4G4B4(), TextureFormat::A4R4G4B4},
        {"R5G6B5", platform::PixelFormatR5G6B5(), TextureFormat::R5G6B5},
        {"DXT1", platform::FourCCPixelFormat(MAKEFOURCC('D', 'X', 'T', '1')), TextureFormat::Dxt1},
        {"DXT3", platform::FourCCPixelFormat(MAKEFOURCC('D', 'X', 'T', '3')), TextureFormat::Dxt3},
        {"DXT5 whatever the flags", dxt5WithRgbFlag, TextureFormat::Dxt5},
        // The flags must match exactly.
        {"X8R8G8B8", platform::PixelFormatX8R8G8B8(), TextureFormat::Other},
        {"A8R8G8B8 with a stray flag", WithFlags(platform::PixelFormatA8R8G8B8(), DDPF_RGB | DDPF_ALPHAPIXELS | 0x2),
         TextureFormat::Other},
        {"R8G8B8", platform::PixelFormatR8G8B8(), TextureFormat::Other},
        {"palette", platform::PixelFormatP8(), TextureFormat::Other},
        {"DXT0", platform::FourCCPixelFormat(MAKEFOURCC('D', 'X', 'T', '0')), TextureFormat::Other},
    };
    for (const FormatCase& c : cases) EXPECT_EQ(ClassifyPixelFormat(c.format), c.expected) << c.name;
}

}  // namespace
