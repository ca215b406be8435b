#include "framework/GameLogicBase.h"

#include <string>

#include "engine/input/Controls.h"
#include "engine/kernel/Console.h"
#include "engine/kernel/MessageManager.h"
#include "engine/kernel/Timer.h"
#include "engine/kernel/TimerManager.h"
#include "framework/LevelEntry.h"
#include "framework/ScoreKeeper.h"

namespace GameFramework {

namespace {

constexpr int kCheatKeyCount = 12;

}  // namespace

GameLogicBase::GameLogicBase(AudioManager* audio, const StageEntry* stage, const LevelEntry* level,
                             std::int32_t progress)
    : audio_(audio), stage_(stage), level_(level), progress_(progress) {
    Vantor::MessageManager* log = Vantor::MessageManager::Instance();
    log->PrintMessage("");
    log->PrintMessage("Loading level " + std::to_string(level->key.stage + 1) + "-" +
                      std::to_string(level->key.level + 1) + "...");
    timer_ = Vantor::TimerManager::Instance()->CreateTimer(0.0f, false);
    scoreKeeper_ = new ScoreKeeper(0);
    timer_->SetTime(0.0f);
    timer_->SetPaused(true);
}

GameLogicBase::~GameLogicBase() {
    delete scoreKeeper_;
    Vantor::TimerManager::Instance()->DestroyTimer(timer_);
}

void GameLogicBase::Update() {
    const Vantor::Console* console = Vantor::Console::Instance();
    if (console && console->IsEnabled()) ReadCheatKeys();
}

void GameLogicBase::SetState(LevelState state) {
    if (state != state_) {
        timer_->SetPaused(state != LevelState::Running);
        changed_ = true;
    }
    state_ = state;
}

void GameLogicBase::OnCheatKey(bool /*shift*/, int /*number*/) { cheatUsed_ = true; }

float GameLogicBase::GetTime() const { return timer_->GetTime(); }

void GameLogicBase::SetTimerPaused(bool paused) { timer_->SetPaused(paused); }

bool GameLogicBase::IsTimerPaused() const { return timer_->IsPaused(); }

void GameLogicBase::Pause(bool paused) {
    if (state_ == LevelState::Won || state_ == LevelState::Lost) return;
    SetState(paused ? LevelState::Paused : LevelState::Running);
}

std::int32_t GameLogicBase::GetScore() const { return scoreKeeper_->GetScore(); }

void GameLogicBase::SetScore(std::int32_t score) { scoreKeeper_->SetScore(score); }

void GameLogicBase::ReadCheatKeys() {
    const Vantor::Controls* controls = Vantor::Controls::Instance();
    const bool shift = controls->IsKeyDown("LSHIFT") || controls->IsKeyDown("RSHIFT");
    for (int number = 1; number <= kCheatKeyCount; ++number)
        if (controls->IsKeyPressed("F" + std::to_string(number))) OnCheatKey(shift, number);
}

}  // namespace GameFramework
