#include <cstring>
#include <functional>

#include "tests/platform/DirectDrawTestSupport.h"

namespace {

using ddtest::Desc;
using ddtest::TestWindow;
using platform::seam::DeviceCall;
using platform::seam::DeviceCalls;

// A windowed device drawing into a 64x48 back buffer with a depth-and-stencil buffer.
class DeviceTest : public ddtest::DirectDrawTest {
protected:
    static constexpr DWORD kWidth = 64;
    static constexpr DWORD kHeight = 48;

    void SetUp() override {
        DirectDrawTest::SetUp();
        directDraw_ = CreateDirectDraw();
        ASSERT_EQ(directDraw_->SetCooperativeLevel(TestWindow(), DDSCL_NORMAL), DD_OK);
        back_ = CreateSurface(directDraw_, Desc(kWidth, kHeight, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE));
        depth_ =
            CreateSurface(directDraw_, Desc(kWidth, kHeight, DDSCAPS_ZBUFFER, platform::ZBufferPixelFormat(32, 8)));
        ASSERT_EQ(back_->AddAttachedSurface(depth_), DD_OK);
        direct3D_ = QueryDirect3D(directDraw_);
        ASSERT_EQ(direct3D_->CreateDevice(IID_IDirect3DTnLHalDevice, back_, &device_), D3D_OK);
        platform::seam::ClearDeviceCalls();
    }

    void TearDown() override {
        if (device_) {
            EXPECT_EQ(device_->Release(), 0u);
        }
        for (IDirectDrawSurface7* surface : {back_, depth_})
            if (surface) surface->Release();
        if (direct3D_) direct3D_->Release();
        if (directDraw_) {
            EXPECT_EQ(directDraw_->Release(), 0u);
        }
        DirectDrawTest::TearDown();
    }

    static DWORD ReadPixel(IDirectDrawSurface7* surface, DWORD x, DWORD y) {
        DDSURFACEDESC2 locked{};
        EXPECT_EQ(surface->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
        DWORD value = 0;
        DWORD bytes = locked.ddpfPixelFormat.dwRGBBitCount / 8;
        std::memcpy(&value, static_cast<BYTE*>(locked.lpSurface) + y * locked.lPitch + x * bytes, bytes);
        surface->Unlock(nullptr);
        return value;
    }

    IDirectDraw7* directDraw_ = nullptr;
    IDirectDrawSurface7* back_ = nullptr;
    IDirectDrawSurface7* depth_ = nullptr;
    IDirect3D7* direct3D_ = nullptr;
    IDirect3DDevice7* device_ = nullptr;
};

HRESULT CollectFormat(LPDDPIXELFORMAT format, LPVOID context) {
    static_cast<std::vector<DDPIXELFORMAT>*>(context)->push_back(*format);
    return D3DENUMRET_OK;
}

HRESULT TakeFirstFormat(LPDDPIXELFORMAT format, LPVOID context) {
    static_cast<std::vector<DDPIXELFORMAT>*>(context)->push_back(*format);
    return D3DENUMRET_CANCEL;
}

TEST_F(DeviceTest, StateCallsAreRecordedInOrderWithTheirValues) {
    D3DMATRIX world{};
    world._11 = world._22 = world._33 = world._44 = 1.0f;
    world._41 = 5.0f;
    D3DMATERIAL7 material{};
    material.ambient = {{0.6f}, {0.6f}, {0.6f}, {1.0f}};
    D3DLIGHT7 light{};
    light.dltType = D3DLIGHT_DIRECTIONAL;
    light.dvDirection.z = -1.0f;
    light.dvRange = D3DLIGHT_RANGE_MAX;
    D3DVIEWPORT7 viewport{0, 0, kWidth, kHeight, 0.0f, 1.0f};

    EXPECT_EQ(device_->SetViewport(&viewport), D3D_OK);
    EXPECT_EQ(device_->SetTransform(D3DTRANSFORMSTATE_WORLD, &world), D3D_OK);
    EXPECT_EQ(device_->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_CW), D3D_OK);
    EXPECT_EQ(device_->SetTextureStageState(1, D3DTSS_MAGFILTER, D3DTFG_LINEAR), D3D_OK);
    EXPECT_EQ(device_->SetMaterial(&material), D3D_OK);
    EXPECT_EQ(device_->SetLight(0, &light), D3D_OK);
    EXPECT_EQ(device_->LightEnable(0, TRUE), D3D_OK);

