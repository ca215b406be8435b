#include "tests/engine/render/d3d7/D3D7TestSupport.h"

#include "engine/kernel/FatalError.h"
#include "engine/render/d3d7/ModeInfo_D3D7.h"
#include "platform/WinDisplay.h"

namespace d3d7test {

void RenderSystemTest::TearDown() {
    renderSystem_.reset();
    window_.reset();
    platform::seam::ResetGraphicsCaps();
    platform::seam::ResetDisplayModes();
    platform::seam::ClearDeviceCalls();
    KernelManagersTest::TearDown();
}

void RenderSystemTest::MakeConfig(const std::string& defaultMode) {
    config_ = std::make_unique<Vantor::Config>(home_.root, L"game", false, defaultMode, false, false);
    Vantor::Config::Instance(config_.get());
}

Vantor::Window_WinOS& RenderSystemTest::Window() {
    if (!window_) {
        std::uint32_t width = 0, height = 0;
        Vantor::ParseDisplayMode(config_->values.mode, &width, &height, nullptr);
        window_ = std::make_unique<Vantor::Window_WinOS>(L"Test", nullptr, 0, width, height,
                                                         config_->values.fullscreen, true, Vantor::Vector2i{0, 0}, 0);
        Vantor::Window::Instance(window_.get());
    }
    return *window_;
}

Vantor::RenderSystem_D3D7& RenderSystemTest::Make(bool stencilBufferWanted, bool exactVideoMode) {
    Window();
    renderSystem_.reset();
    renderSystem_ = std::make_unique<Vantor::RenderSystem_D3D7>(stencilBufferWanted, exactVideoMode);
    Vantor::RenderSystem::Instance(renderSystem_.get());
    return *renderSystem_;
}

std::string RenderSystemTest::ChosenMode() const {
    const Vantor::ModeInfo* mode = renderSystem_->GetChosenMode();
    if (!mode) return "none";
    return std::to_string(mode->width) + "x" + std::to_string(mode->height) + "x" +
           std::to_string(mode->bitsPerPixel);
}

std::vector<platform::seam::DeviceCall> RenderSystemTest::Calls(const std::string& name) const {
    std::vector<platform::seam::DeviceCall> calls;
    for (const platform::seam::DeviceCall& call : platform::seam::DeviceCalls())
        if (call.name == name) calls.push_back(call);
    return calls;
}

std::vector<platform::seam::DeviceCall> RenderSystemTest::StateCalls() const {
    std::vector<platform::seam::DeviceCall> calls;
    for (const platform::seam::DeviceCall& call : platform::seam::DeviceCalls()) {
        for (const char* name : {"IDirect3DDevice7::SetRenderState", "IDirect3DDevice7::SetTextureStageState",
                                 "IDirect3DDevice7::SetTransform", "IDirect3DDevice7::SetTexture",
                                 "IDirect3DDevice7::SetMaterial"}) {
            if (call.name == name) calls.push_back(call);
        }
    }
    return calls;
}

void ModelManagersTest::TearDown() {
    DestroyModelManagers();
    RenderSystemTest::TearDown();
}

void ModelManagersTest::MakeModelManagers() {
    cameras_ = std::make_unique<Vantor::CameraManager>();
    Vantor::CameraManager::Instance(cameras_.get());
    lights_ = std::make_unique<Vantor::LightManager>();
    Vantor::LightManager::Instance(lights_.get());
    shaders_ = std::make_unique<Vantor::ShaderManager>();
    Vantor::ShaderManager::Instance(shaders_.get());
    models_ = std::make_unique<Vantor::ModelManager>();
    Vantor::ModelManager::Instance(models_.get());
}

void ModelManagersTest::DestroyModelManagers() {
    models_.reset();
    shaders_.reset();
    lights_.reset();
    cameras_.reset();
}

platform::GraphicsCaps DefaultCaps() { return platform::seam::DefaultGraphicsCaps(); }

platform::Direct3DDeviceCaps& TheDevice(platform::GraphicsCaps& caps) { return caps.drivers.front().devices.front(); }

}  // namespace d3d7test
