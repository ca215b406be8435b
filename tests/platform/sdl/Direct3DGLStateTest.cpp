// The Direct3D 7 device on OpenGL sets only the OpenGL state that changed since its last
// draw: runs of draws that change one thing between them must each come out as if
// everything had been set anew. Checked on the pixels read back from the render target.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "tests/platform/sdl/Direct3DGLTestSupport.h"

namespace gltest {
namespace {

using Direct3DGLStateTest = Direct3DGLTest;

// The four corners of a quad over `area`, without vertex colours.
std::vector<PlainVertex> PlainQuad(Area area) {
    return {{area.left, area.top, 0.5f, 0, 0, -1, 0, 0},
            {area.right, area.top, 0.5f, 0, 0, -1, 1, 0},
            {area.left, area.bottom, 0.5f, 0, 0, -1, 0, 1},
            {area.right, area.bottom, 0.5f, 0, 0, -1, 1, 1}};
}

TEST_F(Direct3DGLStateTest, EachDrawReadsItsOwnVerticesAndColours) {
    Clear(kBlack);
    ASSERT_EQ(device_->BeginScene(), D3D_OK);
    const auto draw = [&](void* vertices, DWORD format, DWORD count, std::vector<WORD> indices) {
        EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, format, vertices, count, indices.data(),
                                                DWORD(indices.size()), 0),
                  D3D_OK);
    };
    // Vertex colours, then none: the second quad is Direct3D's opaque white.
    std::vector<ColouredVertex> red;
    for (const PlainVertex& v : PlainQuad({-1, 1, 0, 0})) red.push_back({v.x, v.y, v.z, 0, 0, -1, 0xFFFF0000, 0, 0});
    draw(red.data(), kColouredFormat, 4, kQuadIndices);
    std::vector<PlainVertex> quad = PlainQuad({0, 1, 1, 0});
    draw(quad.data(), kPlainFormat, 4, kQuadIndices);
    // The same memory rewritten between two draws: each draw takes what it holds then.
    quad = PlainQuad({-1, 0, 0, -1});
    draw(quad.data(), kPlainFormat, 4, kQuadIndices);
    // More vertices than a small draw has, the quad at the end of them.
    std::vector<PlainVertex> many(200, PlainVertex{});
    std::vector<PlainVertex> last = PlainQuad({0.5f, 0, 1, -1});
    std::copy(last.begin(), last.end(), many.end() - 4);
    for (PlainVertex& v : last) v.x -= 0.5f;  // and a small one beside it afterwards
    std::vector<WORD> atTheEnd;
    for (WORD index : kQuadIndices) atTheEnd.push_back(WORD(196 + index));
    draw(many.data(), kPlainFormat, 200, atTheEnd);
    draw(last.data(), kPlainFormat, 4, kQuadIndices);
    ASSERT_EQ(device_->EndScene(), D3D_OK);

    EXPECT_EQ(PixelAt(-0.5f, 0.5f), kRed);
    EXPECT_EQ(PixelAt(0.5f, 0.5f), kWhite);
    EXPECT_EQ(PixelAt(-0.5f, -0.5f), kWhite);
    EXPECT_EQ(PixelAt(0.25f, -0.5f), kWhite);
    EXPECT_EQ(PixelAt(0.75f, -0.5f), kWhite);
}

