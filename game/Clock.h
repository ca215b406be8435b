#pragma once
// The day's clock: it turns the level timer into the day's progress, shows it on the
// clock model in the room frame by frame of the model's texture animation, plays the
// end-of-time sound once when the playing time is over, and in cheat mode moves the
// time back ("F9") or close to the end ("F10").

#include <string>

namespace Vantor {
class AnimationControl;
class GUIWindow;
class Timer;
}  // namespace Vantor

namespace GameFramework {
class AudioManager;
}

namespace Morvane {

class GameData;

class Clock {
public:
    static constexpr const char* kModel = "room/clock/model";
    // Drawn behind the day's other objects.
    static constexpr int kOrder = -4;
    // The first seconds of a day do not count.
    static constexpr float kStartTime = 2.5f;
    // "F9" moves the time back by this much, never before the start time.
    static constexpr float kCheatRewind = 20.0f;
    // "F10" puts the time this far past the day length: one second of playing time left.
    static constexpr float kCheatEndOffset = kStartTime - 1.0f;
    static constexpr const char* kEndSound = "36";

    // A day length not above 0 is logged and ends the day as soon as it starts counting.
    Clock(GameFramework::AudioManager* audio, GameData* gameData, Vantor::Timer* levelTimer,
          Vantor::GUIWindow* parent, float dayLength);
    virtual ~Clock();
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;

    // 0 to 1 over the day's playing time.
    float GetProgress() const;
    bool IsFinished() const;
    // Once per running frame.
    void Update();

    Vantor::GUIWindow* GetWindow() const { return window_; }
    // Null when the clock model's material has no texture stage.
    Vantor::AnimationControl* GetHand() const { return hand_; }
    bool IsEndSoundPlayed() const { return endSoundPlayed_; }

private:
    void ReadCheatKeys();

    GameFramework::AudioManager* audio_;
    GameData* gameData_;
    Vantor::Timer* levelTimer_;
    float dayLength_;
    Vantor::GUIWindow* window_;
    Vantor::AnimationControl* hand_;
    bool endSoundPlayed_ = false;
};

}  // namespace Morvane
