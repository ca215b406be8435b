#pragma once
// Pixel formats of DirectDraw surfaces: building them and measuring them. The layer's
// surfaces, the default capabilities and tests that set other capabilities use these.

#include "platform/DirectDraw.h"

namespace platform {

// An RGB format (with DDPF_ALPHAPIXELS when the alpha mask is not zero).
DDPIXELFORMAT RgbPixelFormat(DWORD bits, DWORD red, DWORD green, DWORD blue, DWORD alpha);
// A compressed format by its four-character code (DXT1 to DXT5).
DDPIXELFORMAT FourCCPixelFormat(DWORD fourCC);
// A depth format: dwZBufferBitDepth is depth and stencil bits together (16 or 32),
// the depth bits sit above the stencil bits.
DDPIXELFORMAT ZBufferPixelFormat(DWORD totalBits, DWORD stencilBits);

DDPIXELFORMAT PixelFormatA8R8G8B8();
DDPIXELFORMAT PixelFormatX8R8G8B8();
DDPIXELFORMAT PixelFormatA4R4G4B4();
DDPIXELFORMAT PixelFormatR5G6B5();
DDPIXELFORMAT PixelFormatR8G8B8();
DDPIXELFORMAT PixelFormatP8();
// The format of a display mode of the given depth: R5G6B5, R8G8B8, X8R8G8B8 or 8-bit
// palette indices.
DDPIXELFORMAT DisplayPixelFormat(DWORD bits);

bool SamePixelFormat(const DDPIXELFORMAT& a, const DDPIXELFORMAT& b);
// DXT1 to DXT5: the surface is stored as 4x4 blocks.
bool IsBlockCompressed(const DDPIXELFORMAT& format);
// Bytes per pixel of an uncompressed format; 0 for compressed or unusable ones.
DWORD BytesPerPixel(const DDPIXELFORMAT& format);
// Bytes of one 4x4 block: 8 for DXT1, 16 for DXT2 to DXT5.
DWORD BytesPerBlock(const DDPIXELFORMAT& format);
// Bytes of a compressed level of the given size (at least one block each way).
DWORD CompressedLevelSize(const DDPIXELFORMAT& format, DWORD width, DWORD height);
// The DDBD_ flag of a depth in bits (of a surface's pixels or of a Z buffer); 0 for
// depths no flag names.
DWORD BitDepthFlag(DWORD bits);
// A colour packed for the format's channel masks (A<<24|R<<16|G<<8|B in; high bits of
// each channel kept); formats without alpha take none.
DWORD PackColour(const DDPIXELFORMAT& format, DWORD argb);

}  // namespace platform
