// Screen capture on the headless device: the back buffer's picture the right way up in
// the bottom-up image, its channels and alpha, the white picture of a failed capture,
// and the cut to the play area in full screen on a wide or tall desktop.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/render/Image.h"
#include "platform/Desktop.h"
#include "platform/FailureInjection.h"
#include "tests/engine/render/ImagePixels.h"
#include "tests/engine/render/d3d7/D3D7TestSupport.h"

namespace {

using Vantor::Image;

class CaptureTest : public d3d7test::RenderSystemTest {
protected:
    // The render target the device was given.
    IDirectDrawSurface7* BackBuffer() const {
        std::vector<platform::seam::DeviceCall> targets = Calls("IDirect3DDevice7::SetRenderTarget");
        return targets.empty() ? nullptr : targets.back().surface;
    }

    // Lets `write` fill every 32-bit pixel of the back buffer from its column and its
    // row (counted from the top) in the device's blue, green, red, alpha order.
    template <class Write>
    void PaintBackBuffer(Write write) {
        IDirectDrawSurface7* surface = BackBuffer();
        ASSERT_NE(surface, nullptr);
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr), DD_OK);
        ASSERT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 32u);
        auto* bytes = static_cast<std::uint8_t*>(desc.lpSurface);
        for (DWORD row = 0; row < desc.dwHeight; ++row)
            for (DWORD column = 0; column < desc.dwWidth; ++column)
                write(column, row, bytes + row * desc.lPitch + column * 4);
        surface->Unlock(nullptr);
    }

    // Each surface row holds its own number in green (high byte) and blue (low byte).
    void PaintRowNumbers() {
        PaintBackBuffer([](DWORD, DWORD row, std::uint8_t* pixel) {
            pixel[0] = static_cast<std::uint8_t>(row & 0xFF);
            pixel[1] = static_cast<std::uint8_t>(row >> 8);
            pixel[2] = 0;
            pixel[3] = 0;
        });
    }

    static const std::uint8_t* Pixel(const Image& image, std::uint32_t column, std::uint32_t row) {
        return rendertest::PixelAddress(image, column, row);
    }
    // The surface row number an image pixel of PaintRowNumbers came from.
    static std::uint32_t SurfaceRow(const Image& image, std::uint32_t column, std::uint32_t row) {
        const std::uint8_t* pixel = Pixel(image, column, row);
        return pixel[1] * 256u + pixel[2];
    }

    static bool AllWhite(const Image& image) {
        const std::uint32_t pixelBytes = image.GetBits() / 8;
        for (std::uint32_t i = 0; i < image.GetWidth() * image.GetHeight(); ++i)
            for (std::uint32_t b = 0; b < pixelBytes; ++b)
                if (image.GetPixels()[i * pixelBytes + b] != 255) return false;
        return true;
    }
};

TEST_F(CaptureTest, ThePictureKeepsItsOrientationAndChannelsWithAlphaTurnedRound) {
    Make();
    PaintBackBuffer([](DWORD column, DWORD row, std::uint8_t* pixel) {
        const bool topLeft = column == 0 && row == 0;
        const bool bottomRight = column == 799 && row == 599;
        pixel[0] = bottomRight ? 30 : 0;   // blue
        pixel[1] = bottomRight ? 200 : 0;  // green
        pixel[2] = topLeft ? 250 : 0;      // red
        pixel[3] = topLeft ? 255 : 0x40;   // alpha
    });
    Image image;
    renderSystem_->CaptureScreen(image);
    ASSERT_EQ(image.GetWidth(), 800u);
    ASSERT_EQ(image.GetHeight(), 600u);
    ASSERT_EQ(image.GetBits(), 32u);

    const std::uint8_t* top = Pixel(image, 0, 599);  // image rows run bottom up
    EXPECT_EQ(std::vector<int>(top, top + 4), (std::vector<int>{250, 0, 0, 0}));
    const std::uint8_t* bottom = Pixel(image, 799, 0);
    EXPECT_EQ(std::vector<int>(bottom, bottom + 4), (std::vector<int>{0, 200, 30, 255 - 0x40}));
    const std::uint8_t* other = Pixel(image, 0, 0);
    EXPECT_EQ(std::vector<int>(other, other + 4), (std::vector<int>{0, 0, 0, 255 - 0x40}));
}

