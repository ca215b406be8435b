#pragma once
// The base of the logic that runs one level while it is played. It keeps what the
// framework needs to know of a running level: its timer, its score, its state with a
// flag telling the game that the state changed, and, in cheat mode, the F-key cheats
// handed to the derived logic. The game derives its level logic from it, pauses and
// resumes it, reacts when it is won or lost and deletes it when the level ends.

#include <cstdint>

#include "framework/LevelState.h"

namespace Vantor {
class Timer;
}

namespace GameFramework {

class AudioManager;
class ScoreKeeper;
struct LevelEntry;
struct StageEntry;

class GameLogicBase {
public:
    // Logs an empty line and "Loading level <stage>-<level>..." (counted from 1). The
    // level starts running with its timer at 0 and paused: the derived logic starts the
    // timer when play begins.
    GameLogicBase(AudioManager* audio, const StageEntry* stage, const LevelEntry* level, std::int32_t progress);
    virtual ~GameLogicBase();
    GameLogicBase(const GameLogicBase&) = delete;
    GameLogicBase& operator=(const GameLogicBase&) = delete;

    // The base part of the level's frame; the derived logic's update calls it.
    virtual void Update();
    // A change of state pauses the timer for every state but running (which resumes it)
    // and sets the changed flag.
    virtual void SetState(LevelState state);
    // Cheat key F<number> (1..12) pressed, with a shift key held or not.
    virtual void OnCheatKey(bool shift, int number);

    // Seconds on the level timer, paused spans left out.
    float GetTime() const;
    // The timer only; the state stays.
    void SetTimerPaused(bool paused);
    bool IsTimerPaused() const;
    // Paused or running; a won or lost level is left alone.
    void Pause(bool paused);

    std::int32_t GetScore() const;
    void SetScore(std::int32_t score);

    LevelState GetState() const { return state_; }
    bool IsChanged() const { return changed_; }
    // The game clears the flag after each pass of its window-result dispatch.
    void ClearChanged() { changed_ = false; }
    bool IsCheatUsed() const { return cheatUsed_; }
    std::int32_t GetProgress() const { return progress_; }
    void SetProgress(std::int32_t progress) { progress_ = progress; }
    AudioManager* GetAudioManager() const { return audio_; }
    // For the derived logic's own clock.
    Vantor::Timer* GetTimer() const { return timer_; }
    const StageEntry* GetStageEntry() const { return stage_; }
    const LevelEntry* GetLevelEntry() const { return level_; }

private:
    // While the console is enabled (cheat mode): F1..F12 in rising order.
    void ReadCheatKeys();

    AudioManager* audio_;  // not owned
    Vantor::Timer* timer_ = nullptr;  // from the timer manager
    ScoreKeeper* scoreKeeper_ = nullptr;
    const StageEntry* stage_;  // not owned
    const LevelEntry* level_;  // not owned
    std::int32_t progress_ = 0;
    LevelState state_ = LevelState::Running;
    bool changed_ = false;
    bool cheatUsed_ = false;
};

}  // namespace GameFramework
