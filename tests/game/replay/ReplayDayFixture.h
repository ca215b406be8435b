#pragma once
// The fixture of the replayed days: each day in a new replay game made by the test
// (over the replay data or the built data set), started from a set-up profile with a
// seed, run by a day runner, played by the deterministic player when asked.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tests/engine/kernel/EngineTestSupport.h"
#include "tests/game/replay/DayLog.h"
#include "tests/game/replay/DayPlayer.h"
#include "tests/game/replay/DayRunner.h"
#include "tests/game/replay/ReplayGame.h"

namespace replay {

class ReplayDayFixture : public enginetest::EngineObjectTest {
protected:
    static constexpr std::uint32_t kSeed = 20261211;

    void SetUp() override;
    void TearDown() override;

    // The game over the data the test plays, made in the folder.
    virtual std::unique_ptr<ReplayGame> MakeGame(enginetest::EngineFolder& folder) = 0;

    // A new game whose player starts the day as set up, the day made with the seed.
    DayRunner& StartDay(const ProfileSetup& setup, std::uint32_t seed = kSeed);
    DayPlayer& Player();
    // The day played by the player to its end, without a fault.
    DayLog PlayedDay(const ProfileSetup& setup, std::uint32_t seed = kSeed);
    bool Shown(unsigned hint) const;
    // The first machines of the upgrade window's list, as a player buys them (from the
    // running game's data, or a game made for it).
    std::vector<std::string> FirstMachines(std::size_t count);

    // Where the games are made.
    enginetest::EngineFolder* folder_ = &home_;
    std::unique_ptr<ReplayGame> game_;
    std::unique_ptr<DayRunner> runner_;
    std::unique_ptr<DayPlayer> player_;
};

}  // namespace replay