TEST_F(CaptureTest, ASixteenBitBackBufferGivesAWhitePicture) {
    // Full screen takes the desktop's depth.
    platform::seam::SetDesktop(1024, 768, 16);
    Values().fullscreen = true;
    Make();
    Image image;
    renderSystem_->CaptureScreen(image);
    EXPECT_EQ(image.GetBits(), 24u);
    EXPECT_EQ(image.GetWidth(), 1024u);
    EXPECT_TRUE(AllWhite(image));
}

TEST_F(CaptureTest, AFailedCopyGivesAWhitePicture) {
    for (const char* failing : {"IDirectDraw7::CreateSurface", "IDirectDrawSurface7::Lock"}) {
        SCOPED_TRACE(failing);
        Make();
        PaintRowNumbers();
        platform::seam::FailNextCalls(failing, 1);
        Image image;
        renderSystem_->CaptureScreen(image);
        EXPECT_EQ(image.GetBits(), 32u);
        EXPECT_EQ(image.GetHeight(), 600u);
        EXPECT_TRUE(AllWhite(image));
    }
}

struct CropCase {
    const char* name;
    int desktopWidth, desktopHeight;
    bool fullScreen;
    // The surface rows that end up in the image's bottom and top rows.
    std::uint32_t bottomSource, topSource;
};

TEST_F(CaptureTest, FullScreenOnATallDesktopCutsThePlayArea) {
    const CropCase cases[] = {
        {"5:4 full screen", 1280, 1024, true, 1023 - 35, 35},
        {"5:4 in a window", 1280, 1024, false, 599, 0},
        {"4:3 full screen", 1024, 768, true, 767, 0},
    };
    for (const CropCase& c : cases) {
        SCOPED_TRACE(c.name);
        platform::seam::SetDesktop(c.desktopWidth, c.desktopHeight);
        Values().fullscreen = c.fullScreen;
        window_.reset();
        Make();
        ASSERT_EQ(Window().IsFullScreen(), c.fullScreen);
        PaintRowNumbers();
        Image image;
        renderSystem_->CaptureScreen(image);
        const std::uint32_t height = c.fullScreen ? c.desktopHeight : 600;
        ASSERT_EQ(image.GetHeight(), height);
        EXPECT_EQ(SurfaceRow(image, 0, 0), c.bottomSource);
        EXPECT_EQ(SurfaceRow(image, 0, height - 1), c.topSource);
        renderSystem_.reset();
    }
}

TEST_F(CaptureTest, FullScreenOnAWideDesktopCutsTheSides) {
    platform::seam::SetDesktop(1920, 1080);
    Values().fullscreen = true;
    Make();
    // Columns numbered in red (low byte) and green (high byte).
    Image image;
    image.SetFormat(1920, 1080, 24, true);
    for (std::uint32_t row = 0; row < 1080; ++row) {
        for (std::uint32_t column = 0; column < 1920; ++column) {
            std::uint8_t* pixel = image.GetPixels() + row * image.GetRowBytes() + column * 3;
            pixel[0] = static_cast<std::uint8_t>(column & 0xFF);
            pixel[1] = static_cast<std::uint8_t>(column >> 8);
            pixel[2] = 0;
        }
    }
    renderSystem_->CropToPlayArea(image);
    ASSERT_EQ(image.GetWidth(), 1920u);
    ASSERT_EQ(image.GetHeight(), 1080u);
    auto columnAt = [&](std::uint32_t column) {
        const std::uint8_t* pixel = Pixel(image, column, 500);
        return pixel[0] + 256u * pixel[1];
    };
    EXPECT_EQ(columnAt(0), 320u);
    EXPECT_EQ(columnAt(1919), 1599u);
}

}  // namespace
