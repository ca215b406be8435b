#pragma once
// Which of the engine's texture formats a DirectDraw pixel format is.

#include "engine/render/TextureFormat.h"
#include "platform/DirectDraw.h"

namespace Vantor {

// A8R8G8B8, A4R4G4B4 and R5G6B5 by their exact flags, depth and masks; else DXT1 to
// DXT5 by the four-character code whatever the flags say; else Other.
TextureFormat ClassifyPixelFormat(const DDPIXELFORMAT& format);

}  // namespace Vantor
