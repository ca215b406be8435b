#include "engine/render/d3d7/ClassifyPixelFormat.h"

namespace Vantor {

namespace {

bool IsRgb(const DDPIXELFORMAT& format, DWORD flags, DWORD bits, DWORD alpha, DWORD red, DWORD green, DWORD blue) {
    return format.dwFlags == flags && format.dwRGBBitCount == bits && format.dwRGBAlphaBitMask == alpha &&
           format.dwRBitMask == red && format.dwGBitMask == green && format.dwBBitMask == blue;
}

}  // namespace

TextureFormat ClassifyPixelFormat(const DDPIXELFORMAT& format) {
    constexpr DWORD kRgbAlpha = DDPF_RGB | DDPF_ALPHAPIXELS;
    if (IsRgb(format, kRgbAlpha, 32, 0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF)) return TextureFormat::A8R8G8B8;
    if (IsRgb(format, kRgbAlpha, 16, 0xF000, 0x0F00, 0x00F0, 0x000F)) return TextureFormat::A4R4G4B4;
    if (IsRgb(format, DDPF_RGB, 16, 0, 0xF800, 0x07E0, 0x001F)) return TextureFormat::R5G6B5;
    switch (format.dwFourCC) {
        case MAKEFOURCC('D', 'X', 'T', '1'):
            return TextureFormat::Dxt1;
        case MAKEFOURCC('D', 'X', 'T', '2'):
            return TextureFormat::Dxt2;
        case MAKEFOURCC('D', 'X', 'T', '3'):
            return TextureFormat::Dxt3;
        case MAKEFOURCC('D', 'X', 'T', '4'):
            return TextureFormat::Dxt4;
        case MAKEFOURCC('D', 'X', 'T', '5'):
            return TextureFormat::Dxt5;
        default:
            return TextureFormat::Other;
    }
}

}  // namespace Vantor
