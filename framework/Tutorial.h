#pragma once
// The record shared by the game's tutorial script, the tutorial hint window and the
// framework: the hint in progress, its delay and visible time, the player actions it
// still waits for, and (in the current profile) which of up to 256 hints the player
// has already seen.

#include <cstdint>

namespace GameFramework {

class ProfileManagerBase;

class Tutorial {
public:
    static constexpr unsigned kHintCount = 256;

    // The manager is not owned; the shown flags are those of its current profile.
    explicit Tutorial(ProfileManagerBase* profileManager);
    virtual ~Tutorial() = default;
    Tutorial(const Tutorial&) = delete;
    Tutorial& operator=(const Tutorial&) = delete;

    // Starts a hint that shows after the delay, in any state.
    void StartHint(int hint, float delay);
    // Ends the hint without remembering it; ready is set by the tutorial window.
    void EndHint();
    // Remembers the hint as shown, then ends it.
    void FinishHint();
    // Once per frame: while a hint is in progress the delay runs down, and once it has
    // run out the hint's visible time runs up, in the same frame.
    void Update(float frameTime);

    // Pending flags are numbered modulo 32.
    bool IsPending(int n) const;
    void SetPending(int n);
    void ClearPending(int n);

    // Hints of 256 or more count as shown; without a current profile no other hint does.
    bool IsShown(unsigned n) const;
    // Saved in the current profile; nothing without one.
    void MarkShown(unsigned n);
    void ClearAllShown();

    bool IsReady() const { return ready_; }
    void SetReady(bool ready) { ready_ = ready; }
    bool IsActive() const { return active_; }
    int GetHint() const { return hint_; }
    float GetDelay() const { return delay_; }
    float GetElapsed() const { return elapsed_; }
    std::uint32_t GetPending() const { return pending_; }

private:
    static std::uint32_t PendingBit(int n);

    ProfileManagerBase* profileManager_;
    bool ready_ = true;
    bool active_ = false;
    int hint_ = 0;
    float delay_ = 0.0f;
    float elapsed_ = 0.0f;
    std::uint32_t pending_ = 0;
};

}  // namespace GameFramework
