// The renderer-neutral render system: the state cache and its tolerance, the default
// states, the per-frame pass and the video-mode check, over a fake device that records
// which Update operations were called.

#include "engine/render/RenderSystem.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/kernel/Config.h"
#include "engine/kernel/Window.h"
#include "engine/render/Texture2D.h"
#include "platform/WinPaths.h"
#include "tests/engine/render/DevicelessRenderSystem.h"
#include "tests/support/TempFolder.h"

namespace {

using Vantor::BlendFactor;
using Vantor::Color;
using Vantor::CullMode;
using Vantor::Matrix4;
using Vantor::RenderSystem;
using Vantor::TextureFilter;

class FakeWindow : public Vantor::Window {
public:
    FakeWindow() : Window(L"Test", 800, 600, false, true, {0, 0}) {}
    void SetCursor(int) override {}
    void Restore() override { ++restores; }
    void Suspend(bool suspended) { suspended_ = suspended; }

    int restores = 0;
};

class NoTexture : public Vantor::Texture2D {
public:
    NoTexture() : Texture2D("none", L"", L"", false, false) {}
    void ReleaseSurface() override {}
};

class FakeRenderSystem : public rendertest::DevicelessRenderSystem {
public:
    // A device of that many stages and that anisotropy, with one mode.
    void MakeDevice(std::uint32_t stages, std::uint32_t maxAnisotropy) {
        textureStageCount_ = stages;
        maxAnisotropy_ = maxAnisotropy;
        auto* adapter = new Vantor::AdapterInfo;
        auto* device = new Vantor::DeviceInfo;
        auto* mode = new Vantor::ModeInfo;
        mode->width = 800;
        mode->height = 600;
        mode->bitsPerPixel = 32;
        device->modes.push_back(mode);
        device->chosenMode = mode;
        adapter->devices.push_back(device);
        adapter->chosenDevice = device;
        adapters_.push_back(adapter);
        chosenAdapter_ = adapter;
        supportedTextureFormats_ = 8;
        ResizeStageStates();
        calls.clear();
    }
    void Lose(bool recoverPending) {
        ready_ = false;
        resetPending_ = true;
        recoverPending_ = recoverPending;
    }
    void SetForce(bool force) { force_ = force; }

    void ResetDevice(std::int32_t flags) override {
        calls.push_back("ResetDevice " + std::to_string(flags));
        if (resetSucceeds) RenderSystem::ResetDevice(flags);
    }

    void SetMaterial(const Color&, const Color&, const Color&, const Color&, float) override {
        calls.push_back("SetMaterial");
    }
    void UpdateProjectionMatrix() override { calls.push_back("UpdateProjectionMatrix"); }
    void UpdateViewMatrix() override { calls.push_back("UpdateViewMatrix"); }
    void UpdateWorldMatrix() override { calls.push_back("UpdateWorldMatrix"); }
    void UpdateAmbientColor() override { calls.push_back("UpdateAmbientColor"); }
    void UpdateAlphaBlend() override { calls.push_back("UpdateAlphaBlend"); }
    void UpdateBlend() override { calls.push_back("UpdateBlend"); }
    void UpdateTexture(std::int32_t stage) override { Stage("UpdateTexture", stage); }
    void UpdateMaxTextureAnisotropy(std::int32_t stage) override { Stage("UpdateMaxTextureAnisotropy", stage); }
    void UpdateTextureFilter(std::int32_t stage) override { Stage("UpdateTextureFilter", stage); }
    void UpdateTextureAdressU(std::int32_t stage) override { Stage("UpdateTextureAdressU", stage); }
    void UpdateTextureAdressV(std::int32_t stage) override { Stage("UpdateTextureAdressV", stage); }
    void UpdateTextureMatrix(std::int32_t stage) override { Stage("UpdateTextureMatrix", stage); }
    void UpdateCullMode() override { calls.push_back("UpdateCullMode"); }
    void UpdateLighting() override { calls.push_back("UpdateLighting"); }
    void UpdateNormalizeNormals() override { calls.push_back("UpdateNormalizeNormals"); }
    void UpdateZ() override { calls.push_back("UpdateZ"); }
    void UpdateZWrite() override { calls.push_back("UpdateZWrite"); }
    void UpdateStencil() override { calls.push_back("UpdateStencil"); }

