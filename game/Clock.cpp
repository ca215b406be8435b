#include "game/Clock.h"

#include <algorithm>
#include <cstdint>

#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "engine/kernel/Console.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/StringHelpers.h"
#include "engine/kernel/Timer.h"
#include "engine/render/AnimationControl.h"
#include "framework/AudioManager.h"
#include "game/AnimatedPart.h"
#include "game/GameData.h"

namespace Morvane {

namespace {

constexpr float kTolerance = 0.0001f;

}  // namespace

Clock::Clock(GameFramework::AudioManager* audio, GameData* gameData, Vantor::Timer* levelTimer,
             Vantor::GUIWindow* parent, float dayLength)
    : audio_(audio), gameData_(gameData), levelTimer_(levelTimer), dayLength_(dayLength) {
    if (!(dayLength_ > 0.0f))
        Vantor::MessageManager::Instance()->PrintError("Clock: the day length " + Vantor::ToString(dayLength_, 2) +
                                                       " is not above 0; the day ends at once");
    window_ = Vantor::GUIManager::Instance()->CreateWindow(Vantor::GUIWindow::kShown, {0.0f, 0.0f}, {1.0f, 1.0f},
                                                           gameData_->GetModel(kModel), nullptr, parent);
    window_->SetOrder(kOrder);
    hand_ = AnimatedPart::HoldStage(window_, kModel);
}

Clock::~Clock() { Vantor::GUIManager::Instance()->DestroyWindow(window_); }

float Clock::GetProgress() const {
    const float counted = levelTimer_->GetTime() - kStartTime;
    if (!(dayLength_ > 0.0f)) return counted > 0.0f ? 1.0f : 0.0f;
    return std::clamp(counted / dayLength_, 0.0f, 1.0f);
}

bool Clock::IsFinished() const { return GetProgress() + kTolerance > 1.0f; }

void Clock::Update() {
    const Vantor::Console* console = Vantor::Console::Instance();
    if (console && console->IsEnabled() && !levelTimer_->IsPaused()) ReadCheatKeys();
    if (hand_) {
        const std::uint32_t lastFrame = std::max<std::uint32_t>(hand_->GetFrameCount(), 1) - 1;
        hand_->SetPosition(GetProgress() * static_cast<float>(lastFrame));
    }
    if (!endSoundPlayed_ && IsFinished()) {
        audio_->PlayEffect(kEndSound);
        endSoundPlayed_ = true;
    }
}

void Clock::ReadCheatKeys() {
    const Vantor::Controls& controls = *Vantor::Controls::Instance();
    if (controls.IsKeyPressed("F9"))
        levelTimer_->SetTime(std::max(levelTimer_->GetTime() - kCheatRewind, kStartTime));
    if (controls.IsKeyPressed("F10")) levelTimer_->SetTime(dayLength_ + kCheatEndOffset);
}

}  // namespace Morvane