    EXPECT_EQ(CallNames(),
              (std::vector<std::string>{"IDirect3DDevice7::SetViewport", "IDirect3DDevice7::SetTransform",
                                        "IDirect3DDevice7::SetRenderState", "IDirect3DDevice7::SetTextureStageState",
                                        "IDirect3DDevice7::SetMaterial", "IDirect3DDevice7::SetLight",
                                        "IDirect3DDevice7::LightEnable"}));
    const auto& calls = DeviceCalls();
    EXPECT_EQ(calls[0].viewport.dwHeight, kHeight);
    EXPECT_EQ(calls[1].args, (std::vector<DWORD>{D3DTRANSFORMSTATE_WORLD}));
    EXPECT_EQ(calls[1].matrix._41, 5.0f);
    EXPECT_EQ(calls[2].args, (std::vector<DWORD>{D3DRENDERSTATE_CULLMODE, D3DCULL_CW}));
    EXPECT_EQ(calls[3].args, (std::vector<DWORD>{1, D3DTSS_MAGFILTER, D3DTFG_LINEAR}));
    EXPECT_EQ(calls[4].material.ambient.r, 0.6f);
    EXPECT_EQ(calls[5].light.dltType, D3DLIGHT_DIRECTIONAL);
    EXPECT_EQ(calls[5].light.dvDirection.z, -1.0f);
    EXPECT_EQ(calls[6].args, (std::vector<DWORD>{0, TRUE}));
    for (const DeviceCall& call : calls) EXPECT_EQ(call.result, D3D_OK) << call.name;

    platform::seam::ClearDeviceCalls();
    EXPECT_TRUE(DeviceCalls().empty());
}

// Past its bound the record keeps the newest calls in order; an entry used again after a
// clear holds nothing of its earlier call.
TEST_F(DeviceTest, TheRecordKeepsTheNewestCallsAndReusedEntriesStartEmpty) {
    // Draws of half a megabyte of vertices each soon pass the record's bound.
    constexpr DWORD kDraws = 300;
    constexpr DWORD kFirstCount = 40000;
    std::vector<float> vertices(3 * (kFirstCount + kDraws));
    WORD indices[] = {0, 1, 2};
    EXPECT_EQ(device_->BeginScene(), D3D_OK);
    for (DWORD i = 0; i < kDraws; ++i)
        device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, D3DFVF_XYZ, vertices.data(), kFirstCount + i, indices, 3, 0);
    EXPECT_EQ(device_->EndScene(), D3D_OK);
    const auto& calls = DeviceCalls();
    ASSERT_GT(calls.size(), 10u);
    ASSERT_LT(calls.size(), kDraws);
    DWORD count = kFirstCount + kDraws - static_cast<DWORD>(calls.size() - 1);
    for (const DeviceCall& call : calls) {
        if (&call == &calls.back()) break;
        ASSERT_EQ(call.args.at(2), count++);
        ASSERT_EQ(call.vertices.size(), call.args[2] * 12);
    }
    EXPECT_EQ(calls.back().name, "IDirect3DDevice7::EndScene");

    D3DMATERIAL7 material{};
    material.ambient.r = 0.5f;
    D3DRECT rect{{1}, {1}, {2}, {2}};
    for (int round = 0; round < 2; ++round) {
        platform::seam::ClearDeviceCalls();
        if (round == 0) {
            EXPECT_EQ(device_->SetMaterial(&material), D3D_OK);
            EXPECT_EQ(device_->Clear(1, &rect, D3DCLEAR_TARGET, 0, 0.0f, 0), D3D_OK);
        } else {
            EXPECT_EQ(device_->BeginScene(), D3D_OK);
            EXPECT_EQ(device_->EndScene(), D3D_OK);
        }
    }
    ASSERT_EQ(calls.size(), 2u);
    for (const DeviceCall& call : calls) {
        EXPECT_TRUE(call.args.empty()) << call.name;
        EXPECT_TRUE(call.rects.empty()) << call.name;
        EXPECT_EQ(call.material.ambient.r, 0.0f) << call.name;
    }
    EXPECT_EQ(calls.back().name, "IDirect3DDevice7::EndScene");
}

