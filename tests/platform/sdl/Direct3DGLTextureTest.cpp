// Texturing through the Direct3D 7 device on OpenGL: orientation and formats, mip
// chains and filters, addressing, the texture matrix, stage combiners, compressed
// textures (and the decoder that stands in when OpenGL cannot take them).

#include <gtest/gtest.h>

#include "platform/GLPixels.h"
#include "tests/platform/sdl/Direct3DGLTestSupport.h"

namespace gltest {
namespace {

constexpr DWORD kDxt1 = MAKEFOURCC('D', 'X', 'T', '1');

// Texel (0, 0) red, (1, 0) green, (0, 1) blue, (1, 1) white: row 0 is v = 0.
DWORD Corners(DWORD, DWORD x, DWORD y) {
    static const DWORD colours[2][2] = {{0xFFFF0000, 0xFF00FF00}, {0xFF0000FF, 0xFFFFFFFF}};
    return colours[y][x];
}

struct FormatCase {
    const char* name;
    DDPIXELFORMAT (*format)();
};

DDPIXELFORMAT A1R5G5B5() { return platform::RgbPixelFormat(16, 0x7C00, 0x03E0, 0x001F, 0x8000); }
// Red in the lowest byte: the one layout here that is converted before its upload.
DDPIXELFORMAT X8B8G8R8() { return platform::RgbPixelFormat(32, 0x0000FF, 0x00FF00, 0xFF0000, 0); }

class TextureFormatTest : public Direct3DGLTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(TextureFormatTest, AnAsymmetricTextureComesOutTheRightWayUp) {
    IDirectDrawSurface7* texture = MakeTexture(2, 2, GetParam().format(), 1, Corners);
    ASSERT_EQ(device_->SetTexture(0, texture), D3D_OK);
    Clear(kBlack);
    DrawTexturedQuad(kWhole, 0, 0, 1, 1);  // v = 0 along the top edge
    EXPECT_EQ(Pixel(16, 16), kRed);
    EXPECT_EQ(Pixel(48, 16), kGreen);
    EXPECT_EQ(Pixel(16, 48), kBlue);
    EXPECT_EQ(Pixel(48, 48), kWhite);
    device_->SetTexture(0, nullptr);
    EXPECT_EQ(texture->Release(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Formats, TextureFormatTest,
                         ::testing::Values(FormatCase{"A8R8G8B8", platform::PixelFormatA8R8G8B8},
                                           FormatCase{"X8R8G8B8", platform::PixelFormatX8R8G8B8},
                                           FormatCase{"R8G8B8", platform::PixelFormatR8G8B8},
                                           FormatCase{"A4R4G4B4", platform::PixelFormatA4R4G4B4},
                                           FormatCase{"R5G6B5", platform::PixelFormatR5G6B5},
                                           FormatCase{"A1R5G5B5", A1R5G5B5},
                                           FormatCase{"X8B8G8R8", X8B8G8R8}),
                         [](const auto& info) { return info.param.name; });

TEST_F(Direct3DGLTest, TheDeviceHoldsABoundTexture) {
    IDirectDrawSurface7* texture = MakeTexture(2, 2, platform::PixelFormatA8R8G8B8(), 1, Corners);
    ASSERT_EQ(device_->SetTexture(0, texture), D3D_OK);
    EXPECT_EQ(texture->Release(), 1u) << "the device's reference remains";
    Clear(kBlack);
    DrawTexturedQuad(kWhole, 0, 0, 1, 1);
    EXPECT_EQ(Pixel(48, 48), kWhite);
    device_->SetTexture(0, nullptr);  // lets the texture go
}

TEST_F(Direct3DGLTest, StageZeroModulatesColourAndAlphaByTheVertexColour) {
    // A white texture, half-transparent: the vertex colour tints it and its alpha counts.
    IDirectDrawSurface7* texture =
        MakeTexture(2, 2, platform::PixelFormatA8R8G8B8(), 1, [](DWORD, DWORD, DWORD) { return 0x80FFFFFFu; });
    device_->SetTexture(0, texture);
    device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device_->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device_->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device_->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, TRUE);
    device_->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
    device_->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
    Clear(kBlack);
    DrawQuad(kWhole, 0.5f, 0xFFFF0000);  // texture white x red, alpha 0.5 x 1
    EXPECT_TRUE(Near(Pixel(32, 32), 0x800000));
    Clear(kBlack);
    DrawQuad(kWhole, 0.5f, 0x00FF0000);  // vertex alpha 0: nothing shows
    EXPECT_EQ(Pixel(32, 32), kBlack);
    device_->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(Direct3DGLTest, ALaterStageModulatesColourAndPassesAlpha) {
    // As the render system sets them: every stage modulates colour, stage 0 alone alpha.
    IDirectDrawSurface7* yellow =
        MakeTexture(2, 2, platform::PixelFormatA8R8G8B8(), 1, [](DWORD, DWORD, DWORD) { return 0xFFFFFF00u; });
    IDirectDrawSurface7* cyan =  // and transparent
        MakeTexture(2, 2, platform::PixelFormatA8R8G8B8(), 1, [](DWORD, DWORD, DWORD) { return 0x0000FFFFu; });
    device_->SetTexture(0, yellow);
    device_->SetTexture(1, cyan);
    for (DWORD stage : {0u, 1u}) device_->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device_->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    device_->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, TRUE);
    device_->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
    device_->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
    Clear(kBlack);
    DrawTexturedQuad(kWhole, 0, 0, 1, 1);
    // Yellow times cyan is green; the alpha stays stage 0's (opaque), not cyan's 0.
    EXPECT_EQ(Pixel(32, 32), kGreen);

    // A stage whose colour operation is off ends the chain there.
    device_->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    DrawTexturedQuad(kWhole, 0, 0, 1, 1);
    EXPECT_EQ(Pixel(32, 32), 0xFFFF00u);
    device_->SetTexture(0, nullptr);
    device_->SetTexture(1, nullptr);
    yellow->Release();
    cyan->Release();
}

struct MipCase {
    const char* name;
    DWORD minify;
    DWORD mip;
    float repeats;  // texture widths across the 64 pixels (16 texels wide: 4 is one texel a pixel)
    bool throughMatrix;
    DWORD expected;
};

class MipTest : public Direct3DGLTest, public ::testing::WithParamInterface<MipCase> {};

TEST_P(MipTest, MinificationPicksTheLevelTheFiltersSay) {
    const MipCase& c = GetParam();
    // 16 x 16, five levels: red, green, blue, yellow, white.
    static const DWORD levels[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFFFFFFFF};
    IDirectDrawSurface7* texture = MakeTexture(16, 16, platform::PixelFormatA8R8G8B8(), 5,
                                               [](DWORD level, DWORD, DWORD) { return levels[level]; });
    device_->SetTexture(0, texture);
    device_->SetTextureStageState(0, D3DTSS_MINFILTER, c.minify);
    device_->SetTextureStageState(0, D3DTSS_MAXANISOTROPY, 4);
    device_->SetTextureStageState(0, D3DTSS_MIPFILTER, c.mip);
    float extent = c.repeats;
    if (c.throughMatrix) {
        D3DMATRIX scale{};
        scale._11 = scale._22 = c.repeats;
        scale._33 = scale._44 = 1;
        device_->SetTransform(D3DTRANSFORMSTATE_TEXTURE0, &scale);
        device_->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
        extent = 1;
    }
    Clear(kBlack);
    DrawTexturedQuad(kWhole, 0, 0, extent, extent);
    EXPECT_TRUE(Near(Pixel(32, 32), c.expected));
    device_->SetTexture(0, nullptr);
    texture->Release();
}

INSTANTIATE_TEST_SUITE_P(
    Filters, MipTest,
    ::testing::Values(MipCase{"OneTexelAPixel", D3DTFN_POINT, D3DTFP_POINT, 4, false, kRed},
                      MipCase{"HalfSize", D3DTFN_POINT, D3DTFP_POINT, 8, false, kGreen},
                      MipCase{"QuarterSize", D3DTFN_POINT, D3DTFP_POINT, 16, false, kBlue},
                      MipCase{"LinearBetweenLevelsOnALevel", D3DTFN_LINEAR, D3DTFP_LINEAR, 8, false, kGreen},
                      MipCase{"Anisotropic", D3DTFN_ANISOTROPIC, D3DTFP_POINT, 8, false, kGreen},
                      MipCase{"NoMipFilterStaysOnTop", D3DTFN_POINT, D3DTFP_NONE, 16, false, kRed},
                      MipCase{"ScaledByTheTextureMatrix", D3DTFN_POINT, D3DTFP_POINT, 16, true, kBlue}),
    [](const auto& info) { return info.param.name; });

TEST_F(Direct3DGLTest, ATextureWithoutLevelsSamplesUnderAMipFilter) {
    IDirectDrawSurface7* texture = MakeTexture(2, 2, platform::PixelFormatA8R8G8B8(), 1, Corners);
    device_->SetTexture(0, texture);
    device_->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTFP_LINEAR);
    Clear(kBlack);
    DrawTexturedQuad(kWhole, 0, 0, 1, 1);
    EXPECT_EQ(Pixel(16, 16), kRed);
    device_->SetTexture(0, nullptr);
    texture->Release();
}

struct AddressCase {
    const char* name;
    DWORD mode;
    DWORD expected[4];  // across four quarters of u from 0 to 2
};

class AddressTest : public Direct3DGLTest, public ::testing::WithParamInterface<AddressCase> {};

TEST_P(AddressTest, CoordinatesBeyondOneFollowTheAddressMode) {
    const AddressCase& c = GetParam();
    IDirectDrawSurface7* texture = MakeTexture(2, 1, platform::PixelFormatA8R8G8B8(), 1,
                                               [](DWORD, DWORD x, DWORD) { return x ? 0xFF00FF00u : 0xFFFF0000u; });
    device_->SetTexture(0, texture);
    device_->SetTextureStageState(0, D3DTSS_ADDRESSU, c.mode);
    device_->SetTextureStageState(0, D3DTSS_BORDERCOLOR, 0xFF0000FF);
    Clear(kBlack);
    DrawTexturedQuad(kWhole, 0, 0, 2, 1);
    for (int quarter = 0; quarter < 4; ++quarter)
        EXPECT_EQ(Pixel(8 + 16 * quarter, 32), c.expected[quarter]) << "quarter " << quarter;
    device_->SetTexture(0, nullptr);
    texture->Release();
}

INSTANTIATE_TEST_SUITE_P(Modes, AddressTest,
                         ::testing::Values(AddressCase{"Wrap", D3DTADDRESS_WRAP, {kRed, kGreen, kRed, kGreen}},
                                           AddressCase{"Mirror", D3DTADDRESS_MIRROR, {kRed, kGreen, kGreen, kRed}},
                                           AddressCase{"Clamp", D3DTADDRESS_CLAMP, {kRed, kGreen, kGreen, kGreen}},
                                           AddressCase{"Border", D3DTADDRESS_BORDER, {kRed, kGreen, kBlue, kBlue}}),
                         [](const auto& info) { return info.param.name; });

TEST_F(Direct3DGLTest, TheTextureMatrixOffsetsLieInItsThirdRow) {
    // The render system's texture matrix: scale on the diagonal, offsets in row 3.
    IDirectDrawSurface7* texture = MakeTexture(2, 2, platform::PixelFormatA8R8G8B8(), 1, Corners);
    device_->SetTexture(0, texture);
    D3DMATRIX matrix{};
    matrix._11 = matrix._22 = 1;
    matrix._31 = 0.5f;  // u moves on by one texel
    matrix._33 = matrix._44 = 1;
    device_->SetTransform(D3DTRANSFORMSTATE_TEXTURE0, &matrix);
    device_->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    Clear(kBlack);
    DrawTexturedQuad(kWhole, 0, 0, 1, 1);
    EXPECT_EQ(Pixel(16, 16), kGreen);
    EXPECT_EQ(Pixel(48, 16), kRed);
    EXPECT_EQ(Pixel(16, 48), kWhite);

    // Switched off, the matrix no longer applies.
    device_->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    DrawTexturedQuad(kWhole, 0, 0, 1, 1);
    EXPECT_EQ(Pixel(16, 16), kRed);
    device_->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(Direct3DGLTest, ALinearFilterSamplesAtDirect3DPixelCentres) {
    IDirectDrawSurface7* texture = MakeTexture(2, 1, platform::PixelFormatA8R8G8B8(), 1,
                                               [](DWORD, DWORD x, DWORD) { return x ? 0xFF0000FFu : 0xFFFF0000u; });
    device_->SetTexture(0, texture);
    device_->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTFG_LINEAR);
    device_->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP);
    Clear(kBlack);
    DrawTexturedQuad(kWhole, 0, 0, 1, 1);
    EXPECT_EQ(Pixel(2, 32), kRed);
    EXPECT_TRUE(Near(Pixel(32, 32), 0x800080)) << "sampled at the pixel centre, half way between the texels";
    EXPECT_EQ(Pixel(61, 32), kBlue);
    device_->SetTexture(0, nullptr);
    texture->Release();
}

// One DXT1 block: colour 0 and colour 1, with index rows of 2 bits a texel.
std::vector<BYTE> Dxt1Block(WORD colour0, WORD colour1, BYTE row0, BYTE row1, BYTE row2, BYTE row3) {
    return {BYTE(colour0), BYTE(colour0 >> 8), BYTE(colour1), BYTE(colour1 >> 8), row0, row1, row2, row3};
}

TEST_F(Direct3DGLTest, ADxt1TextureComesOutTheRightWayUp) {
    // Red over blue: the first index rows are the top of the picture.
    IDirectDrawSurface7* texture = MakeCompressedTexture(kDxt1, 4, 4, Dxt1Block(0xF800, 0x001F, 0, 0, 0x55, 0x55));
    device_->SetTexture(0, texture);
    Clear(kBlack);
    DrawTexturedQuad(kWhole, 0, 0, 1, 1);
    EXPECT_EQ(Pixel(32, 8), kRed);
    EXPECT_EQ(Pixel(32, 56), kBlue);
    device_->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(Direct3DGLTest, ADxt1BlockInThreeColourModeHasTransparentTexels) {
    // Colour 0 not above colour 1: index 3 is transparent black.
    IDirectDrawSurface7* texture =
        MakeCompressedTexture(kDxt1, 4, 4, Dxt1Block(0x001F, 0xF800, 0, 0, 0xFF, 0xFF));
    device_->SetTexture(0, texture);
    device_->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, TRUE);
    device_->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
    device_->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
    Clear(0xFF00FF00);
    DrawTexturedQuad(kWhole, 0, 0, 1, 1);
    EXPECT_EQ(Pixel(32, 8), kBlue);
    EXPECT_EQ(Pixel(32, 56), kGreen);
    device_->SetTexture(0, nullptr);
    texture->Release();
}

// The decoder used when OpenGL offers no S3TC: RGBA bytes of one texel.
std::vector<BYTE> Texel(const std::vector<BYTE>& decoded, DWORD width, DWORD x, DWORD y) {
    auto first = decoded.begin() + (y * width + x) * 4;
    return {first, first + 4};
}

TEST(DxtDecoderTest, Dxt1FourColourBlockInterpolatesBetweenItsEnds) {
    // Indices 0, 1, 2, 3 along the top row; red to blue.
    std::vector<BYTE> decoded = platform::ddraw::DecodeDxt(Dxt1Block(0xF800, 0x001F, 0xE4, 0, 0, 0).data(), 4, 4,
                                                           kDxt1);
    EXPECT_EQ(Texel(decoded, 4, 0, 0), (std::vector<BYTE>{255, 0, 0, 255}));
    EXPECT_EQ(Texel(decoded, 4, 1, 0), (std::vector<BYTE>{0, 0, 255, 255}));
    EXPECT_EQ(Texel(decoded, 4, 2, 0), (std::vector<BYTE>{170, 0, 85, 255}));
    EXPECT_EQ(Texel(decoded, 4, 3, 0), (std::vector<BYTE>{85, 0, 170, 255}));
    EXPECT_EQ(Texel(decoded, 4, 0, 3), (std::vector<BYTE>{255, 0, 0, 255}));
}

TEST(DxtDecoderTest, Dxt1ThreeColourBlockHasAHalfwayColourAndTransparency) {
    std::vector<BYTE> decoded = platform::ddraw::DecodeDxt(Dxt1Block(0x001F, 0xF800, 0xE4, 0, 0, 0).data(), 4, 4,
                                                           kDxt1);
    EXPECT_EQ(Texel(decoded, 4, 2, 0), (std::vector<BYTE>{127, 0, 127, 255}));
    EXPECT_EQ(Texel(decoded, 4, 3, 0), (std::vector<BYTE>{0, 0, 0, 0}));
}

TEST(DxtDecoderTest, Dxt3CarriesFourBitsOfAlphaATexel) {
    std::vector<BYTE> block{0x0F, 0x00, 0, 0, 0, 0, 0, 0xF0};  // texel 0 alpha 15, texel 15 alpha 15
    std::vector<BYTE> colour = Dxt1Block(0xFFFF, 0x0000, 0, 0, 0, 0);
    block.insert(block.end(), colour.begin(), colour.end());
    std::vector<BYTE> decoded = platform::ddraw::DecodeDxt(block.data(), 4, 4, MAKEFOURCC('D', 'X', 'T', '3'));
    EXPECT_EQ(Texel(decoded, 4, 0, 0), (std::vector<BYTE>{255, 255, 255, 255}));
    EXPECT_EQ(Texel(decoded, 4, 1, 0), (std::vector<BYTE>{255, 255, 255, 0}));
    EXPECT_EQ(Texel(decoded, 4, 3, 3), (std::vector<BYTE>{255, 255, 255, 255}));
}

TEST(DxtDecoderTest, Dxt5InterpolatesAlphaBetweenItsEnds) {
    // Alpha 255 and 0; texel indices 0, 1, 2 then 7 along the top row (3 bits each).
    std::vector<BYTE> block{255, 0, 0b10001000, 0b00001110, 0, 0, 0, 0};
    std::vector<BYTE> colour = Dxt1Block(0xFFFF, 0x0000, 0, 0, 0, 0);
    block.insert(block.end(), colour.begin(), colour.end());
    std::vector<BYTE> decoded = platform::ddraw::DecodeDxt(block.data(), 4, 4, MAKEFOURCC('D', 'X', 'T', '5'));
    EXPECT_EQ(Texel(decoded, 4, 0, 0)[3], 255);
    EXPECT_EQ(Texel(decoded, 4, 1, 0)[3], 0);
    EXPECT_EQ(Texel(decoded, 4, 2, 0)[3], 218);  // (6 x 255 + 0) / 7
    EXPECT_EQ(Texel(decoded, 4, 3, 0)[3], 36);   // (1 x 255 + 6 x 0) / 7
}

TEST(DxtDecoderTest, ALevelSmallerThanABlockKeepsItsTopLeftTexels) {
    std::vector<BYTE> decoded = platform::ddraw::DecodeDxt(Dxt1Block(0xF800, 0x001F, 0x04, 0, 0, 0).data(), 2, 1,
                                                           kDxt1);
    ASSERT_EQ(decoded.size(), 8u);
    EXPECT_EQ(Texel(decoded, 2, 0, 0), (std::vector<BYTE>{255, 0, 0, 255}));
    EXPECT_EQ(Texel(decoded, 2, 1, 0), (std::vector<BYTE>{0, 0, 255, 255}));
}

}  // namespace
}  // namespace gltest
