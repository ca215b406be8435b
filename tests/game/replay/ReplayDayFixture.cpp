#include "tests/game/replay/ReplayDayFixture.h"

#include <gmock/gmock.h>

#include "framework/Tutorial.h"
#include "game/GameData.h"
#include "platform/Clock.h"

namespace replay {

void ReplayDayFixture::SetUp() {
    EngineObjectTest::SetUp();
    platform::seam::SetVirtualTime(0);
}

void ReplayDayFixture::TearDown() {
    player_.reset();
    runner_.reset();
    game_.reset();
    EngineObjectTest::TearDown();
}

DayRunner& ReplayDayFixture::StartDay(const ProfileSetup& setup, std::uint32_t seed) {
    player_.reset();
    runner_.reset();
    game_.reset();
    game_ = MakeGame(*folder_);
    game_->Frame();  // the window is shown and focused
    game_->SetUpPlayer(setup);
    game_->StartDay(seed);
    runner_ = std::make_unique<DayRunner>(*game_);
    return *runner_;
}

DayPlayer& ReplayDayFixture::Player() {
    player_ = std::make_unique<DayPlayer>(game_->Data(), game_->GetTutorial());
    runner_->SetPlayer(player_.get());
    return *player_;
}

DayLog ReplayDayFixture::PlayedDay(const ProfileSetup& setup, std::uint32_t seed) {
    StartDay(setup, seed);
    Player();
    EXPECT_TRUE(runner_->RunDay());
    EXPECT_THAT(runner_->GetFaults(), testing::IsEmpty());
    return runner_->GetLog();
}

std::vector<std::string> ReplayDayFixture::FirstMachines(std::size_t count) {
    if (!game_) game_ = MakeGame(*folder_);
    std::vector<std::string> names;
    for (const auto& machine : game_->Data().GetCharacter().machineUpgrades)
        if (names.size() < count) names.push_back(machine->name);
    return names;
}

bool ReplayDayFixture::Shown(unsigned hint) const { return game_->GetTutorial()->IsShown(hint); }

}  // namespace replay
