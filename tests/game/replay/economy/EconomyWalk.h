#pragma once
// A player's whole career on a replay game: the deterministic player's days one after
// another, chained through the profile as the game chains them (each day ends into the
// profile's money, qualification, day and mood), and between two days the start-of-day
// window's openings as the game makes them: the story's next event sets its flag (the
// first machine offered, house building started), then the window's advice is taken
// until it says play. Advice to buy buys the upgrade window's first machine not bought,
// when qualification and money allow; advice to build builds the first of the house
// window's offers, in the upgrades' file order, that money allows, with its mood change.
// The player never plays against the advice. Day n is played with the seed + n. The
// walk is made right after the game, before its first frame, which it runs.

#include <cstdint>
#include <string>
#include <vector>

#include "game/screens/GUIStartGameLogicWindow.h"
#include "tests/game/replay/DayLog.h"

namespace replay {

class ReplayGame;

// One day of the walk and the openings after it.
struct WalkDay {
    std::int32_t day = 0;
    unsigned machinesInRoom = 0;
    DayFigures figures;
    // Bought and built after the day, in that order.
    std::vector<std::string> bought;
    std::vector<std::string> built;
    // The profile once the player plays again.
    std::int32_t money = 0;
    int level = 0;
    float mood = 0.0f;
    unsigned machines = 0;
    unsigned upgrades = 0;
    // Faults of the day's steps, and the error and warning lines logged while it ran.
    std::vector<std::string> faults;
    std::vector<std::string> logged;

    // "day 3: machines 1, frames 1620, come 12, served 11, income 190 (tips 30) -> money
    // 420, level 1, mood 0.45, machines 2, upgrades 0, bought soda_cola".
    std::string ToText() const;
};

class EconomyWalk {
public:
    // A day's frames at most (the longest day lasts under 3000).
    static constexpr unsigned kMaxDayFrames = 20000;

    // The game's current player starts as a new profile whose tutorial is done.
    EconomyWalk(ReplayGame& game, std::uint32_t seed);

    // Plays the next day to its end and opens the start-of-day window after it until the
    // advice says play.
    WalkDay PlayDay();
    const Morvane::Profile& GetProfile() const;
    // The error and warning lines logged by the game's load, its first frame and the
    // player's set-up.
    const std::vector<std::string>& GetSetUpLogged() const { return setUpLogged_; }
    bool HasEveryMachine() const;
    bool HasEveryUpgrade() const;

private:
    using Advice = Morvane::GUIStartGameLogicWindow::Advice;

    Advice Open();
    bool Buy(WalkDay& day);
    bool Build(WalkDay& day);
    Morvane::Profile& Player() const;

    ReplayGame& game_;
    std::uint32_t seed_;
    std::vector<std::string> setUpLogged_;
};

}  // namespace replay