TEST_F(DeviceTest, InvalidCallsAreRefusedAndRecordedWithTheirAnswer) {
    D3DMATRIX matrix{};
    D3DLIGHT7 tooFar{};
    tooFar.dltType = D3DLIGHT_POINT;
    tooFar.dvRange = 2e19f;
    D3DVIEWPORT7 outside{0, 0, kWidth + 1, kHeight, 0.0f, 1.0f};
    IDirectDrawSurface7* plain = CreateSurface(directDraw_, Desc(4, 4, DDSCAPS_OFFSCREENPLAIN));
    struct Case {
        const char* name;
        std::function<HRESULT()> call;
    };
    const Case cases[] = {
        {"render state of an older interface", [&] { return device_->SetRenderState(D3DRENDERSTATETYPE(3), 0); }},
        {"texture stage 8", [&] { return device_->SetTextureStageState(8, D3DTSS_COLOROP, D3DTOP_MODULATE); }},
        {"stage state 25", [&] { return device_->SetTextureStageState(0, D3DTEXTURESTAGESTATETYPE(25), 0); }},
        {"transform 7", [&] { return device_->SetTransform(D3DTRANSFORMSTATETYPE(7), &matrix); }},
        {"no matrix", [&] { return device_->SetTransform(D3DTRANSFORMSTATE_VIEW, nullptr); }},
        {"viewport beyond the target", [&] { return device_->SetViewport(&outside); }},
        {"light beyond the largest range", [&] { return device_->SetLight(0, &tooFar); }},
        {"no material", [&] { return device_->SetMaterial(nullptr); }},
        {"texture in stage 8", [&] { return device_->SetTexture(8, nullptr); }},
        {"a surface that is no texture", [&] { return device_->SetTexture(0, plain); }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        platform::seam::ClearDeviceCalls();
        EXPECT_EQ(test.call(), DDERR_INVALIDPARAMS);
        ASSERT_EQ(DeviceCalls().size(), 1u);
        EXPECT_EQ(DeviceCalls()[0].result, DDERR_INVALIDPARAMS);
    }
    plain->Release();
}

TEST_F(DeviceTest, DrawingHappensOnlyInsideOneScene) {
    WORD indices[] = {0, 1, 2};
    BYTE vertices[3 * 32] = {};
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0x112, vertices, 3, indices, 3, 0),
              D3DERR_SCENE_NOT_IN_SCENE);
    EXPECT_EQ(device_->EndScene(), D3DERR_SCENE_NOT_IN_SCENE);
    EXPECT_EQ(device_->BeginScene(), D3D_OK);
    EXPECT_EQ(device_->BeginScene(), D3DERR_SCENE_IN_SCENE);
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0x112, vertices, 3, indices, 3, 0), D3D_OK);
    EXPECT_EQ(device_->EndScene(), D3D_OK);
}

TEST_F(DeviceTest, DrawIndexedPrimitiveRecordsTheGeometryItWasHanded) {
    struct Case {
        DWORD format;
        DWORD stride;
        D3DPRIMITIVETYPE type;
        std::vector<WORD> indices;
    };
    const Case cases[] = {
        {0x112, 32, D3DPT_TRIANGLELIST, {0, 1, 2, 2, 1, 3}},
        {0x152, 36, D3DPT_TRIANGLESTRIP, {0, 1, 2, 3}},
    };
    device_->BeginScene();
    for (const Case& test : cases) {
        SCOPED_TRACE(test.stride);
        std::vector<BYTE> vertices(4 * test.stride);
        for (size_t i = 0; i < vertices.size(); ++i) vertices[i] = BYTE(i);
        std::vector<WORD> indices = test.indices;
        platform::seam::ClearDeviceCalls();
        EXPECT_EQ(device_->DrawIndexedPrimitive(test.type, test.format, vertices.data(), 4, indices.data(),
                                                DWORD(indices.size()), 0),
                  D3D_OK);
        const DeviceCall& call = DeviceCalls().back();
        EXPECT_EQ(call.args, (std::vector<DWORD>{test.type, test.format, 4, DWORD(indices.size()), 0}));
        EXPECT_EQ(call.indices, test.indices);
        EXPECT_EQ(call.vertices, vertices);
    }

    WORD beyond[] = {0, 1, 4};
    WORD four[] = {0, 1, 2, 3};
    BYTE vertices[4 * 36] = {};
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0x152, vertices, 4, beyond, 3, 0), DDERR_INVALIDPARAMS);
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0x152, vertices, 4, four, 4, 0), DDERR_INVALIDPARAMS);
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0x1006, vertices, 4, four, 3, 0),
              D3DERR_INVALIDVERTEXFORMAT);
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPRIMITIVETYPE(7), 0x152, vertices, 4, four, 3, 0),
              D3DERR_INVALIDPRIMITIVETYPE);
    device_->EndScene();
}

