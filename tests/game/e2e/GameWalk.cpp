#include "tests/game/e2e/GameWalk.h"

#include <cmath>

#include "game/Game.h"
#include "game/GameLogic.h"
#include "game/ProfileManager.h"
#include "platform/Clock.h"
#include "tests/game/replay/DayRunner.h"
#include "tests/game/replay/InputDriver.h"
#include "tests/game/replay/TargetFinder.h"

namespace e2e {

namespace {

const std::uint64_t kStepMicroseconds = static_cast<std::uint64_t>(std::lround(replay::DayRunner::kFrameSeconds * 1e6));

}  // namespace

void GameWalk::PlayFrame() {
    game_.Frame();
    ++frames_;
}

Morvane::GameLogic* GameWalk::GetDay() const { return static_cast<Morvane::GameLogic*>(game_.GetGameLogic()); }

Morvane::ProfileManager& GameWalk::Profiles() const {
    return static_cast<Morvane::ProfileManager&>(*game_.GetProfileManager());
}

void GameWalk::Frame() {
    platform::seam::AdvanceVirtualTime(kStepMicroseconds);
    PlayFrame();
}

void GameWalk::Wait(float seconds) {
    const auto frames = static_cast<unsigned>(std::lround(seconds / replay::DayRunner::kFrameSeconds));
    for (unsigned frame = 0; frame < frames; ++frame) Frame();
}

void GameWalk::Click(const Vantor::GUIWindow& window) { replay::InputDriver::Click(replay::TargetFinder::HitCentre(window)); }

void GameWalk::ClickAt(float x, float y) { replay::InputDriver::Click({x, y}); }

bool GameWalk::Type(const std::wstring& text) {
    for (const wchar_t character : text) {
        if (!replay::InputDriver::Type(character)) return false;
        Frame();
    }
    return true;
}

}  // namespace e2e
