#include "engine/render/RenderSystem.h"

#include <algorithm>
#include <cmath>

#include "engine/kernel/Config.h"
#include "engine/kernel/MathHelpers.h"
#include "engine/kernel/Window.h"

namespace Vantor {

namespace {

// Colours count as changed when a component moves by the tolerance or more.
bool SameColour(const Color& a, const Color& b) {
    return IsNearlyEqual(a.x, b.x) && IsNearlyEqual(a.y, b.y) && IsNearlyEqual(a.z, b.z) && IsNearlyEqual(a.w, b.w);
}

// Texture-matrix values, like matrices, count as unchanged within the tolerance inclusive.
bool SameTextureMatrix(const RenderSystem::TextureMatrix& a, const RenderSystem::TextureMatrix& b) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::fabs(a[i] - b[i]) > kFloatTolerance) return false;
    }
    return true;
}

}  // namespace

RenderSystem::RenderSystem(bool stencilBufferWanted, bool exactVideoMode)
    : configValues_(&Config::Instance()->values),
      stencilBufferWanted_(stencilBufferWanted),
      exactVideoMode_(exactVideoMode) {}

RenderSystem::~RenderSystem() { FreeDeviceLists(); }

void RenderSystem::Update() {
    std::int64_t anisotropy = std::min<std::int64_t>(configValues_->textureAnisotropy, maxAnisotropy_);
    configValues_->textureAnisotropy = static_cast<std::int32_t>(std::max<std::int64_t>(anisotropy, 1));
    for (std::uint32_t stage = 0; stage < textureStageCount_; ++stage)
        SetMaxTextureAnisotropy(static_cast<std::int32_t>(stage), configValues_->textureAnisotropy);

    if (ready_ || !recoverPending_) return;
    Window* window = Window::Instance();
    if (!window->IsSuspended()) {
        window->Restore();
        if (resetPending_) ResetDevice(kResetDevice);
        if (ready_) window->Restore();
    }
}

void RenderSystem::CheckVideoMode() {
    std::uint32_t width = 0, height = 0, bits = 0;
    ParseDisplayMode(configValues_->mode, &width, &height, &bits);
    DeviceInfo* device = GetChosenDevice();
    ModeInfo* mode = GetChosenMode();
    // Without a chosen mode (a failed reset freed the records) the choice must run again.
    if (device && mode && device->fullscreen == configValues_->fullscreen && mode->width == width &&
        mode->height == height && mode->bitsPerPixel == bits)
        return;
    resetPending_ = true;
}

void RenderSystem::ResetDevice(std::int32_t flags) {
    if (flags & kResetDevice) {
        resetPending_ = false;
        ready_ = true;
    }
    if (flags & kTexturesRecreated) texturesLost_ = false;
}

void RenderSystem::ResizeStageStates() {
    stageTextures_.resize(textureStageCount_, nullptr);
    stageAnisotropy_.resize(textureStageCount_, 0);
    stageFilters_.resize(textureStageCount_, TextureFilter::Point);
    stageAddressU_.resize(textureStageCount_, 0);
    stageAddressV_.resize(textureStageCount_, 0);
    stageTextureMatrices_.resize(textureStageCount_, TextureMatrix{1.0f, 1.0f, 0.0f, 0.0f});
    ready_ = true;
    SetDefaultStates();
}

void RenderSystem::SetDefaultStates() {
    SetMaterial(Color(0.6f, 0.6f, 0.6f, 1.0f), Color(1.0f, 1.0f, 1.0f, 1.0f), Color(0.0f, 0.0f, 0.0f, 0.0f),
                Color(0.0f, 0.0f, 0.0f, 1.0f), 0.0f);
    force_ = true;
    SetViewMatrix(Matrix4::Identity());
    SetWorldMatrix(Matrix4::Identity());
    SetAmbientColor(Color(0.0f, 0.0f, 0.0f, 1.0f));
    SetAlphaBlend(false);
    SetBlend(BlendFactor::Zero, BlendFactor::Zero);
    for (std::uint32_t i = 0; i < textureStageCount_; ++i) {
        auto stage = static_cast<std::int32_t>(i);
        SetTexture(stage, nullptr);
        SetMaxTextureAnisotropy(stage, 1);
        SetTextureFilter(stage, TextureFilter::Linear);
        SetTextureAdressU(stage, 1);
        SetTextureAdressV(stage, 1);
        SetTextureMatrix(stage, 1.0f, 1.0f, 0.0f, 0.0f);
    }
    SetCullMode(CullMode::None);
    SetLighting(false);
    SetNormalizeNormals(false);
    SetZ(false);
    SetZWrite(true);
    SetStencil(false);
    force_ = false;
}

