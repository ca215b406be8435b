// Drawing through the Direct3D 7 device on OpenGL, checked on the pixels read back from
// the back buffer: where geometry lands, depth, culling, blending, stencil, lighting,
// viewport and clears, the capture path and the picture shown in the window.

#include <gtest/gtest.h>

#include "platform/DirectDrawGLSeams.h"
#include "tests/platform/sdl/Direct3DGLTestSupport.h"

namespace gltest {
namespace {

using Direct3DGLDrawTest = Direct3DGLTest;

TEST_F(Direct3DGLDrawTest, ATriangleLandsWhereItsClipCoordinatesSay) {
    Clear(kBlue);
    // The top-left half of the top-left quarter: y up in clip space is the top row.
    ColouredVertex vertices[3] = {{-1, 1, 0.5f, 0, 0, -1, 0xFFFF0000, 0, 0},
                                  {0, 1, 0.5f, 0, 0, -1, 0xFFFF0000, 0, 0},
                                  {-1, 0, 0.5f, 0, 0, -1, 0xFFFF0000, 0, 0}};
    Draw(vertices, kColouredFormat, 3, {0, 1, 2});

    EXPECT_EQ(Pixel(2, 2), kRed);
    EXPECT_EQ(Pixel(28, 2), kRed);
    EXPECT_EQ(Pixel(2, 28), kRed);
    EXPECT_EQ(Pixel(28, 28), kBlue);  // beyond the diagonal
    EXPECT_EQ(Pixel(60, 2), kBlue);
    EXPECT_EQ(Pixel(2, 60), kBlue);
}

TEST_F(Direct3DGLDrawTest, AQuadCoversExactlyItsPixels) {
    Clear(kBlue);
    DrawQuad({-1, 1, 0, 0}, 0.5f, 0xFF00FF00);
    EXPECT_EQ(Pixel(0, 0), kGreen);
    EXPECT_EQ(Pixel(31, 31), kGreen);
    EXPECT_EQ(Pixel(32, 31), kBlue);
    EXPECT_EQ(Pixel(31, 32), kBlue);
}

struct DepthCase {
    const char* name;
    DWORD zEnable;
    DWORD zWrite;
    float redZ;    // drawn first
    float greenZ;  // drawn second
    DWORD expected;
};

class DepthTest : public Direct3DGLTest, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(DepthTest, TheDepthTestDecidesWhatShows) {
    const DepthCase& c = GetParam();
    device_->SetRenderState(D3DRENDERSTATE_ZENABLE, c.zEnable);
    device_->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, c.zWrite);
    Clear(kBlue);
    DrawQuad(kWhole, c.redZ, 0xFFFF0000);
    DrawQuad(kWhole, c.greenZ, 0xFF00FF00);
    EXPECT_EQ(Pixel(32, 32), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DepthTest,
                         ::testing::Values(DepthCase{"NearFirstHidesFar", D3DZB_TRUE, TRUE, 0.2f, 0.8f, kRed},
                                           DepthCase{"NearSecondCovers", D3DZB_TRUE, TRUE, 0.8f, 0.2f, kGreen},
                                           DepthCase{"NoTestLastWins", D3DZB_FALSE, TRUE, 0.2f, 0.8f, kGreen},
                                           DepthCase{"NoWritesKeepNothing", D3DZB_TRUE, FALSE, 0.2f, 0.8f,
                                                     kGreen}),
                         [](const auto& info) { return info.param.name; });

TEST_F(Direct3DGLDrawTest, DepthRunsFromZeroToOneAsInDirect3D) {
    device_->SetRenderState(D3DRENDERSTATE_ZENABLE, D3DZB_TRUE);
    // The Z buffer holds z itself: cleared to 0.5, a quad at 0.4 passes, one at 0.6 does not.
    Clear(kBlue, 0.5f);
    DrawQuad({-1, 1, 0, -1}, 0.4f, 0xFFFF0000);
    DrawQuad({0, 1, 1, -1}, 0.6f, 0xFFFF0000);
    EXPECT_EQ(PixelAt(-0.5f, 0), kRed);
    EXPECT_EQ(PixelAt(0.5f, 0), kBlue);

    // Below z = 0 lies in front of the near plane: clipped away.
    Clear(kBlue);
    DrawQuad(kWhole, -0.5f, 0xFFFF0000);
    EXPECT_EQ(Pixel(32, 32), kBlue);
}

struct CullCase {
    const char* name;
    DWORD mode;
    DWORD clockwiseShows;         // left triangle
    DWORD counterClockwiseShows;  // right triangle
};

class CullTest : public Direct3DGLTest, public ::testing::WithParamInterface<CullCase> {};

TEST_P(CullTest, CullingDropsTheTrianglesTheModeNames) {
    const CullCase& c = GetParam();
    device_->SetRenderState(D3DRENDERSTATE_CULLMODE, c.mode);
    Clear(kBlue);
    const DWORD red = 0xFFFF0000;
    ColouredVertex vertices[6] = {// left: bottom-left, top, bottom-right: clockwise on screen
                                  {-0.9f, -0.5f, 0.5f, 0, 0, -1, red, 0, 0},
                                  {-0.5f, 0.5f, 0.5f, 0, 0, -1, red, 0, 0},
                                  {-0.1f, -0.5f, 0.5f, 0, 0, -1, red, 0, 0},
                                  // right: bottom-left, bottom-right, top: counter-clockwise
                                  {0.1f, -0.5f, 0.5f, 0, 0, -1, red, 0, 0},
                                  {0.9f, -0.5f, 0.5f, 0, 0, -1, red, 0, 0},
                                  {0.5f, 0.5f, 0.5f, 0, 0, -1, red, 0, 0}};
    Draw(vertices, kColouredFormat, 6, {0, 1, 2, 3, 4, 5});
    EXPECT_EQ(PixelAt(-0.5f, -0.2f), c.clockwiseShows);
    EXPECT_EQ(PixelAt(0.5f, -0.2f), c.counterClockwiseShows);
}

INSTANTIATE_TEST_SUITE_P(Modes, CullTest,
                         ::testing::Values(CullCase{"None", D3DCULL_NONE, kRed, kRed},
                                           CullCase{"Clockwise", D3DCULL_CW, kBlue, kRed},
                                           CullCase{"CounterClockwise", D3DCULL_CCW, kRed, kBlue}),
                         [](const auto& info) { return info.param.name; });

struct BlendCase {
    const char* name;
    DWORD enabled;
    DWORD source;
    DWORD destination;
    DWORD expected;  // half-transparent red over blue
};

class BlendTest : public Direct3DGLTest, public ::testing::WithParamInterface<BlendCase> {};

TEST_P(BlendTest, BlendingMixesAsTheFactorsSay) {
    const BlendCase& c = GetParam();
    Clear(kBlue);
    device_->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, c.enabled);
    device_->SetRenderState(D3DRENDERSTATE_SRCBLEND, c.source);
    device_->SetRenderState(D3DRENDERSTATE_DESTBLEND, c.destination);
    DrawQuad(kWhole, 0.5f, 0x80FF0000);
    EXPECT_TRUE(Near(Pixel(32, 32), c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Factors, BlendTest,
    ::testing::Values(BlendCase{"Off", FALSE, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA, kRed},
                      BlendCase{"AlphaOver", TRUE, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA, 0x80007F},
                      BlendCase{"Additive", TRUE, D3DBLEND_ONE, D3DBLEND_ONE, 0xFF00FF},
                      BlendCase{"Multiplying", TRUE, D3DBLEND_ZERO, D3DBLEND_SRCCOLOR, kBlack},
                      BlendCase{"BothSourceAlpha", TRUE, D3DBLEND_BOTHSRCALPHA, D3DBLEND_ZERO, 0x80007F},
                      BlendCase{"DestinationAlphaIsOne", TRUE, D3DBLEND_DESTALPHA, D3DBLEND_ZERO, kRed}),
    [](const auto& info) { return info.param.name; });

struct StencilCase {
    const char* name;
    DWORD increment;
    DWORD clearedStencil;
    DWORD expected;
};

class StencilTest : public Direct3DGLTest, public ::testing::WithParamInterface<StencilCase> {};

TEST_P(StencilTest, IncrementingWrapsOnlyWhenAskedTo) {
    const StencilCase& c = GetParam();
    Clear(kBlue, 1.0f, c.clearedStencil);
    device_->SetRenderState(D3DRENDERSTATE_STENCILENABLE, TRUE);
    device_->SetRenderState(D3DRENDERSTATE_STENCILFUNC, D3DCMP_ALWAYS);
    device_->SetRenderState(D3DRENDERSTATE_STENCILPASS, c.increment);
    DrawQuad(kWhole, 0.5f, 0xFFFF0000);
    // Green only where the stencil is now 0.
    device_->SetRenderState(D3DRENDERSTATE_STENCILFUNC, D3DCMP_EQUAL);
    device_->SetRenderState(D3DRENDERSTATE_STENCILREF, 0);
    DrawQuad(kWhole, 0.5f, 0xFF00FF00);
    EXPECT_EQ(Pixel(32, 32), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Operations, StencilTest,
                         ::testing::Values(StencilCase{"IncrementWraps", D3DSTENCILOP_INCR, 255, kGreen},
                                           StencilCase{"SaturatingStays", D3DSTENCILOP_INCRSAT, 255, kRed},
                                           StencilCase{"FromZeroCountsUp", D3DSTENCILOP_INCR, 0, kRed}),
                         [](const auto& info) { return info.param.name; });

TEST_F(Direct3DGLDrawTest, EqualZeroAndIncrementDrawEachPixelOnce) {
    Clear(kBlue);
    device_->SetRenderState(D3DRENDERSTATE_STENCILENABLE, TRUE);
    device_->SetRenderState(D3DRENDERSTATE_STENCILFUNC, D3DCMP_EQUAL);
    device_->SetRenderState(D3DRENDERSTATE_STENCILREF, 0);
    device_->SetRenderState(D3DRENDERSTATE_STENCILPASS, D3DSTENCILOP_INCR);
    DrawQuad({-1, 1, 0, -1}, 0.5f, 0xFFFF0000);
    DrawQuad(kWhole, 0.5f, 0xFF00FF00);
    EXPECT_EQ(PixelAt(-0.5f, 0), kRed);
    EXPECT_EQ(PixelAt(0.5f, 0), kGreen);
}

TEST_F(Direct3DGLDrawTest, LitGeometryWithoutLightsTakesTheAmbientColour) {
    device_->SetRenderState(D3DRENDERSTATE_LIGHTING, TRUE);
    device_->SetRenderState(D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);
    device_->SetRenderState(D3DRENDERSTATE_AMBIENTMATERIALSOURCE, D3DMCS_COLOR1);
    Clear(kBlue);
    DrawQuad(kWhole, 0.5f, 0xFFFFFFFF);
    EXPECT_EQ(Pixel(32, 32), kBlack) << "the ambient light starts black";

    device_->SetRenderState(D3DRENDERSTATE_AMBIENT, 0xFF808080);
    DrawQuad(kWhole, 0.5f, 0xFFFFFF00);
    EXPECT_TRUE(Near(Pixel(32, 32), 0x808000)) << "ambient light times the vertex colour";
}

TEST_F(Direct3DGLDrawTest, WithoutVertexColoursLightingUsesTheMaterial) {
    device_->SetRenderState(D3DRENDERSTATE_LIGHTING, TRUE);
    device_->SetRenderState(D3DRENDERSTATE_AMBIENT, 0xFFFFFFFF);
    D3DMATERIAL7 material{};
    material.ambient = D3DCOLORVALUE{{0}, {1}, {0}, {1}};
    device_->SetMaterial(&material);
    Clear(kBlue);
    DrawTexturedQuad(kWhole, 0, 0, 1, 1);
    EXPECT_EQ(Pixel(32, 32), kGreen);
}

TEST_F(Direct3DGLDrawTest, ADirectionalLightShinesAlongItsDirection) {
    device_->SetRenderState(D3DRENDERSTATE_LIGHTING, TRUE);
    D3DLIGHT7 light{};
    light.dltType = D3DLIGHT_DIRECTIONAL;
    light.dcvDiffuse = D3DCOLORVALUE{{1}, {1}, {1}, {1}};
    light.dvDirection = D3DVECTOR{{0}, {0}, {1}};  // away from the viewer
    light.dvRange = D3DLIGHT_RANGE_MAX;
    ASSERT_EQ(device_->SetLight(0, &light), D3D_OK);
    ASSERT_EQ(device_->LightEnable(0, TRUE), D3D_OK);
    Clear(kBlue);
    DrawQuad({-1, 1, 0, -1}, 0.5f, 0xFFFF0000, {{0}, {0}, {-1}});  // facing the viewer: lit
    DrawQuad({0, 1, 1, -1}, 0.5f, 0xFFFF0000, {{0}, {0}, {1}});    // facing away: dark
    EXPECT_EQ(PixelAt(-0.5f, 0), kRed);
    EXPECT_EQ(PixelAt(0.5f, 0), kBlack);
}

TEST_F(Direct3DGLDrawTest, TheViewportPlacesTheClipSpaceFromTheTop) {
    Clear(kBlue);
    D3DVIEWPORT7 viewport{32, 0, 32, 32, 0, 1};  // the top-right quarter
    ASSERT_EQ(device_->SetViewport(&viewport), D3D_OK);
    DrawQuad(kWhole, 0.5f, 0xFF00FF00);
    EXPECT_EQ(Pixel(48, 16), kGreen);
    EXPECT_EQ(Pixel(16, 16), kBlue);
    EXPECT_EQ(Pixel(48, 48), kBlue);
}

TEST_F(Direct3DGLDrawTest, ClearingARectangleClearsItAloneWhateverTheWriteMasks) {
    Clear(kBlue);
    device_->SetRenderState(D3DRENDERSTATE_ZENABLE, D3DZB_TRUE);
    device_->SetRenderState(D3DRENDERSTATE_ZWRITEENABLE, FALSE);
    D3DRECT rect{{0}, {0}, {16}, {16}};
    ASSERT_EQ(device_->Clear(1, &rect, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFFFF0000, 0.1f, 0), D3D_OK);
    EXPECT_EQ(Pixel(8, 8), kRed);
    EXPECT_EQ(Pixel(24, 8), kBlue);
    EXPECT_EQ(Pixel(8, 56), kBlue);
    // The depth went in too: a quad at 0.5 stays behind it there only.
    DrawQuad(kWhole, 0.5f, 0xFF00FF00);
    EXPECT_EQ(Pixel(8, 8), kRed);
    EXPECT_EQ(Pixel(24, 8), kGreen);
}

TEST_F(Direct3DGLDrawTest, MemoryWrittenIntoTheBackBufferStaysUnderLaterDrawing) {
    Clear(kBlue);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(backBuffer_->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    DWORD white = 0xFFFFFF;
    std::memcpy(static_cast<BYTE*>(desc.lpSurface) + 60 * desc.lPitch + 60 * 4, &white, 4);
    ASSERT_EQ(backBuffer_->Unlock(nullptr), DD_OK);
    DrawQuad({-1, 1, 0, 0}, 0.5f, 0xFF00FF00);
    EXPECT_EQ(Pixel(60, 60), kWhite);
    EXPECT_EQ(Pixel(8, 8), kGreen);
    EXPECT_EQ(Pixel(40, 40), kBlue);
}

// Quarters red, green (top), blue, white (bottom), drawn by clears.
void DrawQuarters(IDirect3DDevice7* device) {
    struct {
        D3DRECT rect;
        DWORD colour;
    } quarters[] = {{{{0}, {0}, {32}, {32}}, 0xFFFF0000},
                    {{{32}, {0}, {64}, {32}}, 0xFF00FF00},
                    {{{0}, {32}, {32}, {64}}, 0xFF0000FF},
                    {{{32}, {32}, {64}, {64}}, 0xFFFFFFFF}};
    for (auto& quarter : quarters) device->Clear(1, &quarter.rect, D3DCLEAR_TARGET, quarter.colour, 1, 0);
}

TEST_F(Direct3DGLDrawTest, TheCapturePathCopiesTheBackBufferIntoSystemMemory) {
    DrawQuarters(device_);
    DDSURFACEDESC2 desc = Desc(kSize, kSize, DDSCAPS_SYSTEMMEMORY | DDSCAPS_OFFSCREENPLAIN,
                               platform::PixelFormatX8R8G8B8());
    IDirectDrawSurface7* copy = nullptr;
    ASSERT_EQ(directDraw_->CreateSurface(&desc, &copy, nullptr), DD_OK);
    ASSERT_EQ(copy->Blt(nullptr, backBuffer_, nullptr, 0, nullptr), DD_OK);
    DDSURFACEDESC2 locked{};
    locked.dwSize = sizeof(locked);
    ASSERT_EQ(copy->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
    auto at = [&](int x, int y) {
        DWORD value = 0;
        std::memcpy(&value, static_cast<BYTE*>(locked.lpSurface) + y * locked.lPitch + x * 4, 4);
        return value;
    };
    // Top row first; the unused byte of X8R8G8B8 stays 0.
    EXPECT_EQ(at(16, 16), kRed);
    EXPECT_EQ(at(48, 16), kGreen);
    EXPECT_EQ(at(16, 48), kBlue);
    EXPECT_EQ(at(48, 48), kWhite);
    copy->Unlock(nullptr);
    EXPECT_EQ(copy->Release(), 0u);
}

// The window (2 x 64 pixels square) was given the quarters, scaled to its size.
void ExpectQuartersShown(HWND window) {
    int width = 0, height = 0;
    std::vector<DWORD> shown = platform::seam::PresentedPicture(window, width, height);
    platform::seam::KeepPresentedPictures(false);
    ASSERT_EQ(width, 2 * kSize);
    ASSERT_EQ(height, 2 * kSize);
    auto at = [&](int x, int y) { return shown[size_t(y) * width + x] & 0xFFFFFF; };
    EXPECT_EQ(at(32, 32), kRed);
    EXPECT_EQ(at(96, 32), kGreen);
    EXPECT_EQ(at(32, 96), kBlue);
    EXPECT_EQ(at(96, 96), kWhite);
}

TEST_F(Direct3DGLDrawTest, ABltOntoThePrimaryShowsTheBackBufferScaledToTheClientArea) {
    DrawQuarters(device_);
    RECT client{};
    GetClientRect(window_, &client);
    POINT topLeft{0, 0}, bottomRight{client.right, client.bottom};
    ClientToScreen(window_, &topLeft);
    ClientToScreen(window_, &bottomRight);
    RECT screen{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    platform::seam::KeepPresentedPictures(true);
    ASSERT_EQ(primary_->Blt(&screen, backBuffer_, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    ExpectQuartersShown(window_);
    // Presenting leaves the back buffer as it was.
    EXPECT_EQ(Pixel(16, 16), kRed);
}

TEST_F(Direct3DGLDrawTest, WithoutAWindowNoDeviceCanBeMade) {
    void* object = nullptr;
    ASSERT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr), DD_OK);
    auto* directDraw = static_cast<IDirectDraw7*>(object);
    ASSERT_EQ(directDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    DDSURFACEDESC2 desc =
        Desc(kSize, kSize, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE, platform::PixelFormatX8R8G8B8());
    IDirectDrawSurface7* target = nullptr;
    ASSERT_EQ(directDraw->CreateSurface(&desc, &target, nullptr), DD_OK);
    ASSERT_EQ(directDraw->QueryInterface(IID_IDirect3D7, &object), DD_OK);
    auto* direct3D = static_cast<IDirect3D7*>(object);
    IDirect3DDevice7* device = nullptr;
    EXPECT_EQ(direct3D->CreateDevice(IID_IDirect3DTnLHalDevice, target, &device), DDERR_NO3D);
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(direct3D->Release(), 0u);
    EXPECT_EQ(target->Release(), 0u);
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST_F(Direct3DGLDrawTest, AWindowDestroyedUnderTheDeviceLeavesItHarmless) {
    Clear(kBlue);
    ASSERT_TRUE(DestroyWindow(window_));
    // Nothing can be drawn any more; the calls stay valid and everything is released.
    Clear(kRed);
    DrawQuad(kWhole, 0.5f, 0xFF00FF00);
    IDirectDrawSurface7* texture = MakeTexture(2, 2, platform::PixelFormatA8R8G8B8(), 1,
                                               [](DWORD, DWORD, DWORD) { return 0xFFFFFFFFu; });
    EXPECT_EQ(device_->SetTexture(0, texture), D3D_OK);
    EXPECT_EQ(device_->SetTexture(0, nullptr), D3D_OK);
    EXPECT_EQ(texture->Release(), 0u);
}

TEST_F(Direct3DGLDrawTest, TransformedVerticesAreRefused) {
    float vertices[3][4] = {{0, 0, 0.5f, 1}, {10, 0, 0.5f, 1}, {0, 10, 0.5f, 1}};
    WORD indices[3] = {0, 1, 2};
    ASSERT_EQ(device_->BeginScene(), D3D_OK);
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, D3DFVF_XYZRHW, vertices, 3, indices, 3, 0),
              D3DERR_INVALIDVERTEXFORMAT);
    EXPECT_EQ(device_->EndScene(), D3D_OK);
}

// Full screen: a flipping chain of the display mode's size, shown by Flip.
class Direct3DGLFlipTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        platform::seam::ResetWindowing();
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.lpszClassName = L"gl flip window";
        ASSERT_NE(RegisterClassW(&windowClass), 0);
        window_ = CreateWindowExW(0, L"gl flip window", L"GL", WS_POPUP, 0, 0, 2 * kSize, 2 * kSize, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(window_, SW_SHOW);
    }
    void TearDown() override { platform::seam::ResetWindowing(); }
    HWND window_ = nullptr;
};

TEST_F(Direct3DGLFlipTest, AFlipShowsTheBackBufferInTheWindow) {
    void* object = nullptr;
    ASSERT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr), DD_OK);
    auto* directDraw = static_cast<IDirectDraw7*>(object);
    ASSERT_EQ(directDraw->SetCooperativeLevel(window_, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE;
    IDirectDrawSurface7* front = nullptr;
    ASSERT_EQ(directDraw->CreateSurface(&desc, &front, nullptr), DD_OK);
    DDSCAPS2 caps{DDSCAPS_BACKBUFFER, 0, 0, 0};
    IDirectDrawSurface7* back = nullptr;
    ASSERT_EQ(front->GetAttachedSurface(&caps, &back), DD_OK);
    ASSERT_EQ(directDraw->QueryInterface(IID_IDirect3D7, &object), DD_OK);
    auto* direct3D = static_cast<IDirect3D7*>(object);
    IDirect3DDevice7* device = nullptr;
    ASSERT_EQ(direct3D->CreateDevice(IID_IDirect3DTnLHalDevice, back, &device), D3D_OK);
    DDSURFACEDESC2 mode{};
    mode.dwSize = sizeof(mode);
    back->GetSurfaceDesc(&mode);
    // Quarters of the mode's size.
    LONG w = LONG(mode.dwWidth), h = LONG(mode.dwHeight);
    struct {
        D3DRECT rect;
        DWORD colour;
    } quarters[] = {{{{0}, {0}, {w / 2}, {h / 2}}, 0xFFFF0000},
                    {{{w / 2}, {0}, {w}, {h / 2}}, 0xFF00FF00},
                    {{{0}, {h / 2}, {w / 2}, {h}}, 0xFF0000FF},
                    {{{w / 2}, {h / 2}, {w}, {h}}, 0xFFFFFFFF}};
    for (auto& quarter : quarters) device->Clear(1, &quarter.rect, D3DCLEAR_TARGET, quarter.colour, 1, 0);

    platform::seam::KeepPresentedPictures(true);
    ASSERT_EQ(front->Flip(nullptr, DDFLIP_WAIT | DDFLIP_NOVSYNC), DD_OK);
    ExpectQuartersShown(window_);

    EXPECT_EQ(device->Release(), 0u);
    EXPECT_EQ(back->Release(), 0u);  // chain members live as long as the front buffer
    EXPECT_EQ(front->Release(), 0u);
    EXPECT_EQ(direct3D->Release(), 0u);
    directDraw->SetCooperativeLevel(window_, DDSCL_NORMAL);
    EXPECT_EQ(directDraw->Release(), 0u);
}

}  // namespace
}  // namespace gltest
