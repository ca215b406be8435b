#pragma once
// A render system without a device, for tests of the renderer-neutral parts: it makes
// no cameras, lights, buffers or textures (it returns null), captures nothing, and takes
// every material and state without passing them anywhere. Tests derive from it to
// record or make what they look at.

#include <cstdint>
#include <string>

#include "engine/render/RenderSystem.h"

namespace rendertest {

class DevicelessRenderSystem : public Vantor::RenderSystem {
public:
    DevicelessRenderSystem() : RenderSystem(false, false) {}

    Vantor::Camera* CreateCamera(std::int32_t) override { return nullptr; }
    Vantor::Light* CreateLight(std::int32_t) override { return nullptr; }
    void CaptureScreen(Vantor::Image&) override {}
    Vantor::VertexBuffer* CreateVertexBuffer(std::int32_t, std::int32_t, std::uint32_t) override { return nullptr; }
    Vantor::VertexBuffer* CreateVertexBufferConverted(std::int32_t, std::int32_t,
                                                      const Vantor::VertexBuffer&) override {
        return nullptr;
    }
    Vantor::VertexBuffer* CopyVertexBuffer(const Vantor::VertexBuffer&) override { return nullptr; }
    Vantor::IndexBuffer* CreateIndexBuffer(std::int32_t, std::uint32_t) override { return nullptr; }
    Vantor::IndexBuffer* CreateIndexBufferConverted(std::int32_t, const Vantor::IndexBuffer&) override {
        return nullptr;
    }
    Vantor::IndexBuffer* CopyIndexBuffer(const Vantor::IndexBuffer&) override { return nullptr; }
    Vantor::Texture2D* CreateTextureFromImages(const std::string&, Vantor::Image*, Vantor::Image*, bool,
                                               bool) override {
        return nullptr;
    }
    Vantor::Texture2D* CreateTextureFromFiles(const std::string&, const std::wstring&, const std::wstring&, bool,
                                              bool) override {
        return nullptr;
    }

    void SetMaterial(const Vantor::Color&, const Vantor::Color&, const Vantor::Color&, const Vantor::Color&,
                     float) override {}
    void UpdateProjectionMatrix() override {}
    void UpdateViewMatrix() override {}
    void UpdateWorldMatrix() override {}
    void UpdateAmbientColor() override {}
    void UpdateAlphaBlend() override {}
    void UpdateBlend() override {}
    void UpdateTexture(std::int32_t) override {}
    void UpdateMaxTextureAnisotropy(std::int32_t) override {}
    void UpdateTextureFilter(std::int32_t) override {}
    void UpdateTextureAdressU(std::int32_t) override {}
    void UpdateTextureAdressV(std::int32_t) override {}
    void UpdateTextureMatrix(std::int32_t) override {}
    void UpdateCullMode() override {}
    void UpdateLighting() override {}
    void UpdateNormalizeNormals() override {}
    void UpdateZ() override {}
    void UpdateZWrite() override {}
    void UpdateStencil() override {}
};

}  // namespace rendertest
