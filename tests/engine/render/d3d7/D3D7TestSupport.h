#pragma once
// What the Direct3D 7 render system works with in tests: the kernel managers in a
// private home, and the engine's window on the headless backend, registered as the
// engine does. Tests set the desktop and the graphics capabilities first, then make the
// render system. Every seam the tests touch is reset afterwards.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/Window_WinOS.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/d3d7/RenderSystem_D3D7.h"
#include "platform/DirectDrawCaps.h"
#include "platform/DirectDrawSeams.h"
#include "tests/engine/kernel/EngineTestSupport.h"

namespace d3d7test {

class RenderSystemTest : public enginetest::KernelManagersTest {
protected:
    void TearDown() override;

    // Replaces the configuration with one whose "v_mode" defaults to the text (and
    // holds it).
    void MakeConfig(const std::string& defaultMode);
    // The window, made once, at the configured mode's size.
    Vantor::Window_WinOS& Window();
    // The render system over the window, registered as the instance.
    Vantor::RenderSystem_D3D7& Make(bool stencilBufferWanted = false, bool exactVideoMode = false);

    Vantor::ConfigValues& Values() { return config_->values; }
    // The chosen mode as "WIDTHxHEIGHTxBITS".
    std::string ChosenMode() const;

    // Device calls of that name since the last clear.
    std::vector<platform::seam::DeviceCall> Calls(const std::string& name) const;
    // Device and presentation calls that set a state (render, texture-stage, transform,
    // texture, material), in order.
    std::vector<platform::seam::DeviceCall> StateCalls() const;

    std::unique_ptr<Vantor::Window_WinOS> window_;
    std::unique_ptr<Vantor::RenderSystem_D3D7> renderSystem_;
};

// The render system's fixture with the managers a model is drawn with (cameras, lights,
// shaders, models), made over the render system in the engine's order and registered
// as the engine registers them.
class ModelManagersTest : public RenderSystemTest {
protected:
    void TearDown() override;

    // Make the render system first.
    void MakeModelManagers();
    // In the reverse order; a derived fixture deletes what it made over them first.
    void DestroyModelManagers();

    std::unique_ptr<Vantor::CameraManager> cameras_;
    std::unique_ptr<Vantor::LightManager> lights_;
    std::unique_ptr<Vantor::ShaderManager> shaders_;
    std::unique_ptr<Vantor::ModelManager> models_;
};

// The default capabilities with their one device.
platform::GraphicsCaps DefaultCaps();
platform::Direct3DDeviceCaps& TheDevice(platform::GraphicsCaps& caps);

}  // namespace d3d7test