    std::vector<std::string> calls;
    bool resetSucceeds = true;

private:
    void Stage(const char* name, std::int32_t stage) { calls.push_back(name + (" " + std::to_string(stage))); }
};

// A configuration, a window and a two-stage render system, registered for the test
// and the previous instances registered again afterwards.
class RenderSystemTest : public testing::Test {
protected:
    void SetUp() override {
        previousConfig_ = Vantor::Config::Instance();
        previousWindow_ = Vantor::Window::Instance();
        config_ = std::make_unique<Vantor::Config>(platform::ToWindowsPath(folder_.Path().string()), L"game", false, "800x600x32", false,
                                                   false);
        Vantor::Config::Instance(config_.get());
        Vantor::Window::Instance(&window_);
        renderSystem_ = std::make_unique<FakeRenderSystem>();
        renderSystem_->MakeDevice(2, 16);
    }
    void TearDown() override {
        Vantor::Config::Instance(previousConfig_);
        Vantor::Window::Instance(previousWindow_);
    }

    std::vector<std::string> TakeCalls() { return std::exchange(renderSystem_->calls, {}); }

    testsupport::TempFolder folder_;
    Vantor::Config* previousConfig_ = nullptr;
    Vantor::Window* previousWindow_ = nullptr;
    std::unique_ptr<Vantor::Config> config_;
    FakeWindow window_;
    std::unique_ptr<FakeRenderSystem> renderSystem_;
};

struct SetterCase {
    const char* call;
    std::function<void(RenderSystem&)> setDefault;
    std::function<void(RenderSystem&)> setOther;
};

TEST_F(RenderSystemTest, ASetterReachesTheDeviceOnlyOnAChangeOrWhileForced) {
    Matrix4 moved = Matrix4::Translation({1, 0, 0});
    NoTexture texture;
    const SetterCase cases[] = {
        {"UpdateWorldMatrix", [](RenderSystem& r) { r.SetWorldMatrix(Matrix4()); },
         [&](RenderSystem& r) { r.SetWorldMatrix(moved); }},
        {"UpdateViewMatrix", [](RenderSystem& r) { r.SetViewMatrix(Matrix4()); },
         [&](RenderSystem& r) { r.SetViewMatrix(moved); }},
        {"UpdateAmbientColor", [](RenderSystem& r) { r.SetAmbientColor({0, 0, 0, 1}); },
         [](RenderSystem& r) { r.SetAmbientColor({0, 0, 1, 1}); }},
        {"UpdateAlphaBlend", [](RenderSystem& r) { r.SetAlphaBlend(false); },
         [](RenderSystem& r) { r.SetAlphaBlend(true); }},
        {"UpdateBlend", [](RenderSystem& r) { r.SetBlend(BlendFactor::Zero, BlendFactor::Zero); },
         [](RenderSystem& r) { r.SetBlend(BlendFactor::Zero, BlendFactor::One); }},
        {"UpdateTexture 1", [](RenderSystem& r) { r.SetTexture(1, nullptr); },
         [&](RenderSystem& r) { r.SetTexture(1, &texture); }},
        {"UpdateMaxTextureAnisotropy 0", [](RenderSystem& r) { r.SetMaxTextureAnisotropy(0, 1); },
         [](RenderSystem& r) { r.SetMaxTextureAnisotropy(0, 8); }},
        {"UpdateTextureFilter 1", [](RenderSystem& r) { r.SetTextureFilter(1, TextureFilter::Linear); },
         [](RenderSystem& r) { r.SetTextureFilter(1, TextureFilter::Point); }},
        {"UpdateTextureAdressU 0", [](RenderSystem& r) { r.SetTextureAdressU(0, 1); },
         [](RenderSystem& r) { r.SetTextureAdressU(0, 0); }},
        {"UpdateTextureAdressV 1", [](RenderSystem& r) { r.SetTextureAdressV(1, 1); },
         [](RenderSystem& r) { r.SetTextureAdressV(1, 2); }},
        {"UpdateTextureMatrix 0", [](RenderSystem& r) { r.SetTextureMatrix(0, 1, 1, 0, 0); },
         [](RenderSystem& r) { r.SetTextureMatrix(0, 1, 1, 0.5f, 0); }},
        {"UpdateCullMode", [](RenderSystem& r) { r.SetCullMode(CullMode::None); },
         [](RenderSystem& r) { r.SetCullMode(CullMode::CounterClockwise); }},
        {"UpdateLighting", [](RenderSystem& r) { r.SetLighting(false); }, [](RenderSystem& r) { r.SetLighting(true); }},
        {"UpdateNormalizeNormals", [](RenderSystem& r) { r.SetNormalizeNormals(false); },
         [](RenderSystem& r) { r.SetNormalizeNormals(true); }},
        {"UpdateZ", [](RenderSystem& r) { r.SetZ(false); }, [](RenderSystem& r) { r.SetZ(true); }},
        {"UpdateZWrite", [](RenderSystem& r) { r.SetZWrite(true); }, [](RenderSystem& r) { r.SetZWrite(false); }},
        {"UpdateStencil", [](RenderSystem& r) { r.SetStencil(false); }, [](RenderSystem& r) { r.SetStencil(true); }},
    };
    for (const SetterCase& c : cases) {
        SCOPED_TRACE(c.call);
        c.setDefault(*renderSystem_);
        EXPECT_TRUE(TakeCalls().empty());
        c.setOther(*renderSystem_);
        c.setOther(*renderSystem_);
        EXPECT_EQ(TakeCalls(), std::vector<std::string>{c.call});
        renderSystem_->SetForce(true);
        c.setOther(*renderSystem_);
        renderSystem_->SetForce(false);
        EXPECT_EQ(TakeCalls(), std::vector<std::string>{c.call});
        c.setDefault(*renderSystem_);
        TakeCalls();
    }
}

TEST_F(RenderSystemTest, MatricesToleranceIsInclusiveAndColoursIsStrict) {
    auto worldWith = [](float value) {
        Matrix4 matrix;
        matrix.m[7] = value;
        return matrix;
    };
    renderSystem_->SetWorldMatrix(worldWith(0.00005f));
    renderSystem_->SetWorldMatrix(worldWith(0.0001f));
    renderSystem_->SetTextureMatrix(0, 1, 1, 0.0001f, 0);
    EXPECT_TRUE(TakeCalls().empty());
    renderSystem_->SetWorldMatrix(worldWith(0.0002f));
    renderSystem_->SetTextureMatrix(0, 1, 1, 0.0002f, 0);
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"UpdateWorldMatrix", "UpdateTextureMatrix 0"}));
    EXPECT_EQ(renderSystem_->GetWorldMatrix().m[7], 0.0002f);

    renderSystem_->SetAmbientColor({0.00005f, 0, 0, 1});
    EXPECT_TRUE(TakeCalls().empty());
    renderSystem_->SetAmbientColor({0.0001f, 0, 0, 1});
    EXPECT_EQ(TakeCalls(), std::vector<std::string>{"UpdateAmbientColor"});
}

