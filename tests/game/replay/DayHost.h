#pragma once
// The game a day runner plays: it runs one frame of the game when asked (the runner has
// moved the virtual clock on) and gives the running day and the profiles. The replay
// harness's test game is one; the whole game object, walked from its first window, is
// another.

namespace Morvane {
class GameLogic;
class ProfileManager;
}  // namespace Morvane

namespace replay {

class DayHost {
public:
    virtual ~DayHost() = default;

    // One frame of the game's own main loop.
    virtual void PlayFrame() = 0;
    // The running day, or null.
    virtual Morvane::GameLogic* GetDay() const = 0;
    virtual Morvane::ProfileManager& Profiles() const = 0;
};

}  // namespace replay
