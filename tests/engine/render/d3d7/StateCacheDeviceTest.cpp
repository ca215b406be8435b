// The cached render states as the device receives them: defaults after creation, only
// real changes afterwards, and the device's values for each state.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/kernel/Matrix4.h"
#include "tests/engine/render/d3d7/D3D7TestSupport.h"

namespace {

using Vantor::BlendFactor;
using Vantor::CullMode;
using Vantor::RenderSystem;
using Vantor::TextureFilter;

class StateCacheDeviceTest : public d3d7test::RenderSystemTest {
protected:
    // How many state calls each target received: render states by code, stage states by
    // stage and code, transforms by state, textures by stage, and the material.
    std::map<std::string, int> CallCounts() const {
        std::map<std::string, int> counts;
        for (const platform::seam::DeviceCall& call : StateCalls()) {
            std::string key = call.name;
            for (DWORD arg : call.args) key += " " + std::to_string(arg);
            if (call.name == "IDirect3DDevice7::SetRenderState") key = call.name + " " + std::to_string(call.args[0]);
            if (call.name == "IDirect3DDevice7::SetTextureStageState")
                key = call.name + " " + std::to_string(call.args[0]) + " " + std::to_string(call.args[1]);
            ++counts[key];
        }
        return counts;
    }

    // Sets one state of every kind, as scene code does before a draw.
    static void SetFrameStates(RenderSystem& renderSystem, float x) {
        renderSystem.SetWorldMatrix(Vantor::Matrix4::Translation({x, 2, 3}));
        renderSystem.SetViewMatrix(Vantor::Matrix4::Translation({0, 0, -10}));
        renderSystem.SetAmbientColor({0.5f, 0.5f, 0.5f, 1});
        renderSystem.SetAlphaBlend(true);
        renderSystem.SetBlend(BlendFactor::SrcAlpha, BlendFactor::InvSrcAlpha);
        renderSystem.SetTexture(0, nullptr);
        renderSystem.SetMaxTextureAnisotropy(0, 1);
        renderSystem.SetTextureFilter(0, TextureFilter::MipMapped);
        renderSystem.SetTextureAdressU(0, 0);
        renderSystem.SetTextureAdressV(1, 0);
        renderSystem.SetTextureMatrix(0, 2, 2, 0.5f, 0);
        renderSystem.SetCullMode(CullMode::Clockwise);
        renderSystem.SetLighting(true);
        renderSystem.SetNormalizeNormals(true);
        renderSystem.SetZ(true);
        renderSystem.SetZWrite(false);
        renderSystem.SetStencil(true);
    }
};

TEST_F(StateCacheDeviceTest, CreationSendsEveryDefaultOnce) {
    Make(true);
    std::map<std::string, int> counts = CallCounts();
    for (const auto& [target, count] : counts) EXPECT_EQ(count, 1) << target;
    EXPECT_EQ(counts.count("IDirect3DDevice7::SetMaterial"), 1u);
    EXPECT_EQ(counts.count("IDirect3DDevice7::SetTransform 1"), 1u);   // world
    EXPECT_EQ(counts.count("IDirect3DDevice7::SetTransform 17"), 1u);  // stage 1's texture matrix
    EXPECT_EQ(counts.count("IDirect3DDevice7::SetTexture 1"), 1u);
    EXPECT_EQ(counts.count("IDirect3DDevice7::SetTextureStageState 1 21"), 1u);  // anisotropy
    EXPECT_EQ(counts.count("IDirect3DDevice7::SetRenderState 52"), 1u);          // stencil test
    EXPECT_EQ(counts.count("IDirect3DDevice7::SetRenderState 56"), 1u);          // stencil function
    EXPECT_EQ(counts.count("IDirect3DDevice7::SetTransform 3"), 0u);             // no projection
    EXPECT_FALSE(renderSystem_->GetZ());
    EXPECT_TRUE(renderSystem_->GetZWrite());
    EXPECT_EQ(renderSystem_->GetTextureFilter(1), TextureFilter::Linear);
}

TEST_F(StateCacheDeviceTest, AFrameOfUnchangedStatesSendsNothing) {
    Vantor::RenderSystem_D3D7& renderSystem = Make();
    Values().textureAnisotropy = 1;
    platform::seam::ClearDeviceCalls();
    SetFrameStates(renderSystem, 1);
    std::map<std::string, int> counts = CallCounts();
    EXPECT_FALSE(counts.empty());
    for (const auto& [target, count] : counts) EXPECT_LE(count, 1) << target;

    platform::seam::ClearDeviceCalls();
    renderSystem.Update();
    SetFrameStates(renderSystem, 1);
    SetFrameStates(renderSystem, 1.00005f);
    EXPECT_TRUE(StateCalls().empty());

    SetFrameStates(renderSystem, 1.0002f);
    EXPECT_EQ(CallCounts(), (std::map<std::string, int>{{"IDirect3DDevice7::SetTransform 1", 1}}));
}

TEST_F(StateCacheDeviceTest, TheFrameUpdateFitsTheAnisotropyToTheDevice) {
    platform::GraphicsCaps caps = d3d7test::DefaultCaps();
    d3d7test::TheDevice(caps).maxAnisotropy = 4;
    platform::seam::SetGraphicsCaps(caps);
    Vantor::RenderSystem_D3D7& renderSystem = Make();
    Values().textureAnisotropy = 16;
    platform::seam::ClearDeviceCalls();
    renderSystem.Update();
    EXPECT_EQ(Values().textureAnisotropy, 4);
    std::vector<platform::seam::DeviceCall> calls = StateCalls();
    ASSERT_EQ(calls.size(), 2u);
    for (DWORD stage : {0u, 1u}) {
        EXPECT_EQ(calls[stage].args, (std::vector<DWORD>{stage, D3DTSS_MAXANISOTROPY, 4}));
    }
}

struct DeviceValueCase {
    const char* name;
    void (*set)(RenderSystem&);
    std::vector<std::vector<DWORD>> args;  // of the state calls, in order
};

TEST_F(StateCacheDeviceTest, EachStateReachesTheDeviceAsItsDeviceValue) {
    const DeviceValueCase cases[] = {
        {"blend", [](RenderSystem& r) { r.SetBlend(BlendFactor::DestColour, static_cast<BlendFactor>(11)); },
         {{D3DRENDERSTATE_SRCBLEND, D3DBLEND_DESTCOLOR}, {D3DRENDERSTATE_DESTBLEND, D3DBLEND_ZERO}}},
        {"cull clockwise", [](RenderSystem& r) { r.SetCullMode(CullMode::Clockwise); },
         {{D3DRENDERSTATE_CULLMODE, D3DCULL_CW}}},
        {"cull other", [](RenderSystem& r) { r.SetCullMode(static_cast<CullMode>(7)); },
         {{D3DRENDERSTATE_CULLMODE, D3DCULL_NONE}}},
        {"clamp", [](RenderSystem& r) { r.SetTextureAdressU(1, 0); }, {{1, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP}}},
        {"wrap", [](RenderSystem& r) { r.SetTextureAdressV(0, 5); }, {{0, D3DTSS_ADDRESSV, D3DTADDRESS_WRAP}}},
        {"point filter", [](RenderSystem& r) { r.SetTextureFilter(0, TextureFilter::Point); },
         {{0, D3DTSS_MAGFILTER, D3DTFG_POINT}, {0, D3DTSS_MINFILTER, D3DTFN_POINT}, {0, D3DTSS_MIPFILTER, D3DTFP_NONE}}},
        {"mip-mapped without anisotropy", [](RenderSystem& r) { r.SetTextureFilter(0, TextureFilter::MipMapped); },
         {{0, D3DTSS_MAGFILTER, D3DTFG_LINEAR},
          {0, D3DTSS_MINFILTER, D3DTFN_LINEAR},
          {0, D3DTSS_MIPFILTER, D3DTFP_LINEAR}}},
        {"ambient", [](RenderSystem& r) { r.SetAmbientColor({1, 0.5f, 0, 1}); },
         {{D3DRENDERSTATE_AMBIENT, 0xFFFF7F00}}},
        {"z", [](RenderSystem& r) { r.SetZ(true); }, {{D3DRENDERSTATE_ZENABLE, 1}}},
    };
    Vantor::RenderSystem_D3D7& renderSystem = Make();
    for (const DeviceValueCase& c : cases) {
        SCOPED_TRACE(c.name);
        platform::seam::ClearDeviceCalls();
        c.set(renderSystem);
        std::vector<std::vector<DWORD>> args;
        for (const platform::seam::DeviceCall& call : StateCalls()) args.push_back(call.args);
        EXPECT_EQ(args, c.args);
    }
}

TEST_F(StateCacheDeviceTest, MatricesReachTheDeviceInItsRowVectorLayout) {
    Vantor::RenderSystem_D3D7& renderSystem = Make();
    platform::seam::ClearDeviceCalls();
    renderSystem.SetWorldMatrix(Vantor::Matrix4::Translation({1, 2, 3}));
    Vantor::Matrix4 view;
    view.m[2] = 0.5f;
    view.m[14] = -10;
    renderSystem.SetViewMatrix(view);
    renderSystem.SetTextureMatrix(1, 2, 3, 0.25f, 0.75f);
    std::vector<platform::seam::DeviceCall> calls = Calls("IDirect3DDevice7::SetTransform");
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].args[0], DWORD{D3DTRANSFORMSTATE_WORLD});
    EXPECT_EQ(calls[0].matrix._41, 1);
    EXPECT_EQ(calls[0].matrix._42, 2);
    EXPECT_EQ(calls[0].matrix._43, 3);
    EXPECT_EQ(calls[0].matrix._14, 0);
    EXPECT_EQ(calls[1].args[0], DWORD{D3DTRANSFORMSTATE_VIEW});
    EXPECT_EQ(calls[1].matrix._13, -0.5f);
    EXPECT_EQ(calls[1].matrix._33, -1);
    EXPECT_EQ(calls[1].matrix._43, 10);
    EXPECT_EQ(calls[2].args[0], DWORD{D3DTRANSFORMSTATE_TEXTURE1});
    const D3DMATRIX& texture = calls[2].matrix;
    EXPECT_EQ((std::vector<float>{texture._11, texture._22, texture._31, texture._32, texture._33, texture._44,
                                  texture._12, texture._41}),
              (std::vector<float>{2, 3, 0.25f, 0.75f, 1, 1, 0, 0}));
}

}  // namespace
