#pragma once
// Inside the platform layer: pixel conversions between DirectDraw surface memory and
// what OpenGL takes and gives. Rows keep their order: surface memory and the OpenGL
// pictures of surfaces are both top row first, and a texture's row 0 is texture
// coordinate v = 0 on both sides.

#include <vector>

#include "platform/DirectDraw.h"

namespace platform::ddraw {

// Tightly packed red, green, blue, alpha bytes of an uncompressed surface's pixels,
// channels taken through the format's masks (255 for a channel without a mask, alpha
// included).
std::vector<BYTE> SurfaceToRgba(const BYTE* pixels, DWORD pitch, DWORD width, DWORD height,
                                const DDPIXELFORMAT& format);

// Writes pixels read back from a picture (blue, green, red, alpha bytes, tightly packed)
// into surface memory of the given format.
void BgraToSurface(const BYTE* bgra, DWORD width, DWORD height, const DDPIXELFORMAT& format, BYTE* pixels,
                   DWORD pitch);

// Decodes DXT1 to DXT5 blocks (as a compressed surface stores them, block rows top
// first) into tightly packed red, green, blue, alpha bytes. DXT1 blocks in three-colour
// mode give transparent black for their fourth index; DXT2 and DXT4 are decoded like
// DXT3 and DXT5 (their colours stay premultiplied).
std::vector<BYTE> DecodeDxt(const BYTE* blocks, DWORD width, DWORD height, DWORD fourCC);

}  // namespace platform::ddraw