TEST_F(DeviceTest, ClearFillsTargetDepthAndStencilInsideTheViewport) {
    EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF204080, 1.0f, 0),
              D3D_OK);
    EXPECT_EQ(ReadPixel(back_, 0, 0), 0x204080u);  // X8R8G8B8 keeps no alpha
    EXPECT_EQ(ReadPixel(back_, kWidth - 1, kHeight - 1), 0x204080u);
    EXPECT_EQ(ReadPixel(depth_, 3, 3), 0xFFFFFF00u);

    // Depth alone keeps the stencil, and the other way round.
    EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_STENCIL, 0, 0.0f, 5), D3D_OK);
    EXPECT_EQ(ReadPixel(depth_, 3, 3), 0xFFFFFF05u);
    EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 0.0f, 0), D3D_OK);
    EXPECT_EQ(ReadPixel(depth_, 3, 3), 0x05u);

    D3DRECT rect{{0}, {0}, {2}, {1}};
    EXPECT_EQ(device_->Clear(1, &rect, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0), D3D_OK);
    EXPECT_EQ(ReadPixel(back_, 1, 0), 0xFFu);
    EXPECT_EQ(ReadPixel(back_, 2, 0), 0x204080u);
    EXPECT_EQ(DeviceCalls().back().rects.size(), 1u);
    EXPECT_EQ(DeviceCalls().back().rects[0].right, 2);

    D3DVIEWPORT7 viewport{2, 2, 4, 4, 0.0f, 1.0f};
    device_->SetViewport(&viewport);
    EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0), D3D_OK);
    EXPECT_EQ(ReadPixel(back_, 1, 1), 0x204080u);
    EXPECT_EQ(ReadPixel(back_, 2, 2), 0u);
    EXPECT_EQ(ReadPixel(back_, 6, 6), 0x204080u);
}

TEST_F(DeviceTest, ClearPacksForTheTargetAndRefusesBuffersItLacks) {
    IDirectDrawSurface7* small = CreateSurface(
        directDraw_, Desc(4, 4, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE, platform::PixelFormatR5G6B5()));
    IDirectDrawSurface7* depthOnly =
        CreateSurface(directDraw_, Desc(4, 4, DDSCAPS_ZBUFFER, platform::ZBufferPixelFormat(16, 0)));
    ASSERT_EQ(device_->SetRenderTarget(small, 0), D3D_OK);
    D3DVIEWPORT7 viewport{0, 0, 4, 4, 0.0f, 1.0f};
    device_->SetViewport(&viewport);

    EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3DERR_ZBUFFER_NOTPRESENT);
    EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0), D3D_OK);
    EXPECT_EQ(ReadPixel(small, 0, 0), 0x001Fu);
    EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFFFFFF, 1.0f, 0), D3D_OK);
    EXPECT_EQ(ReadPixel(small, 3, 3), 0xFFFFu);

    ASSERT_EQ(small->AddAttachedSurface(depthOnly), DD_OK);
    EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0, 1.0f, 0),
              D3DERR_STENCILBUFFER_NOTPRESENT);
    EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3D_OK);
    EXPECT_EQ(ReadPixel(depthOnly, 0, 0), 0xFFFFu);

    depthOnly->Release();
    EXPECT_EQ(small->Release(), 1u);  // the device draws into it
    device_->SetRenderTarget(back_, 0);
}

TEST_F(DeviceTest, BoundTexturesAndRenderTargetsAreHeldByTheDevice) {
    IDirectDrawSurface7* texture =
        CreateSurface(directDraw_, Desc(8, 8, DDSCAPS_TEXTURE | DDSCAPS_SYSTEMMEMORY, platform::PixelFormatA8R8G8B8()));
    ULONG withoutTexture = References(directDraw_) - 1;
    EXPECT_EQ(device_->SetTexture(0, texture), D3D_OK);
    EXPECT_EQ(texture->Release(), 1u);
    DDSURFACEDESC2 locked{};
    EXPECT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    texture->Unlock(nullptr);
    EXPECT_EQ(DeviceCalls().back().surface, texture);
    EXPECT_EQ(device_->SetTexture(0, nullptr), D3D_OK);
    EXPECT_EQ(References(directDraw_), withoutTexture);  // the texture went with the last reference

    // Surfaces of another DirectDraw object cannot be bound.
    IDirectDraw7* other = CreateDirectDraw();
    IDirectDrawSurface7* foreign =
        CreateSurface(other, Desc(8, 8, DDSCAPS_TEXTURE | DDSCAPS_3DDEVICE, platform::PixelFormatX8R8G8B8()));
    EXPECT_EQ(device_->SetTexture(0, foreign), DDERR_INVALIDPARAMS);
    EXPECT_EQ(device_->SetRenderTarget(foreign, 0), DDERR_INVALIDPARAMS);
    foreign->Release();
    EXPECT_EQ(other->Release(), 0u);
}