void RenderSystem::SetWorldMatrix(const Matrix4& matrix) {
    if (!force_ && matrix == world_) return;
    world_ = matrix;
    UpdateWorldMatrix();
}

void RenderSystem::SetViewMatrix(const Matrix4& matrix) {
    if (!force_ && matrix == view_) return;
    view_ = matrix;
    UpdateViewMatrix();
}

void RenderSystem::SetAmbientColor(const Color& colour) {
    if (!force_ && SameColour(colour, ambient_)) return;
    ambient_ = colour;
    UpdateAmbientColor();
}

void RenderSystem::SetAlphaBlend(bool enabled) {
    if (!force_ && enabled == alphaBlend_) return;
    alphaBlend_ = enabled;
    UpdateAlphaBlend();
}

void RenderSystem::SetBlend(BlendFactor source, BlendFactor destination) {
    if (!force_ && source == sourceBlend_ && destination == destinationBlend_) return;
    sourceBlend_ = source;
    destinationBlend_ = destination;
    UpdateBlend();
}

void RenderSystem::SetTexture(std::int32_t stage, Texture2D* texture) {
    if (!force_ && texture == stageTextures_[stage]) return;
    stageTextures_[stage] = texture;
    UpdateTexture(stage);
}

void RenderSystem::SetMaxTextureAnisotropy(std::int32_t stage, std::int32_t anisotropy) {
    if (!force_ && anisotropy == stageAnisotropy_[stage]) return;
    stageAnisotropy_[stage] = anisotropy;
    UpdateMaxTextureAnisotropy(stage);
}

void RenderSystem::SetTextureFilter(std::int32_t stage, TextureFilter filter) {
    if (!force_ && filter == stageFilters_[stage]) return;
    stageFilters_[stage] = filter;
    UpdateTextureFilter(stage);
}

void RenderSystem::SetTextureAdressU(std::int32_t stage, std::int32_t address) {
    if (!force_ && address == stageAddressU_[stage]) return;
    stageAddressU_[stage] = address;
    UpdateTextureAdressU(stage);
}

void RenderSystem::SetTextureAdressV(std::int32_t stage, std::int32_t address) {
    if (!force_ && address == stageAddressV_[stage]) return;
    stageAddressV_[stage] = address;
    UpdateTextureAdressV(stage);
}

void RenderSystem::SetTextureMatrix(std::int32_t stage, float scaleU, float scaleV, float offsetU, float offsetV) {
    TextureMatrix matrix{scaleU, scaleV, offsetU, offsetV};
    if (!force_ && SameTextureMatrix(matrix, stageTextureMatrices_[stage])) return;
    stageTextureMatrices_[stage] = matrix;
    UpdateTextureMatrix(stage);
}

void RenderSystem::SetCullMode(CullMode mode) {
    if (!force_ && mode == cullMode_) return;
    cullMode_ = mode;
    UpdateCullMode();
}

void RenderSystem::SetLighting(bool enabled) {
    if (!force_ && enabled == lighting_) return;
    lighting_ = enabled;
    UpdateLighting();
}

void RenderSystem::SetNormalizeNormals(bool enabled) {
    if (!force_ && enabled == normalizeNormals_) return;
    normalizeNormals_ = enabled;
    UpdateNormalizeNormals();
}

void RenderSystem::SetZ(bool enabled) {
    if (!force_ && enabled == zTest_) return;
    zTest_ = enabled;
    UpdateZ();
}

void RenderSystem::SetZWrite(bool enabled) {
    if (!force_ && enabled == zWrite_) return;
    zWrite_ = enabled;
    UpdateZWrite();
}

void RenderSystem::SetStencil(bool enabled) {
    if (!force_ && enabled == stencilTest_) return;
    stencilTest_ = enabled;
    UpdateStencil();
}

void RenderSystem::FreeDeviceLists() {
    DeleteAllAndClear(adapters_);
    chosenAdapter_ = nullptr;
    supportedTextureFormats_ = 0;
}

DeviceInfo* RenderSystem::GetChosenDevice() const { return chosenAdapter_ ? chosenAdapter_->chosenDevice : nullptr; }

ModeInfo* RenderSystem::GetChosenMode() const {
    DeviceInfo* device = GetChosenDevice();
    return device ? device->chosenMode : nullptr;
}

}  // namespace Vantor
