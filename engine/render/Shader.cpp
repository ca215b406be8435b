#include "engine/render/Shader.h"

#include <algorithm>
#include <string>

#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"

namespace Vantor {

Shader::Shader(TextureManager* textures, const ShaderDescriptor& descriptor, bool lazyTextures)
    : textures_(textures), stages_(descriptor.GetStageCount()) {
    std::vector<std::wstring> files;
    for (std::uint32_t s = 0; s < GetStageCount(); ++s) {
        descriptor.GetStageTextureFiles(s, files);
        const bool mipMaps = (descriptor.GetStage(s).flags & ShaderStage::kMipMaps) != 0;
        std::vector<Texture2D*>& frames = stages_[s];
        // Two paths per frame: colour, then opacity.
        frames.assign(files.size() / 2, nullptr);
        for (std::size_t f = 0; f < frames.size(); ++f) {
            const std::wstring& colour = files[2 * f];
            if (!colour.empty()) frames[f] = textures_->GetTexture(mipMaps, colour, files[2 * f + 1], lazyTextures);
        }
    }
}

Shader::~Shader() {
    for (const std::vector<Texture2D*>& frames : stages_) {
        for (Texture2D* texture : frames) textures_->ReleaseTexture(texture);
    }
}

std::uint32_t Shader::GetFrameCount(std::uint32_t stage) const {
    return stage < stages_.size() ? static_cast<std::uint32_t>(stages_[stage].size()) : 0;
}

Texture2D* Shader::GetTexture(std::uint32_t stage, std::uint32_t frame) const {
    return frame < GetFrameCount(stage) ? stages_[stage][frame] : nullptr;
}

void Shader::Apply(const ShaderUser& user) const {
    RenderSystem* renderSystem = RenderSystem::Instance();
    if (user.GetFlags() & ShaderDescriptor::kBlending) {
        renderSystem->SetAlphaBlend(true);
        renderSystem->SetBlend(static_cast<BlendFactor>(user.GetBlendFactor(0)),
                               static_cast<BlendFactor>(user.GetBlendFactor(1)));
    } else {
        renderSystem->SetAlphaBlend(false);
    }

    // A device with fewer texture units than the user has stages draws the first ones.
    const std::uint32_t units = renderSystem->GetTextureStageCount();
    const std::uint32_t stages = std::min(user.GetStageCount(), units);
    for (std::uint32_t s = 0; s < stages; ++s) {
        const ShaderStage& stage = user.GetStage(s);
        const auto unit = static_cast<std::int32_t>(s);
        // A negative frame is out of range like one past the last.
        Texture2D* texture = GetTexture(s, static_cast<std::uint32_t>(stage.currentFrame));
        renderSystem->SetTexture(unit, texture);
        if (!texture) continue;
        texture->unusedPasses = 0;
        renderSystem->SetTextureFilter(unit, texture->IsMipMapped() ? TextureFilter::MipMapped : TextureFilter::Linear);
        renderSystem->SetTextureAdressU(unit, stage.addressU);
        renderSystem->SetTextureAdressV(unit, stage.addressV);
        renderSystem->SetTextureMatrix(unit, stage.scaleU, stage.scaleV, stage.offsetU, stage.offsetV);
    }
    for (std::uint32_t unit = stages; unit < units; ++unit)
        renderSystem->SetTexture(static_cast<std::int32_t>(unit), nullptr);
}

}  // namespace Vantor
