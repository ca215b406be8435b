#include "tests/game/replay/DayRunner.h"

#include <cmath>
#include <cstdint>

#include "framework/LevelState.h"
#include "game/GameLogic.h"
#include "game/ProfileManager.h"
#include "platform/Clock.h"
#include "tests/game/replay/DayPlayer.h"
#include "tests/game/replay/InputDriver.h"
#include "tests/game/replay/DayHost.h"
#include "tests/game/replay/RoomView.h"
#include "tests/game/replay/TargetFinder.h"

namespace replay {

namespace {

const std::uint64_t kFrameMicroseconds = static_cast<std::uint64_t>(std::lround(DayRunner::kFrameSeconds * 1e6));

}  // namespace

bool DayRunner::RunDay(unsigned maxFrames) {
    return RunUntil([this] { return IsDayWon(); }, maxFrames);
}

bool DayRunner::IsDayWon() const {
    const Morvane::GameLogic* day = game_.GetDay();
    return day && day->GetState() == GameFramework::LevelState::Won;
}

void DayRunner::RunFrame() {
    const auto& steps = script_.GetSteps();
    for (; nextStep_ < steps.size() && steps[nextStep_].frame <= frame_; ++nextStep_) Give(steps[nextStep_]);
    if (player_)
        if (std::optional<ReplayStep> step = player_->Decide(frame_, Room())) Give(*step);

    platform::seam::AdvanceVirtualTime(kFrameMicroseconds);
    game_.PlayFrame();
    if (const Morvane::GameLogic* day = game_.GetDay()) watcher_.Observe(frame_, *day->GetCustomerManager());
    if (!wonFrame_ && IsDayWon()) wonFrame_ = frame_;
    ++frame_;
}

void DayRunner::Give(const ReplayStep& step) {
    ReplayStep given = step;
    given.frame = frame_;
    std::optional<Vantor::Vector2> point;
    if (step.action != ReplayStep::Action::Key) point = TargetFinder::Find(step.target, Room());
    if ((step.action != ReplayStep::Action::Key && !point) || !InputDriver::Give(given, point.value_or(Vantor::Vector2{}))) {
        faults_.push_back("frame " + std::to_string(frame_) + ": cannot be given: " + ReplayScript::ToText(step));
        return;
    }
    record_.Append(given);
}

RoomView DayRunner::Room() const {
    const Morvane::GameLogic* day = game_.GetDay();
    return day ? RoomView::Of(*day) : RoomView{};
}

DayLog DayRunner::GetLog() const {
    DayLog log;
    log.customers = watcher_.GetRecords();
    const Morvane::GameLogic* day = game_.GetDay();
    if (!day) return log;
    log.figures = DayFigures::Of(*day->GetFinances(), *day->GetCustomerManager());
    log.figures.endFrame = wonFrame_.value_or(0);
    log.figures.profile = ProfileFigures::Of(*game_.Profiles().GetCurrent());
    return log;
}

}  // namespace replay