TEST_F(DeviceTest, CreateDeviceChecksTheDeviceAndItsRenderTarget) {
    IDirectDrawSurface7* plain = CreateSurface(directDraw_, Desc(8, 8, DDSCAPS_OFFSCREENPLAIN));
    IDirect3DDevice7* device = nullptr;
    EXPECT_EQ(direct3D_->CreateDevice(IID_IDirect3DTnLHalDevice, plain, &device), DDERR_INVALIDCAPS);
    EXPECT_EQ(direct3D_->CreateDevice(IID_IDirect3DHALDevice, back_, &device), DDERR_INVALIDPARAMS);
    EXPECT_EQ(device, nullptr);
    plain->Release();

    // A device that renders only into 16-bit targets refuses a 32-bit one.
    platform::GraphicsCaps caps = platform::seam::DefaultGraphicsCaps();
    caps.drivers[0].devices[0].renderBitDepths = DDBD_16;
    platform::seam::SetGraphicsCaps(caps);
    IDirectDraw7* sixteen = CreateDirectDraw();
    IDirect3D7* direct3D = QueryDirect3D(sixteen);
    IDirectDrawSurface7* target = CreateSurface(sixteen, Desc(8, 8, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE));
    EXPECT_EQ(direct3D->CreateDevice(IID_IDirect3DTnLHalDevice, target, &device), DDERR_INVALIDPIXELFORMAT);
    target->Release();
    direct3D->Release();
    EXPECT_EQ(sixteen->Release(), 0u);
}

TEST_F(DeviceTest, InjectedDeviceFailuresAreAnsweredAndRecorded) {
    platform::seam::FailNextCalls("IDirect3DDevice7::BeginScene", 1);
    EXPECT_EQ(device_->BeginScene(), DDERR_SURFACELOST);
    EXPECT_EQ(device_->BeginScene(), D3D_OK);
    platform::seam::FailNextCalls("IDirect3DDevice7::SetRenderState", 1);
    EXPECT_EQ(device_->SetRenderState(D3DRENDERSTATE_ZENABLE, 1), DDERR_GENERIC);
    EXPECT_EQ(device_->EndScene(), D3D_OK);

    const auto& calls = DeviceCalls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].result, DDERR_SURFACELOST);
    EXPECT_EQ(calls[1].result, D3D_OK);
    EXPECT_EQ(calls[2].result, DDERR_GENERIC);
}

TEST_F(DeviceTest, ALostRenderTargetFailsTheSceneUntilRestored) {
    WORD indices[] = {0, 1, 2};
    BYTE vertices[3 * 32] = {};
    platform::seam::MarkSurfaceLost(back_);
    EXPECT_EQ(device_->BeginScene(), DDERR_SURFACELOST);
    EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0), DDERR_SURFACELOST);
    EXPECT_EQ(back_->Restore(), DD_OK);
    EXPECT_EQ(device_->BeginScene(), D3D_OK);

    platform::seam::MarkAllSurfacesLost();
    EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0x112, vertices, 3, indices, 3, 0), DDERR_SURFACELOST);
    EXPECT_EQ(device_->EndScene(), DDERR_SURFACELOST);  // the scene ends all the same
    EXPECT_EQ(back_->Restore(), DD_OK);
    EXPECT_EQ(depth_->Restore(), DD_OK);
    EXPECT_EQ(device_->BeginScene(), D3D_OK);
    EXPECT_EQ(device_->EndScene(), D3D_OK);
}

TEST_F(DeviceTest, TextureFormatsAreOfferedInOrderUntilTheCallbackStops) {
    std::vector<DDPIXELFORMAT> formats;
    EXPECT_EQ(device_->EnumTextureFormats(CollectFormat, &formats), D3D_OK);
    ASSERT_EQ(formats.size(), 8u);
    EXPECT_TRUE(platform::SamePixelFormat(formats[0], platform::PixelFormatA8R8G8B8()));
    EXPECT_TRUE(platform::SamePixelFormat(formats[1], platform::PixelFormatA4R4G4B4()));
    EXPECT_TRUE(platform::SamePixelFormat(formats[2], platform::PixelFormatR5G6B5()));
    for (int n = 0; n < 5; ++n) EXPECT_EQ(formats[3 + n].dwFourCC, MAKEFOURCC('D', 'X', 'T', '1' + n));

    formats.clear();
    EXPECT_EQ(device_->EnumTextureFormats(TakeFirstFormat, &formats), D3D_OK);
    EXPECT_EQ(formats.size(), 1u);
}

}  // namespace
