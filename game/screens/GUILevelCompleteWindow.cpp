#include "game/screens/GUILevelCompleteWindow.h"

#include <algorithm>
#include <cmath>

#include "engine/gui/GUIWindow.h"
#include "engine/kernel/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFlags.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "game/GameData.h"
#include "game/screens/GUIEmitter.h"
#include "game/screens/RequiredControls.h"
#include "gui_tools/GUITextControl.h"

namespace Morvane {

namespace {

// The message waits this long before the first piece starts.
constexpr float kOpeningPause = 0.3f;
// Each piece starts this much after the one before it.
constexpr float kPieceStep = 0.17f;
// Share of its path a piece covers per second.
constexpr float kPieceSpeed = 0.65f;
// A piece fades in over this many frames of its path.
constexpr float kFadeInFrames = 80.0f;
// Closer than this to its path's last frame, a piece has arrived.
constexpr float kArrived = 0.01f;
// After the last piece's start, the window closes once this has passed.
constexpr float kClosingPause = 2.5f;
// The bursts draw just behind the message.
constexpr float kBurstDepthOffset = 0.001f;

float LastFrame(const Vantor::Model& piece) {
    return static_cast<float>(std::max(piece.GetAnimationControl()->GetFrameCount(), 1u) - 1);
}

}  // namespace

GUILevelCompleteWindow::GUILevelCompleteWindow(GameFramework::AudioManager* audio,
                                               GameFramework::LevelManagerBase* levels, GameData* data,
                                               GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                               Vantor::GUIWindow* parent)
    : GUILevelCompleteWindowBase(levels),
      GUIMenuWindow(audio, data, tools, manager, parent, kLayout),
      message_(RequiredControls(*this).Text("/day_completed")),
      cover_(*data, parent, FadingCover::Ending::FadeOut) {
    // The style blocks exist once the text is laid out.
    message_.Layout();
    const Vantor::Model& path = *data->GetModel(kPieceModel);
    const Vantor::ParticleSystem& burst = *data->GetParticleSystem(kBurst);
    const float burstDepth = message_.GetWindow()->GetDepth() + kBurstDepthOffset;
    for (std::size_t k = 0; k < message_.rules.size(); ++k) {
        // Never drawn, as it is not registered; visible, so that its update moves its box.
        Vantor::Model* piece = Vantor::ModelManager::Instance()->CloneModel(path, nullptr, Vantor::ModelFlags::kVisible);
        piece->GetAnimationControl()->SetLoop(false);
        piece->GetAnimationControl()->SetSpeed(0.0f);
        pieces_.push_back(piece);
        Vantor::ParticleSystem* emitter = GUIEmitter::Create(burst, burstDepth);
        emitter->SetVisible(false);
        emitter->Reset();
        bursts_.push_back(emitter);
    }
}

GUILevelCompleteWindow::~GUILevelCompleteWindow() {
    for (Vantor::Model* piece : pieces_) delete piece;
    for (Vantor::ParticleSystem* burst : bursts_) Vantor::ParticleSystemManager::Instance()->ReleaseParticleSystem(burst);
}

void GUILevelCompleteWindow::OpenWith(GameFramework::WindowId source, const GameFramework::LevelKey& level,
                                      float time) {
    GUILevelCompleteWindowBase::OpenWith(source, level, time);
    message_.SetPosition({kOffScreen, kOffScreen});
    for (Vantor::ParticleSystem* burst : bursts_) burst->SetVisible(false);
    Show(true);
    time_ = 0.0f;
}

void GUILevelCompleteWindow::Close() {
    if (!IsOpen()) return;
    GUILevelCompleteWindowBase::Close();
    Show(false);
}

void GUILevelCompleteWindow::Update() {
    GUILevelCompleteWindowBase::Update();
    GUIMenuWindow::Update();
    const float frameTime = Vantor::TimerManager::Instance()->GetFrameTime();
    // The day goes behind the full cover.
    if (cover_.Update(frameTime)) Report(GameFramework::WindowResult::GoToStart);
    if (!IsShown()) return;
    time_ += frameTime;
    const float sinceStart = time_ - kOpeningPause;
    if (sinceStart > 0.0f) message_.SetPosition({0.0f, 0.0f});
    const float afterLastPiece = MovePieces(sinceStart);
    PlacePieces();
    if (afterLastPiece > kClosingPause) {
        cover_.Start();
        Close();
    }
}

float GUILevelCompleteWindow::MovePieces(float sinceStart) {
    for (Vantor::Model* piece : pieces_) {
        const float share = std::clamp(sinceStart * kPieceSpeed, 0.0f, 1.0f);
        piece->GetAnimationControl()->SetPosition(share * LastFrame(*piece));
        sinceStart -= kPieceStep;
    }
    for (Vantor::Model* piece : pieces_) piece->Update(false);
    return sinceStart;
}

void GUILevelCompleteWindow::PlacePieces() {
    const Vantor::GUIWindow& window = *message_.GetWindow();
    const Vantor::Vector2 messagePlace = window.GetAbsolutePosition() + window.GetPosition();
    for (std::size_t k = 0; k < message_.rules.size(); ++k) {
        GUITools::GUITextRule& block = *message_.rules[k];
        block.hasColour = block.hasOffset = k < pieces_.size();
        if (k >= pieces_.size()) continue;
        const Vantor::Model& piece = *pieces_[k];
        const float position = piece.GetAnimationControl()->GetPosition();
        block.colour = {1.0f, 1.0f, 1.0f, std::clamp(position / kFadeInFrames, 0.0f, 1.0f)};
        const Vantor::Vector3& centre = piece.GetBoundingBox().centre;
        block.offset = {centre.x, centre.y};
        Vantor::ParticleSystem& burst = *bursts_[k];
        if (std::fabs(LastFrame(piece) - position) >= kArrived || burst.IsVisible()) continue;
        const Vantor::Vector2 middle = messagePlace + (block.runStart + block.runEnd) * 0.5f;
        burst.SetPosition({middle.x, middle.y, 0.0f});
        burst.SetVisible(true);
        burst.Start(false);
    }
}

}  // namespace Morvane
