#include "game/GUIGameCursor.h"

#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "game/GameData.h"

namespace Morvane {

namespace {

// The pictures of the kinds, as the program names them; the plain name is found by the
// texture lookup's search for a picture of that name.
constexpr const char* kCursorPictures[3] = {"ui\\cursors\\cursor_alpha.jpg", "ui\\cursors\\cursor",
                                            "ui\\cursors\\cursor"};

}  // namespace

GUIGameCursor::GUIGameCursor() {
    Vantor::GUIManager& gui = *Vantor::GUIManager::Instance();
    for (int kind = 0; kind < 3; ++kind) {
        const Vantor::ShaderDescriptor picture(true, false, kCursorPictures[kind], true);
        AddKind(kind, kCursorResources[kind], gui.CreateCursor(nullptr, &picture, kCursorSize));
    }
    SetKind(0);
}

GUIGameCursor::~GUIGameCursor() {
    Vantor::ParticleSystemManager& particles = *Vantor::ParticleSystemManager::Instance();
    particles.ReleaseParticleSystem(clickBurst_);
    particles.ReleaseParticleSystem(trail_);
}

Vantor::ParticleSystem* GUIGameCursor::CreateEffect(GameData* gameData, const char* key) {
    Vantor::ParticleSystem* effect =
        Vantor::ParticleSystemManager::Instance()->CreateParticleSystemInstance(*gameData->GetParticleSystem(key));
    Vantor::Model& batch = *effect->GetModel();
    batch.SetCamera(Vantor::GUIManager::Instance()->GetCamera());
    batch.SetFlags(Vantor::ModelFlags::kFixedDepth);
    batch.SetDepth(kEffectDepth);
    effect->SetVisible(true);
    return effect;
}

void GUIGameCursor::CreateEffects(GameData* gameData) {
    trail_ = CreateEffect(gameData, "ui/cursor_train");
    trail_->Start(true);
    clickBurst_ = CreateEffect(gameData, "ui/cursor_click");
    clickBurst_->Start(false);
    clickBurst_->SetEmitting(false);
    SetTrailEnabled(trailEnabled_);
}

void GUIGameCursor::SetTrailEnabled(bool enabled) {
    trailEnabled_ = enabled;
    if (trail_) trail_->SetEmitting(enabled);
}

void GUIGameCursor::Show(bool visible) {
    GUIGameCursorBase::Show(visible);
    if (trail_) trail_->SetEmitting(visible && trailEnabled_);
}

bool GUIGameCursor::Update() {
    const Vantor::Vector2 cursor = Vantor::GUIManager::Instance()->GetCursorPosition();
    if (trailEnabled_ && trail_) {
        const Vantor::Vector2 tip = cursor + kTrailOffset;
        trail_->SetPosition({tip.x, tip.y, 0.0f});
    }
    if (trailEnabled_ && clickBurst_ && Vantor::Controls::Instance()->IsKeyPressed("MOUSE1")) {
        clickBurst_->SetPosition({cursor.x, cursor.y, 0.0f});
        clickBurst_->Start(false);
    }
    return GUIGameCursorBase::Update();
}

}  // namespace Morvane