TEST_F(RenderSystemTest, TheDefaultsReachEveryStageOnceEvenWhenCached) {
    renderSystem_->SetZ(true);
    renderSystem_->SetTextureFilter(1, TextureFilter::MipMapped);
    TakeCalls();
    std::vector<std::string> expected = {"SetMaterial", "UpdateViewMatrix", "UpdateWorldMatrix", "UpdateAmbientColor",
                                         "UpdateAlphaBlend", "UpdateBlend"};
    for (const char* stage : {" 0", " 1"}) {
        for (const char* name : {"UpdateTexture", "UpdateMaxTextureAnisotropy", "UpdateTextureFilter",
                                 "UpdateTextureAdressU", "UpdateTextureAdressV", "UpdateTextureMatrix"})
            expected.push_back(std::string(name) + stage);
    }
    for (const char* name :
         {"UpdateCullMode", "UpdateLighting", "UpdateNormalizeNormals", "UpdateZ", "UpdateZWrite", "UpdateStencil"})
        expected.push_back(name);

    for (int pass = 0; pass < 2; ++pass) {
        renderSystem_->ResizeStageStates();
        EXPECT_EQ(TakeCalls(), expected);
    }
    EXPECT_TRUE(renderSystem_->IsReady());
    EXPECT_FALSE(renderSystem_->GetZ());
    EXPECT_TRUE(renderSystem_->GetZWrite());
    EXPECT_EQ(renderSystem_->GetTextureFilter(1), TextureFilter::Linear);
    EXPECT_EQ(renderSystem_->GetTextureAdressV(1), 1);
    EXPECT_EQ(renderSystem_->GetMaxTextureAnisotropy(0), 1);
    EXPECT_EQ(renderSystem_->GetTextureMatrix(1), (RenderSystem::TextureMatrix{1, 1, 0, 0}));
    EXPECT_EQ(renderSystem_->GetSourceBlend(), BlendFactor::Zero);
    renderSystem_->SetTextureFilter(0, TextureFilter::Linear);
    EXPECT_TRUE(TakeCalls().empty());
}