TEST_F(Direct3DGLStateTest, StagesFollowTheirChangesBetweenDraws) {
    IDirectDrawSurface7* green =
        MakeTexture(2, 2, platform::PixelFormatA8R8G8B8(), 1, [](DWORD, DWORD x, DWORD) {
            return x == 0 ? 0xFF00FF00u : 0xFF0000FFu;  // left column green, right blue
        });
    Clear(kBlack);
    device_->SetTexture(0, green);
    DrawTexturedQuad({-1, 1, 0, 0}, 0, 0, 1, 1);
    // A texture matrix that picks the right column, then one that leaves (u, v) alone.
    D3DMATRIX right{};
    right._11 = 0.5f;
    right._22 = 1;
    right._31 = 0.5f;
    device_->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    device_->SetTransform(D3DTRANSFORMSTATE_TEXTURE0, &right);
    DrawTexturedQuad({0, 1, 1, 0}, 0, 0, 1, 1);
    D3DMATRIX same{};
    same._11 = same._22 = same._33 = same._44 = 1;
    device_->SetTransform(D3DTRANSFORMSTATE_TEXTURE0, &same);
    DrawTexturedQuad({-1, 0, 0, -1}, 0, 0, 1, 1);
    // No texture: plain white again.
    device_->SetTexture(0, nullptr);
    DrawTexturedQuad({0, 0, 1, -1}, 0, 0, 1, 1);

    EXPECT_EQ(PixelAt(-0.75f, 0.5f), kGreen);
    EXPECT_EQ(PixelAt(-0.25f, 0.5f), kBlue);
    EXPECT_EQ(PixelAt(0.25f, 0.5f), kBlue);
    EXPECT_EQ(PixelAt(0.75f, 0.5f), kBlue);
    EXPECT_EQ(PixelAt(-0.75f, -0.5f), kGreen);
    EXPECT_EQ(PixelAt(-0.25f, -0.5f), kBlue);
    EXPECT_EQ(PixelAt(0.5f, -0.5f), kWhite);
    EXPECT_EQ(green->Release(), 0u);
}

struct DestinationAlphaCase {
    const char* name;
    DWORD source;  // with the destination factor zero
    DWORD onTargetWithoutAlpha;
    DWORD onTargetWithAlphaZero;
};

class DestinationAlphaTest : public Direct3DGLTest, public ::testing::WithParamInterface<DestinationAlphaCase> {
protected:
    // Red drawn over a clear of transparent blue, the source factor as the case says.
    DWORD DrawnOverTransparentBlue() {
        device_->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, TRUE);
        device_->SetRenderState(D3DRENDERSTATE_SRCBLEND, GetParam().source);
        device_->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_ZERO);
        EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0x000000FF, 1.0f, 0), D3D_OK);
        DrawQuad(kWhole, 0.5f, 0xFFFF0000);
        return PixelOf(target_ ? target_ : backBuffer_);
    }

    DWORD PixelOf(IDirectDrawSurface7* surface) {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
        DWORD value = 0;
        if (desc.lpSurface) std::memcpy(&value, static_cast<BYTE*>(desc.lpSurface) + 32 * desc.lPitch + 32 * 4, 4);
        surface->Unlock(nullptr);
        return value & 0xFFFFFF;
    }

    IDirectDrawSurface7* target_ = nullptr;
};

TEST_P(DestinationAlphaTest, DestinationAlphaIsOneWithoutAlphaBitsAndTheTargetsOwnWithThem) {
    EXPECT_EQ(DrawnOverTransparentBlue(), GetParam().onTargetWithoutAlpha);

    DDSURFACEDESC2 desc =
        Desc(kSize, kSize, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE, platform::PixelFormatA8R8G8B8());
    ASSERT_EQ(directDraw_->CreateSurface(&desc, &target_, nullptr), DD_OK);
    ASSERT_EQ(device_->SetRenderTarget(target_, 0), D3D_OK);
    EXPECT_EQ(DrawnOverTransparentBlue(), GetParam().onTargetWithAlphaZero);
    ASSERT_EQ(device_->SetRenderTarget(backBuffer_, 0), D3D_OK);
    EXPECT_EQ(target_->Release(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Factors, DestinationAlphaTest,
    ::testing::Values(DestinationAlphaCase{"DestinationAlpha", D3DBLEND_DESTALPHA, kRed, kBlack},
                      DestinationAlphaCase{"InverseDestinationAlpha", D3DBLEND_INVDESTALPHA, kBlack, kRed},
                      DestinationAlphaCase{"SourceAlphaSaturated", D3DBLEND_SRCALPHASAT, kBlack, kRed}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace gltest
