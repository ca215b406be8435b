#include "platform/DirectDrawFormats.h"

#include <bit>

namespace platform {

namespace {

DDPIXELFORMAT EmptyFormat() {
    DDPIXELFORMAT format{};
    format.dwSize = sizeof(DDPIXELFORMAT);
    return format;
}

// The bits of one 8-bit channel that fit in the mask, moved into place.
DWORD PackChannel(DWORD mask, DWORD value8) {
    if (mask == 0) return 0;
    int shift = std::countr_zero(mask);
    int width = std::popcount(mask);
    DWORD value = width >= 8 ? value8 << (width - 8) : value8 >> (8 - width);
    return (value << shift) & mask;
}

}  // namespace

DDPIXELFORMAT RgbPixelFormat(DWORD bits, DWORD red, DWORD green, DWORD blue, DWORD alpha) {
    DDPIXELFORMAT format = EmptyFormat();
    format.dwFlags = DDPF_RGB | (alpha ? DDPF_ALPHAPIXELS : 0);
    format.dwRGBBitCount = bits;
    format.dwRBitMask = red;
    format.dwGBitMask = green;
    format.dwBBitMask = blue;
    format.dwRGBAlphaBitMask = alpha;
    return format;
}

DDPIXELFORMAT FourCCPixelFormat(DWORD fourCC) {
    DDPIXELFORMAT format = EmptyFormat();
    format.dwFlags = DDPF_FOURCC;
    format.dwFourCC = fourCC;
    return format;
}

DDPIXELFORMAT ZBufferPixelFormat(DWORD totalBits, DWORD stencilBits) {
    DDPIXELFORMAT format = EmptyFormat();
    format.dwFlags = DDPF_ZBUFFER | (stencilBits ? DDPF_STENCILBUFFER : 0);
    format.dwZBufferBitDepth = totalBits;
    format.dwStencilBitDepth = stencilBits;
    DWORD all = totalBits >= 32 ? 0xFFFFFFFFu : (1u << totalBits) - 1;
    DWORD stencilMask = (1u << stencilBits) - 1;
    format.dwStencilBitMask = stencilMask;
    // A 24-bit depth in a 32-bit word without stencil leaves its low 8 bits unused.
    DWORD depthBits = totalBits == 32 ? 24 : totalBits - stencilBits;
    format.dwZBitMask = all & ~((1u << (totalBits - depthBits)) - 1);
    return format;
}

DDPIXELFORMAT PixelFormatA8R8G8B8() { return RgbPixelFormat(32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000); }
DDPIXELFORMAT PixelFormatX8R8G8B8() { return RgbPixelFormat(32, 0xFF0000, 0xFF00, 0xFF, 0); }
DDPIXELFORMAT PixelFormatA4R4G4B4() { return RgbPixelFormat(16, 0x0F00, 0x00F0, 0x000F, 0xF000); }
DDPIXELFORMAT PixelFormatR5G6B5() { return RgbPixelFormat(16, 0xF800, 0x07E0, 0x001F, 0); }
DDPIXELFORMAT PixelFormatR8G8B8() { return RgbPixelFormat(24, 0xFF0000, 0xFF00, 0xFF, 0); }

DDPIXELFORMAT PixelFormatP8() {
    DDPIXELFORMAT format = EmptyFormat();
    format.dwFlags = DDPF_RGB | DDPF_PALETTEINDEXED8;
    format.dwRGBBitCount = 8;
    return format;
}

DDPIXELFORMAT DisplayPixelFormat(DWORD bits) {
    switch (bits) {
        case 8:
            return PixelFormatP8();
        case 16:
            return PixelFormatR5G6B5();
        case 24:
            return PixelFormatR8G8B8();
        default:
            return PixelFormatX8R8G8B8();
    }
}

DWORD BitDepthFlag(DWORD bits) {
    switch (bits) {
        case 8:
            return DDBD_8;
        case 16:
            return DDBD_16;
        case 24:
            return DDBD_24;
        case 32:
            return DDBD_32;
        default:
            return 0;
    }
}

bool SamePixelFormat(const DDPIXELFORMAT& a, const DDPIXELFORMAT& b) {
    if (IsBlockCompressed(a) || IsBlockCompressed(b)) return a.dwFourCC == b.dwFourCC;
    return a.dwFlags == b.dwFlags && a.dwRGBBitCount == b.dwRGBBitCount && a.dwRBitMask == b.dwRBitMask &&
           a.dwGBitMask == b.dwGBitMask && a.dwBBitMask == b.dwBBitMask && a.dwRGBAlphaBitMask == b.dwRGBAlphaBitMask;
}

bool IsBlockCompressed(const DDPIXELFORMAT& format) {
    if (!(format.dwFlags & DDPF_FOURCC)) return false;
    for (char n = '1'; n <= '5'; ++n)
        if (format.dwFourCC == MAKEFOURCC('D', 'X', 'T', n)) return true;
    return false;
}

DWORD BytesPerPixel(const DDPIXELFORMAT& format) {
    if (format.dwFlags & DDPF_FOURCC) return 0;
    DWORD bits = format.dwRGBBitCount;  // shares its place with the Z-buffer depth
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return 0;
    return bits / 8;
}

DWORD BytesPerBlock(const DDPIXELFORMAT& format) { return format.dwFourCC == MAKEFOURCC('D', 'X', 'T', '1') ? 8 : 16; }

DWORD CompressedLevelSize(const DDPIXELFORMAT& format, DWORD width, DWORD height) {
    DWORD blocksWide = width < 4 ? 1 : (width + 3) / 4;
    DWORD blocksHigh = height < 4 ? 1 : (height + 3) / 4;
    return blocksWide * blocksHigh * BytesPerBlock(format);
}

DWORD PackColour(const DDPIXELFORMAT& format, DWORD argb) {
    DWORD alphaMask = (format.dwFlags & DDPF_ALPHAPIXELS) ? format.dwRGBAlphaBitMask : 0;
    return PackChannel(alphaMask, argb >> 24) | PackChannel(format.dwRBitMask, (argb >> 16) & 0xFF) |
           PackChannel(format.dwGBitMask, (argb >> 8) & 0xFF) | PackChannel(format.dwBBitMask, argb & 0xFF);
}

}  // namespace platform
