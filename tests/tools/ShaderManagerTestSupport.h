#pragma once
// A test of a part that works with materials: the kernel managers in a private home, a
// render system without a device whose textures have no surface, and the shader
// manager, made in the engine's order and registered as the engine registers them.

#include <memory>
#include <string>

#include "engine/render/ShaderManager.h"
#include "engine/render/Texture2D.h"
#include "tests/engine/kernel/EngineTestSupport.h"
#include "tests/engine/render/DevicelessRenderSystem.h"

namespace toolstest {

// A texture that never gets a device surface.
class SurfacelessTexture : public Vantor::Texture2D {
public:
    using Texture2D::Texture2D;
    void ReleaseSurface() override { videoBytes = 0; }
};

class SurfacelessRenderSystem : public rendertest::DevicelessRenderSystem {
public:
    Vantor::Texture2D* CreateTextureFromFiles(const std::string& key, const std::wstring& colour,
                                              const std::wstring& opacity, bool mipMaps, bool lazy) override {
        return new SurfacelessTexture(key, colour, opacity, mipMaps, lazy);
    }
};

class ShaderManagerTest : public enginetest::KernelManagersTest {
protected:
    void SetUp() override {
        KernelManagersTest::SetUp();
        renderSystem_ = std::make_unique<SurfacelessRenderSystem>();
        Vantor::RenderSystem::Instance(renderSystem_.get());
        shaders_ = std::make_unique<Vantor::ShaderManager>();
        Vantor::ShaderManager::Instance(shaders_.get());
    }
    // A derived fixture deletes what it made over the shader manager first.
    void TearDown() override {
        shaders_.reset();
        renderSystem_.reset();
        KernelManagersTest::TearDown();
    }

    std::unique_ptr<SurfacelessRenderSystem> renderSystem_;
    std::unique_ptr<Vantor::ShaderManager> shaders_;
};

}  // namespace toolstest
