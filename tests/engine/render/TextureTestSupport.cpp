#include "tests/engine/render/TextureTestSupport.h"

#include <cstring>

#include "platform/DirectDrawCaps.h"

namespace texturetest {

namespace {

// Little-endian; bytes beyond the value's four are 0.
void Put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(i < 4 ? (value >> (8 * i)) & 0xFF : 0));
}

std::string Unframed(const std::string& text, const std::string& prefix) {
    std::size_t start = text.find(prefix);
    start = start == std::string::npos ? 0 : start + prefix.size();
    std::size_t end = text.rfind('!');
    if (end == std::string::npos || end < start) end = text.size();
    return text.substr(start, end - start);
}

}  // namespace

Picture MakePicture(std::uint32_t width, std::uint32_t height, std::uint32_t bits, const PixelColour& colour) {
    Picture picture{width, height, bits, {}};
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint32_t rgba = colour(x, y);
            for (std::uint32_t b = 0; b < bits / 8; ++b) picture.pixels.push_back((rgba >> (24 - 8 * b)) & 0xFF);
        }
    }
    return picture;
}

Picture SolidPicture(std::uint32_t width, std::uint32_t height, std::uint32_t bits, std::uint32_t rgba) {
    return MakePicture(width, height, bits, [rgba](std::uint32_t, std::uint32_t) { return rgba; });
}

Vantor::Image* MakeImage(const Picture& picture) {
    auto* image = new Vantor::Image;
    image->SetFormat(picture.width, picture.height, picture.bits, true);
    std::memcpy(image->GetPixels(), picture.pixels.data(), picture.pixels.size());
    return image;
}

std::string TgaFile(const Picture& picture) {
    std::string file;
    Put(file, 0, 2);                                 // no identification, no colour map
    Put(file, picture.bits == 8 ? 3 : 2, 1);         // grey or true colour
    Put(file, 0, 5);                                 // colour map
    Put(file, 0, 4);                                 // origin
    Put(file, picture.width, 2);
    Put(file, picture.height, 2);
    Put(file, picture.bits, 1);
    Put(file, 0, 1);  // bottom row first
    const std::uint32_t bytes = picture.bits / 8;
    for (std::size_t p = 0; p < picture.pixels.size(); p += bytes) {
        if (bytes == 1) {
            file.push_back(static_cast<char>(picture.pixels[p]));
            continue;
        }
        file.push_back(static_cast<char>(picture.pixels[p + 2]));
        file.push_back(static_cast<char>(picture.pixels[p + 1]));
        file.push_back(static_cast<char>(picture.pixels[p]));
        if (bytes == 4) file.push_back(static_cast<char>(picture.pixels[p + 3]));
    }
    return file;
}

std::string BmpFile(const Picture& picture) {
    const std::uint32_t rowBytes = (picture.width * 3 + 3) / 4 * 4;
    std::string file = "BM";
    Put(file, 54 + rowBytes * picture.height, 4);
    Put(file, 0, 4);
    Put(file, 54, 4);
    Put(file, 40, 4);
    Put(file, picture.width, 4);
    Put(file, picture.height, 4);
    Put(file, 1, 2);
    Put(file, 24, 2);
    Put(file, 0, 4);
    Put(file, rowBytes * picture.height, 4);
    Put(file, 0, 16);
    const std::uint32_t bytes = picture.bits / 8;
    for (std::uint32_t y = 0; y < picture.height; ++y) {
        for (std::uint32_t x = 0; x < picture.width; ++x) {
            const std::uint8_t* pixel = &picture.pixels[(std::size_t(y) * picture.width + x) * bytes];
            for (int channel : {2, 1, 0}) file.push_back(static_cast<char>(pixel[bytes == 1 ? 0 : channel]));
        }
        file.append(rowBytes - picture.width * 3, '\0');
    }
    return file;
}

std::string DdsFile(std::uint32_t width, std::uint32_t height, const std::string& fourCC, std::uint32_t mipCount,
                    const std::string& levels) {
    std::string file = "DDS ";
    Put(file, 124, 4);
    Put(file, 0x1007 | 0x20000, 4);  // caps, height, width, pixel format, mip count
    Put(file, height, 4);
    Put(file, width, 4);
    Put(file, 0, 4);
    Put(file, 0, 4);
    Put(file, mipCount, 4);
    file.append(44, '\0');
    Put(file, 32, 4);
    Put(file, 0x4, 4);  // four-character code
    file += fourCC;
    file.append(20 + 16 + 4, '\0');
    return file + levels;
}

std::wstring TextureTest::WritePicture(const std::string& name, const std::string& bytes) {
    home_.folder.WriteFile("pictures/" + name, bytes);
    return L"pictures\\" + std::wstring(name.begin(), name.end());
}

std::vector<std::string> TextureTest::TakeWarnings() {
    std::vector<std::string> warnings;
    for (const Vantor::LogMessage* message : log_->GetMessages())
        if (message->kind == Vantor::MessageKind::Warning) warnings.push_back(Unframed(message->text, "Warning: "));
    TakeErrors();
    return warnings;
}

std::vector<std::string> TextureTest::Messages() const {
    std::vector<std::string> messages;
    for (const Vantor::LogMessage* message : log_->GetMessages())
        if (message->kind == Vantor::MessageKind::Message) messages.push_back(message->text);
    return messages;
}

void TextureTest::SetDeviceCaps(const std::function<void(platform::Direct3DDeviceCaps&)>& change) {
    platform::GraphicsCaps caps = d3d7test::DefaultCaps();
    change(d3d7test::TheDevice(caps));
    platform::seam::SetGraphicsCaps(caps);
}

DDSURFACEDESC2 Describe(IDirectDrawSurface7* surface) {
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    surface->GetSurfaceDesc(&desc);
    return desc;
}

std::vector<std::string> LevelSizes(IDirectDrawSurface7* surface) {
    std::vector<std::string> sizes;
    surface->AddRef();
    while (surface) {
        DDSURFACEDESC2 desc = Describe(surface);
        sizes.push_back(std::to_string(desc.dwWidth) + "x" + std::to_string(desc.dwHeight));
        DDSCAPS2 caps{DDSCAPS_TEXTURE | DDSCAPS_MIPMAP | DDSCAPS_COMPLEX, 0, 0, 0};
        IDirectDrawSurface7* next = nullptr;
        if (FAILED(surface->GetAttachedSurface(&caps, &next))) next = nullptr;
        surface->Release();
        surface = next;
    }
    return sizes;
}

std::uint32_t SurfacePixel(IDirectDrawSurface7* surface, std::uint32_t x, std::uint32_t y) {
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    if (FAILED(surface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr))) return 0xDEADBEEF;
    const std::uint32_t bytes = desc.ddpfPixelFormat.dwRGBBitCount / 8;
    std::uint32_t value = 0;
    std::memcpy(&value, static_cast<const std::uint8_t*>(desc.lpSurface) + std::size_t(y) * desc.lPitch + x * bytes,
                bytes);
    surface->Unlock(nullptr);
    return value;
}

std::string SurfaceBytes(IDirectDrawSurface7* surface, std::size_t count) {
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    if (FAILED(surface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr))) return {};
    std::string bytes(static_cast<const char*>(desc.lpSurface), count);
    surface->Unlock(nullptr);
    return bytes;
}

}  // namespace texturetest