struct AnisotropyCase {
    std::int32_t configured;
    std::uint32_t deviceMaximum;
    std::int32_t result;
};

TEST_F(RenderSystemTest, TheFrameUpdateFitsTheAnisotropyToTheDevice) {
    const AnisotropyCase cases[] = {{16, 4, 4}, {3, 16, 3}, {0, 4, 1}, {-3, 4, 1}, {16, 0, 1}};
    for (const AnisotropyCase& c : cases) {
        FakeRenderSystem renderSystem;
        renderSystem.MakeDevice(2, c.deviceMaximum);
        config_->values.textureAnisotropy = c.configured;
        renderSystem.Update();
        EXPECT_EQ(config_->values.textureAnisotropy, c.result) << c.configured << " on " << c.deviceMaximum;
        EXPECT_EQ(renderSystem.GetMaxTextureAnisotropy(1), c.result);
    }
}

TEST_F(RenderSystemTest, TheFrameUpdateRecoversALostDeviceWhenAllowed) {
    config_->values.textureAnisotropy = 1;
    renderSystem_->Lose(true);
    renderSystem_->Update();
    EXPECT_EQ(TakeCalls(), std::vector<std::string>{"ResetDevice 1"});
    EXPECT_EQ(window_.restores, 2);
    EXPECT_TRUE(renderSystem_->IsReady());
    EXPECT_FALSE(renderSystem_->IsResetPending());

    // A failed reset restores the window once and leaves the device lost.
    renderSystem_->Lose(true);
    renderSystem_->resetSucceeds = false;
    window_.restores = 0;
    renderSystem_->Update();
    EXPECT_EQ(TakeCalls(), std::vector<std::string>{"ResetDevice 1"});
    EXPECT_EQ(window_.restores, 1);

    window_.restores = 0;
    window_.Suspend(true);
    renderSystem_->Update();
    window_.Suspend(false);
    renderSystem_->Lose(false);  // lost while minimised: the framework resets later
    renderSystem_->Update();
    EXPECT_TRUE(TakeCalls().empty());
    EXPECT_EQ(window_.restores, 0);
}

TEST_F(RenderSystemTest, CheckVideoModeComparesTheChosenModeWithTheConfiguration) {
    renderSystem_->CheckVideoMode();
    EXPECT_FALSE(renderSystem_->IsResetPending());

    config_->values.fullscreen = true;
    renderSystem_->CheckVideoMode();
    EXPECT_TRUE(renderSystem_->IsResetPending());

    config_->values.fullscreen = false;
    renderSystem_->ResetDevice(RenderSystem::kResetDevice);
    config_->values.mode = "800x600x16";
    renderSystem_->CheckVideoMode();
    EXPECT_TRUE(renderSystem_->IsResetPending());

    // Without device records (a failed reset freed them) the choice must run again.
    renderSystem_->ResetDevice(RenderSystem::kResetDevice);
    config_->values.mode = "800x600x32";
    renderSystem_->FreeDeviceLists();
    EXPECT_EQ(renderSystem_->GetChosenMode(), nullptr);
    EXPECT_EQ(renderSystem_->GetSupportedTextureFormats(), 0u);
    renderSystem_->CheckVideoMode();
    EXPECT_TRUE(renderSystem_->IsResetPending());
}

}  // namespace
