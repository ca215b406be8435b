// Texture surfaces: the format chosen for each display and device, the conversion of
// every level into it, the bytes counted, where the surface lives, lazy creation on the
// first bind, failures, the release by a device reset and the re-creation afterwards,
// and a destroyed texture leaving no trace in the render system's stage cache.

#include "engine/render/d3d7/Texture2D_D3D7.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/FatalError.h"
#include "engine/render/TextureImage.h"
#include "engine/render/d3d7/ClassifyPixelFormat.h"
#include "platform/DirectDrawFormats.h"
#include "platform/FailureInjection.h"
#include "tests/engine/render/TextureTestSupport.h"

namespace {

using texturetest::Picture;
using texturetest::Rgba;
using Vantor::TextureFormat;
using TexturePointer = std::unique_ptr<Vantor::Texture2D_D3D7>;

class Texture2D_D3D7Test : public texturetest::TextureTest {
protected:
    TexturePointer FromPicture(const Picture& colour, bool mipMaps = false, const Picture* opacity = nullptr) {
        return TexturePointer(static_cast<Vantor::Texture2D_D3D7*>(renderSystem_->CreateTextureFromImages(
            "picture", texturetest::MakeImage(colour), opacity ? texturetest::MakeImage(*opacity) : nullptr, mipMaps,
            false)));
    }
    TexturePointer FromFile(const std::wstring& path, bool lazy) {
        return TexturePointer(static_cast<Vantor::Texture2D_D3D7*>(
            renderSystem_->CreateTextureFromFiles("file", path, L"", true, lazy)));
    }
    // The surface the device was last given for the stage.
    IDirectDrawSurface7* BoundSurface(DWORD stage) const {
        IDirectDrawSurface7* bound = nullptr;
        for (const platform::seam::DeviceCall& call : Calls("IDirect3DDevice7::SetTexture"))
            if (call.args.at(0) == stage) bound = call.surface;
        return bound;
    }
};

std::uint32_t Gradient(std::uint32_t x, std::uint32_t y) { return Rgba(std::uint8_t(4 * x), std::uint8_t(4 * y), 9); }

// --- formats -------------------------------------------------------------------------

TEST_F(Texture2D_D3D7Test, TheSurfaceFormatFollowsTheDisplayAndTheDevice) {
    using platform::PixelFormatA4R4G4B4;
    using platform::PixelFormatA8R8G8B8;
    using platform::PixelFormatR5G6B5;
    const DDPIXELFORMAT a1r5g5b5 = platform::RgbPixelFormat(16, 0x7C00, 0x03E0, 0x001F, 0x8000);
    struct Case {
        const char* name;
        const char* mode;
        std::vector<DDPIXELFORMAT> formats;  // empty: the default device's
        Picture picture;
        TextureFormat format;
        std::uint32_t firstPixel;
    };
    const Case cases[] = {
        {"24 bits get opaque A8R8G8B8", "800x600x32", {}, texturetest::SolidPicture(4, 4, 24, Rgba(0x12, 0x34, 0x56)),
         TextureFormat::A8R8G8B8, 0xFF123456},
        {"grey is copied into every colour", "800x600x32", {}, texturetest::SolidPicture(4, 4, 8, Rgba(0x7F, 0, 0)),
         TextureFormat::A8R8G8B8, 0xFF7F7F7F},
        {"32 bits keep their alpha", "800x600x32", {}, texturetest::SolidPicture(4, 4, 32, Rgba(1, 2, 3, 0x80)),
         TextureFormat::A8R8G8B8, 0x80010203},
        {"16-bit display: R5G6B5 for 24 bits", "800x600x16", {},
         texturetest::SolidPicture(4, 4, 24, Rgba(255, 255, 255)), TextureFormat::R5G6B5, 0xFFFF},
        {"16-bit display: A4R4G4B4 for 32 bits", "800x600x16", {PixelFormatA8R8G8B8(), PixelFormatA4R4G4B4()},
         texturetest::SolidPicture(4, 4, 32, Rgba(0x80, 0x40, 0x20, 0xFF)), TextureFormat::A4R4G4B4, 0xF842},
        {"16-bit display without R5G6B5 keeps 24 bits in 32", "800x600x16",
         {PixelFormatA8R8G8B8(), PixelFormatA4R4G4B4()}, texturetest::SolidPicture(4, 4, 24, Rgba(255, 255, 255)),
         TextureFormat::A8R8G8B8, 0xFFFFFFFF},
        {"without A8R8G8B8 another 32-bit format", "800x600x32",
         {platform::PixelFormatX8R8G8B8(), PixelFormatR5G6B5()},
         texturetest::SolidPicture(4, 4, 24, Rgba(0x12, 0x34, 0x56)), TextureFormat::Other, 0x00123456},
        {"without 32-bit formats a 16-bit one with alpha", "800x600x32",
         {PixelFormatR5G6B5(), PixelFormatA4R4G4B4(), a1r5g5b5},
         texturetest::SolidPicture(4, 4, 32, Rgba(255, 0, 0, 255)), TextureFormat::Other, 0xFC00},
        {"without 32-bit formats a 16-bit one without alpha", "800x600x32",
         {PixelFormatA4R4G4B4(), PixelFormatR5G6B5()}, texturetest::SolidPicture(4, 4, 24, Rgba(255, 255, 255)),
         TextureFormat::R5G6B5, 0xFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<DDPIXELFORMAT> formats = c.formats;
        SetDeviceCaps([&](platform::Direct3DDeviceCaps& device) {
            if (!formats.empty()) device.textureFormats = formats;
        });
        Values().mode = c.mode;
        Make();
        TexturePointer texture = FromPicture(c.picture);
        IDirectDrawSurface7* surface = texture->GetSurface();
        ASSERT_NE(surface, nullptr);
        EXPECT_EQ(Vantor::ClassifyPixelFormat(texturetest::Describe(surface).ddpfPixelFormat), c.format);
        EXPECT_EQ(texturetest::SurfacePixel(surface, 0, 0), c.firstPixel);
        texture.reset();
    }
}

TEST_F(Texture2D_D3D7Test, ADeviceWithoutAnyUsableFormatIsFatal) {
    SetDeviceCaps([](platform::Direct3DDeviceCaps& device) { device.textureFormats = {platform::PixelFormatP8()}; });
    Make();
    EXPECT_THROW(FromPicture(texturetest::SolidPicture(4, 4, 24, 0)), Vantor::FatalError);
    EXPECT_EQ(Fatals(), std::vector<std::string>{
                            "Direct3D Subsystem (Texture2D_D3D7::CreateSurface): Failed to find texture format"});
}

TEST_F(Texture2D_D3D7Test, PixelsKeepTheirRowsAndTakeTheOpacityPicturesAlpha) {
    Make();
    const Picture colour = texturetest::MakePicture(64, 64, 24, Gradient);
    const Picture opacity =
        texturetest::MakePicture(64, 64, 8, [](auto x, auto) { return Rgba(std::uint8_t(x), 0, 0); });
    for (bool withOpacity : {false, true}) {
        TexturePointer texture = FromPicture(colour, false, withOpacity ? &opacity : nullptr);
        IDirectDrawSurface7* surface = texture->GetSurface();
        // The picture's row 0 (its bottom row) is the surface's first row.
        EXPECT_EQ(texturetest::SurfacePixel(surface, 0, 0), withOpacity ? 0x00000009u : 0xFF000009u);
        EXPECT_EQ(texturetest::SurfacePixel(surface, 63, 0) & 0xFFFFFF, 0xFC0009u);
        EXPECT_EQ(texturetest::SurfacePixel(surface, 0, 63) & 0xFFFFFF, 0x00FC09u);
        EXPECT_EQ(texturetest::SurfacePixel(surface, 40, 0) >> 24, withOpacity ? 40u : 255u);
    }
}

TEST_F(Texture2D_D3D7Test, EveryLevelIsUploadedAndCounted) {
    Values().useMipMapping = true;
    Make();
    for (bool mipMaps : {false, true}) {
        TexturePointer texture = FromPicture(texturetest::MakePicture(64, 64, 24, Gradient), mipMaps);
        // 64 x 64 down to 1 x 1 at 4 bytes: 16384 + 4096 + 1024 + 256 + 64 + 16 + 4.
        EXPECT_EQ(texture->videoBytes, mipMaps ? 21844 : 16384);
        EXPECT_EQ(texturetest::LevelSizes(texture->GetSurface()).size(), mipMaps ? 7u : 1u);
        EXPECT_TRUE(texture->GetImage().GetMipImages().empty()) << "mip images live only for the upload";
        texture->ReleaseSurface();
        EXPECT_EQ(texture->videoBytes, 0);
    }
}

// --- DDS -----------------------------------------------------------------------------

// One DXT5 block whose rows read the same either way up: opaque red.
const std::string kRedDxt5Block("\xFF\x00\x00\x00\x00\x00\x00\x00\x00\xF8\x1F\x00\x00\x00\x00\x00", 16);

TEST_F(Texture2D_D3D7Test, ACompressedPictureIsUploadedAsItsBlocksWhenTheDeviceTakesThem) {
    Make();
    const std::wstring path = WritePicture("red.dds", texturetest::DdsFile(4, 4, "DXT5", 1, kRedDxt5Block));
    TexturePointer texture = FromFile(path, false);
    IDirectDrawSurface7* surface = texture->GetSurface();
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(Vantor::ClassifyPixelFormat(texturetest::Describe(surface).ddpfPixelFormat), TextureFormat::Dxt5);
    EXPECT_EQ(texturetest::SurfaceBytes(surface, 16), kRedDxt5Block);
    EXPECT_EQ(texture->videoBytes, 16);
}

TEST_F(Texture2D_D3D7Test, ACompressedPictureIsDecodedForADeviceWithoutItsFormat) {
    SetDeviceCaps([](platform::Direct3DDeviceCaps& device) {
        device.textureFormats = {platform::PixelFormatA8R8G8B8()};
    });
    Make();
    const std::wstring path = WritePicture("red.dds", texturetest::DdsFile(4, 4, "DXT5", 1, kRedDxt5Block));
    TexturePointer texture = FromFile(path, false);
    IDirectDrawSurface7* surface = texture->GetSurface();
    EXPECT_EQ(Vantor::ClassifyPixelFormat(texturetest::Describe(surface).ddpfPixelFormat), TextureFormat::A8R8G8B8);
    EXPECT_EQ(texturetest::SurfacePixel(surface, 3, 3), 0xFFFF0000u);
}

// --- memory --------------------------------------------------------------------------

TEST_F(Texture2D_D3D7Test, HardwareDevicesManageTheSurfaceAndOthersKeepItInSystemMemory) {
    struct Case {
        const char* name;
        GUID device;
        bool managed;
    };
    const Case cases[] = {{"T&L HAL", IID_IDirect3DTnLHalDevice, true},
                          {"HAL", IID_IDirect3DHALDevice, true},
                          {"software", IID_IDirect3DRGBDevice, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GUID guid = c.device;
        SetDeviceCaps([guid](platform::Direct3DDeviceCaps& device) { device.guid = guid; });
        Make();
        TexturePointer texture = FromPicture(texturetest::SolidPicture(4, 4, 24, 0));
        const DDSCAPS2 caps = texturetest::Describe(texture->GetSurface()).ddsCaps;
        EXPECT_EQ(bool(caps.dwCaps2 & DDSCAPS2_TEXTUREMANAGE), c.managed);
        EXPECT_EQ(bool(caps.dwCaps & DDSCAPS_SYSTEMMEMORY), !c.managed);
    }
}

// --- creation ------------------------------------------------------------------------

TEST_F(Texture2D_D3D7Test, ALazyTextureMakesItsSurfaceWhenItIsFirstBound) {
    Make();
    const std::wstring path = WritePicture("odd.tga", texturetest::TgaFile(texturetest::SolidPicture(300, 200, 24, 0)));
    TexturePointer texture = FromFile(path, true);
    EXPECT_EQ(texture->width, 300u) << "the file's own size until the first use";
    EXPECT_EQ(texture->height, 200u);
    EXPECT_EQ(texture->videoBytes, 0);

    renderSystem_->SetTexture(0, texture.get());
    IDirectDrawSurface7* bound = BoundSurface(0);
    ASSERT_NE(bound, nullptr);
    EXPECT_EQ(bound, texture->GetSurface());
    EXPECT_EQ(texture->width, 256u);
    EXPECT_EQ(texture->height, 256u);
    EXPECT_GT(texture->videoBytes, 0);
    EXPECT_EQ(texture->GetImage().GetColourImage(), nullptr) << "the file's pictures are dropped after the upload";
}

TEST_F(Texture2D_D3D7Test, AFailedCreationIsLoggedAndTriedAgainOnTheNextUse) {
    Values().useMipMapping = true;
    Make();
    TakeErrors();
    const std::wstring path =
        WritePicture("square.tga", texturetest::TgaFile(texturetest::SolidPicture(64, 64, 24, 0)));
    platform::seam::FailNextCalls("IDirectDraw7::CreateSurface", 1);
    TexturePointer texture = FromFile(path, false);
    EXPECT_THAT(TakeErrors(), testing::ElementsAre(testing::StartsWith(
                                  "Direct3D Subsystem (Texture2D_D3D7::CreateSurface (CreateSurface) (1)): ")));
    EXPECT_EQ(texture->videoBytes, 0);
    EXPECT_EQ(texture->GetImage().GetColourImage(), nullptr);

    EXPECT_NE(texture->GetSurface(), nullptr);
    EXPECT_EQ(texture->videoBytes, 21844) << "the pictures are read again, the mip chain built once";
}

TEST_F(Texture2D_D3D7Test, ALevelThatCannotBeLockedOrUnlockedIsLoggedAndTheOthersAreFilled) {
    Values().useMipMapping = true;
    Make();
    TakeErrors();
    struct Case {
        const char* call;
        const char* context;
        std::int32_t videoBytes;
    };
    const Case cases[] = {{"IDirectDrawSurface7::Lock", "Lock", 21844 - 16384},
                          {"IDirectDrawSurface7::Unlock", "Unlock", 21844}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        platform::seam::FailNextCalls(c.call, 1);
        TexturePointer texture = FromPicture(texturetest::SolidPicture(64, 64, 24, 0), true);
        EXPECT_THAT(TakeErrors(), testing::ElementsAre(testing::StartsWith(
                                      "Direct3D Subsystem (Texture2D_D3D7::CreateSurface (" + std::string(c.context) +
                                      ")): ")));
        EXPECT_EQ(texture->videoBytes, c.videoBytes);
    }
}

TEST_F(Texture2D_D3D7Test, NothingIsMadeWhileTheDeviceIsNotReady) {
    Vantor::RenderSystem_D3D7& renderSystem = Make();
    platform::seam::FailNextCalls("DirectDrawCreateEx", 1);
    renderSystem.CheckVideoMode();
    renderSystem.ResetDevice(Vantor::RenderSystem::kResetDevice);
    ASSERT_FALSE(renderSystem.IsReady());
    TexturePointer texture = FromPicture(texturetest::SolidPicture(4, 4, 24, 0));
    EXPECT_EQ(texture->GetSurface(), nullptr);
    EXPECT_EQ(texture->videoBytes, 0);
}

// --- device reset --------------------------------------------------------------------

TEST_F(Texture2D_D3D7Test, AResetReleasesTheSurfacesAndTheNextBindMakesThemAgain) {
    Vantor::RenderSystem_D3D7& renderSystem = Make();
    TexturePointer texture = FromPicture(texturetest::MakePicture(8, 8, 24, Gradient));
    renderSystem.SetTexture(0, texture.get());
    ASSERT_NE(BoundSurface(0), nullptr);

    renderSystem.CheckVideoMode();
    renderSystem.ResetDevice(Vantor::RenderSystem::kResetDevice);
    ASSERT_TRUE(renderSystem.IsReady());
    EXPECT_TRUE(Fatals().empty()) << "no surface keeps DirectDraw alive";
    EXPECT_EQ(texture->videoBytes, 0);
    EXPECT_EQ(renderSystem.GetTexture(0), nullptr) << "the defaults unbind every stage";

    platform::seam::ClearDeviceCalls();
    renderSystem.SetTexture(0, texture.get());
    IDirectDrawSurface7* surface = BoundSurface(0);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface, texture->GetSurface());
    EXPECT_EQ(texturetest::SurfacePixel(surface, 7, 7), 0xFF1C1C09u);
    EXPECT_EQ(texture->videoBytes, 256);
}

TEST_F(Texture2D_D3D7Test, ADestroyedTextureUnbindsItselfFromTheRenderSystem) {
    Vantor::RenderSystem_D3D7& renderSystem = Make();
    TexturePointer texture = FromPicture(texturetest::SolidPicture(4, 4, 24, 0));
    renderSystem.SetTexture(1, texture.get());
    ASSERT_NE(BoundSurface(1), nullptr);
    texture.reset();
    EXPECT_EQ(renderSystem.GetTexture(1), nullptr);
    EXPECT_EQ(BoundSurface(1), nullptr) << "the device lets the surface go";
    EXPECT_TRUE(renderSystem.GetTextures().empty());

    // A texture made afterwards, wherever it lives, reaches the device when bound.
    TexturePointer next = FromPicture(texturetest::SolidPicture(4, 4, 24, 0));
    renderSystem.SetTexture(1, next.get());
    EXPECT_EQ(BoundSurface(1), next->GetSurface());
}

}  // namespace
