#include "platform/GLPixels.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "platform/DirectDrawFormats.h"

namespace platform::ddraw {

namespace {

// One channel of a packed pixel, widened to 8 bits; 255 where the format has no mask.
class Channel {
public:
    explicit Channel(DWORD mask)
        : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), largest_(mask ? mask >> shift_ : 0) {}

    BYTE From(DWORD pixel) const {
        if (!mask_) return 255;
        DWORD value = (pixel & mask_) >> shift_;
        return static_cast<BYTE>((uint64_t{value} * 255 + largest_ / 2) / largest_);
    }

private:
    DWORD mask_;
    int shift_;
    DWORD largest_;
};

using Texel = std::array<BYTE, 4>;  // red, green, blue, alpha

Texel Expand565(unsigned colour) {
    unsigned r = (colour >> 11) & 31, g = (colour >> 5) & 63, b = colour & 31;
    return {BYTE((r << 3) | (r >> 2)), BYTE((g << 2) | (g >> 4)), BYTE((b << 3) | (b >> 2)), 255};
}

Texel Mix(const Texel& a, const Texel& b, unsigned weightA, unsigned weightB) {
    Texel mixed{};
    for (int i = 0; i < 3; ++i) mixed[i] = BYTE((a[i] * weightA + b[i] * weightB) / (weightA + weightB));
    mixed[3] = 255;
    return mixed;
}

// The 16 texels of a colour block; `threeColourMode` allows DXT1's punch-through alpha.
std::array<Texel, 16> DecodeColourBlock(const BYTE* block, bool threeColourMode) {
    unsigned c0 = block[0] | (block[1] << 8), c1 = block[2] | (block[3] << 8);
    std::array<Texel, 4> palette{Expand565(c0), Expand565(c1)};
    if (threeColourMode && c0 <= c1) {
        palette[2] = Mix(palette[0], palette[1], 1, 1);
        palette[3] = {0, 0, 0, 0};
    } else {
        palette[2] = Mix(palette[0], palette[1], 2, 1);
        palette[3] = Mix(palette[0], palette[1], 1, 2);
    }
    uint32_t indices = 0;
    std::memcpy(&indices, block + 4, 4);
    std::array<Texel, 16> texels{};
    for (int i = 0; i < 16; ++i) texels[i] = palette[(indices >> (2 * i)) & 3];
    return texels;
}

void ExplicitAlpha(const BYTE* block, std::array<Texel, 16>& texels) {
    uint64_t bits = 0;
    std::memcpy(&bits, block, 8);
    for (int i = 0; i < 16; ++i) texels[i][3] = BYTE(((bits >> (4 * i)) & 15) * 17);
}

void InterpolatedAlpha(const BYTE* block, std::array<Texel, 16>& texels) {
    unsigned a0 = block[0], a1 = block[1];
    std::array<unsigned, 8> palette{a0, a1};
    if (a0 > a1) {
        for (unsigned i = 1; i < 7; ++i) palette[i + 1] = ((7 - i) * a0 + i * a1) / 7;
    } else {
        for (unsigned i = 1; i < 5; ++i) palette[i + 1] = ((5 - i) * a0 + i * a1) / 5;
        palette[6] = 0;
        palette[7] = 255;
    }
    uint64_t bits = 0;
    std::memcpy(&bits, block + 2, 6);
    for (int i = 0; i < 16; ++i) texels[i][3] = BYTE(palette[(bits >> (3 * i)) & 7]);
}

}  // namespace

std::vector<BYTE> SurfaceToRgba(const BYTE* pixels, DWORD pitch, DWORD width, DWORD height,
                                const DDPIXELFORMAT& format) {
    const DWORD bytes = BytesPerPixel(format);
    const Channel red(format.dwRBitMask), green(format.dwGBitMask), blue(format.dwBBitMask),
        alpha((format.dwFlags & DDPF_ALPHAPIXELS) ? format.dwRGBAlphaBitMask : 0);
    std::vector<BYTE> rgba(size_t(width) * height * 4);
    BYTE* out = rgba.data();
    for (DWORD y = 0; y < height; ++y) {
        const BYTE* row = pixels + size_t(y) * pitch;
        for (DWORD x = 0; x < width; ++x) {
            DWORD pixel = 0;
            std::memcpy(&pixel, row + size_t(x) * bytes, bytes);  // little-endian, as the surface's memory
            *out++ = red.From(pixel);
            *out++ = green.From(pixel);
            *out++ = blue.From(pixel);
            *out++ = alpha.From(pixel);
        }
    }
    return rgba;
}

void BgraToSurface(const BYTE* bgra, DWORD width, DWORD height, const DDPIXELFORMAT& format, BYTE* pixels,
                   DWORD pitch) {
    const DWORD bytes = BytesPerPixel(format);
    for (DWORD y = 0; y < height; ++y) {
        BYTE* row = pixels + size_t(y) * pitch;
        for (DWORD x = 0; x < width; ++x, bgra += 4) {
            DWORD argb = DWORD(bgra[0]) | DWORD(bgra[1]) << 8 | DWORD(bgra[2]) << 16 | DWORD(bgra[3]) << 24;
            DWORD packed = PackColour(format, argb);
            std::memcpy(row + size_t(x) * bytes, &packed, bytes);
        }
    }
}

std::vector<BYTE> DecodeDxt(const BYTE* blocks, DWORD width, DWORD height, DWORD fourCC) {
    const bool dxt1 = fourCC == MAKEFOURCC('D', 'X', 'T', '1');
    const bool explicitAlpha = fourCC == MAKEFOURCC('D', 'X', 'T', '2') || fourCC == MAKEFOURCC('D', 'X', 'T', '3');
    const DWORD blockBytes = dxt1 ? 8 : 16;
    const DWORD blocksWide = std::max<DWORD>(1, (width + 3) / 4), blocksHigh = std::max<DWORD>(1, (height + 3) / 4);
    std::vector<BYTE> rgba(size_t(width) * height * 4);
    for (DWORD by = 0; by < blocksHigh; ++by) {
        for (DWORD bx = 0; bx < blocksWide; ++bx, blocks += blockBytes) {
            std::array<Texel, 16> texels = DecodeColourBlock(dxt1 ? blocks : blocks + 8, dxt1);
            if (explicitAlpha)
                ExplicitAlpha(blocks, texels);
            else if (!dxt1)
                InterpolatedAlpha(blocks, texels);
            for (DWORD i = 0; i < 16; ++i) {
                DWORD x = bx * 4 + i % 4, y = by * 4 + i / 4;
                if (x < width && y < height)
                    std::copy(texels[i].begin(), texels[i].end(), &rgba[(size_t(y) * width + x) * 4]);
            }
        }
    }
    return rgba;
}

}  // namespace platform::ddraw
