#include "tools/Sprite2D.h"

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Texture2D.h"
#include "engine/render/VertexBuffer.h"
#include "tools/SpriteManager.h"

namespace GameTools {

namespace {

// The animation shows whole frames, one after another.
constexpr std::int32_t kWholeFramesMode = 1;

std::uint32_t FrameCountOf(const TexturePack* pack, const std::string& textureName) {
    if (!pack || !pack->HasTextures()) return 0;
    return static_cast<std::uint32_t>(pack->GetFrameCount(textureName));
}

// The atlas texture of the frame in the material's first stage; null when the stage
// has none of that number.
const Vantor::Texture2D* AtlasTexture(const Vantor::ShaderUser& material, const TexturePack::Frame& frame) {
    return material.GetShader()->GetTexture(0, static_cast<std::uint32_t>(frame.atlasIndex));
}

// The quad's corners in strip order: right top, right bottom, left top, left bottom of
// the frame's rectangle (texture u, v).
template <class Vertex>
void PutCorners(Vertex* vertices, const TexturePack::Frame& frame) {
    const float corners[4][2] = {{frame.bottomRight.x, frame.topLeft.y},
                                 {frame.bottomRight.x, frame.bottomRight.y},
                                 {frame.topLeft.x, frame.topLeft.y},
                                 {frame.topLeft.x, frame.bottomRight.y}};
    for (int i = 0; i < 4; ++i) {
        vertices[i].u = corners[i][0];
        vertices[i].v = corners[i][1];
    }
}

}  // namespace

Sprite2D::Sprite2D(TexturePack* pack, const std::string& textureName, const Vantor::Vector2& position,
                   const Vantor::Vector2& scale, Vantor::GUIWindow* parent)
    : window_(Vantor::GUIManager::Instance()->CreateWindow(0, position, Vantor::Vector2(), nullptr,
                                                            pack ? pack->GetShaderUser() : nullptr, parent)),
      pack_(pack),
      textureName_(textureName),
      position_(position),
      scale_(scale),
      animation_(std::make_unique<Vantor::AnimationControl>(kWholeFramesMode, FrameCountOf(pack, textureName))) {
    SpriteManager::Instance()->AddSprite(this);
}

Sprite2D::~Sprite2D() {
    animation_.reset();
    Vantor::GUIManager::Instance()->DestroyWindow(window_);
    SpriteManager::Instance()->RemoveSprite(this);
}

void Sprite2D::Update() {
    if (!HasTextures()) return;
    animation_->Update();
    UpdateFrame();
}

void Sprite2D::UpdateFrame() {
    if (!HasTextures()) return;
    const TexturePack::Texture& texture = pack_->GetTexture(textureName_);
    const int frameIndex = static_cast<int>(animation_->GetFrameA());
    const bool frameChanged = frameIndex != shownFrame_;
    shownFrame_ = frameIndex;
    if (!IsShowable(texture, frameIndex, frameChanged)) return;

    const TexturePack::Frame& frame = texture.frames[static_cast<std::size_t>(frameIndex)];
    window_->SetPosition(position_ - texture.frames.front().offset + frame.offset);
    if (frameChanged) ApplyFrame(frame);
}

bool Sprite2D::IsShowable(const TexturePack::Texture& texture, int frameIndex, bool logError) const {
    std::string fault;
    const Vantor::ShaderUser& material = *window_->GetShaderUser();
    if (static_cast<std::size_t>(frameIndex) >= texture.frames.size()) {
        fault = "has no frame " + std::to_string(frameIndex) + " (it has " + std::to_string(texture.frames.size()) + ")";
    } else {
        const TexturePack::Frame& frame = texture.frames[static_cast<std::size_t>(frameIndex)];
        if (material.GetStageCount() > 0 && !AtlasTexture(material, frame))
            fault = "frame " + std::to_string(frameIndex) + " names atlas texture " +
                    std::to_string(frame.atlasIndex) + ", which the atlas shader does not have";
    }
    if (!fault.empty() && logError) Vantor::MessageManager::Instance()->PrintError(Describe() + " " + fault);
    return fault.empty();
}

void Sprite2D::ApplyFrame(const TexturePack::Frame& frame) {
    Vantor::ShaderUser& material = *window_->GetShaderUser();
    if (material.GetStageCount() == 0) return;
    const Vantor::Texture2D& atlas = *AtlasTexture(material, frame);

    // The stage holds still on the frame's atlas texture.
    Vantor::AnimationControl& stage = *material.GetAnimationControl(0);
    stage.Stop();
    stage.SetPosition(static_cast<float>(frame.atlasIndex));

    const Vantor::Vector2 atlasPixels(static_cast<float>(atlas.width), static_cast<float>(atlas.height));
    window_->SetSize((frame.bottomRight - frame.topLeft) * atlasPixels * scale_);
    window_->SetFlags(Vantor::GUIWindow::kShown);
    WriteTextureCoordinates(frame);
}

void Sprite2D::WriteTextureCoordinates(const TexturePack::Frame& frame) {
    Vantor::VertexBuffer& vertices = *window_->GetModel()->GetVertexBuffer();
    if (vertices.HasColours())
        PutCorners(vertices.LockColoured(0, 4), frame);
    else
        PutCorners(vertices.Lock(0, 4), frame);
    vertices.Unlock();
}

std::string Sprite2D::Describe() const {
    return "Sprite of texture \"" + textureName_ + "\" of texture pack \"" + Vantor::ToNarrow(pack_->GetPath()) + "\"";
}

}  // namespace GameTools
