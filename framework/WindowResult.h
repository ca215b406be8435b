#pragma once
// What a window reports when the player decides something; the game's handlers turn it
// into closing that window and opening the next one.

#include <cstdint>

namespace GameFramework {

enum class WindowResult : std::int32_t {
    None = 0,
    Finished = 1,
    GoToWelcome = 2,
    GoToMainMenu = 3,
    GoToExit = 4,  // from the level display: to the quit-from-level window
    GoToProfiles = 5,
    GoToNewProfile = 6,
    GoToRenameProfile = 7,
    GoToDeleteProfile = 8,
    NameAlreadyUsed = 9,
    GoToHighScores = 10,
    GoToOptions = 11,
    GoToHelp = 12,
    GoToStart = 13,
    ContinueGame = 14,
    Pause = 15,
    GoToLevelMenu = 16,
    GoToRestart = 17,
    GoToLeaveLevel = 18,
    ResumeLevel = 19,
    GoToGameOver = 20,
    GoToStageComplete = 21,
    GoToGameComplete = 22,
    QuitProgram = 23,
    Play = 24,
    // Results of the game's own windows.
    GoToHouse = 25,
    Unused = 26,
    GoToUpgrade = 27,
    GoToDayComplete = 28,
    GoToMeeting = 29,
    GoToMechanic = 30,
    GoToFinal = 31,
    GoToResetProfile = 32,
};

}  // namespace GameFramework
