#pragma once
// Which window a window was opened from; a window decides itself what it shows for it.

#include <cstdint>

namespace GameFramework {

enum class WindowId : std::int32_t {
    Game = 1,  // none: the game itself opened it
    Logos = 2,
    GameLoading = 3,
    Welcome = 4,
    Exit = 5,
    MainMenu = 6,
    HighScores = 7,
    Options = 8,
    Help = 9,
    Profiles = 10,
    NewProfile = 11,
    RenameProfile = 12,
    DeleteProfile = 13,
    ProfileNameConflict = 14,
    StartGameLogic = 15,
    GameLogicLoading = 16,
    GameLogic = 17,
    GameLogicMenu = 18,
    GameLogicRestart = 19,
    GameLogicMenuExit = 20,
    ContinueGameLogic = 21,
    LevelComplete = 22,
    StageComplete = 23,
    GameComplete = 24,
    GameOver = 25,
    // The game's own windows.
    House = 26,
    Introduction = 27,
    Upgrade = 28,
    DayComplete = 29,
    Meeting = 30,
    Mechanic = 31,
    Final = 32,
    ResetProfile = 33,
};

}  // namespace GameFramework
