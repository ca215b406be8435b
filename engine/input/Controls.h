#pragma once
// The engine's input state, independent of the device that feeds it. Every key and
// mouse button is known by its name (engine/input/KeyNames.h); for each the controls
// keep whether it is held now and whether it went down since the last Reset, and
// answer queries by name in any letter case. They also hand out the character typed
// into the window this frame, map the cursor into the 4:3 play area on wide or tall
// full screens, drive the system cursor's visibility, swallow a key press through the
// input block, and turn Alt+Enter into a request to switch the display mode.
//
// The device reader derives from this class: each frame it reports every key's state
// and then runs the base Update; the engine calls Reset at the frame's end. The
// engine's window must exist for the whole life of the controls.

#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "engine/input/KeyNames.h"
#include "engine/kernel/GlobalPointerHolder.h"
#include "engine/kernel/Vector2.h"

namespace Vantor {

class Controls : public GlobalPointerHolder<Controls> {
public:
    // Seconds of input block after which the system's own key states decide whether a
    // key is still down: a release the device never reported must not block for good.
    static constexpr float kBlockCheckTime = 2.0f;
    // The cursor's display counter settles this far from zero on either side.
    static constexpr int kCursorCounterLimit = 10;

    // Shows the system cursor again.
    virtual ~Controls();
    Controls(const Controls&) = delete;
    Controls& operator=(const Controls&) = delete;

    // The per-frame pass after the device read: mouse-button order, input block,
    // cursor visibility, Alt+Enter.
    virtual void Update();
    // Ends the frame's presses and its typed key.
    virtual void Reset();

    // Queries by key name; all answer false while the input block is set, and for a
    // name that is not a key name.
    bool IsKeyPressed(const std::string& name) const;
    // Held now, or went down since the last Reset.
    bool IsKeyDown(const std::string& name) const;
    bool IsAnyKeyPressed() const;
    bool IsAnyKeyDown() const;
    // The last key-down or character code the window received this frame; `code` is
    // left alone when the answer is false.
    bool GetTypedChar(uint16_t& code) const;

    // The cursor in the window's client pixels, mapped into the 4:3 play area on a wide
    // or tall full screen. Not affected by the input block.
    Vector2 GetCursorPosition() const;

    // Stores the wanted visibility of the system cursor and applies it at once.
    void SetCursorVisible(bool visible);
    bool IsCursorVisible() const { return cursorVisible_; }
    // Moves the system's display counter across zero to the wanted side, and keeps it
    // within kCursorCounterLimit steps of zero.
    void UpdateCursorVisibility();

    // Every query answers false from now until no key or button is down.
    void BlockUntilReleased() { inputBlocked_ = true; }

protected:
    // Every key up and not pressed, buttons in device order, the cursor wanted visible
    // (the system cursor is not touched yet).
    Controls();

    // The name of each device mouse button 0 to 7, with the first two exchanged while
    // the system swaps the primary and secondary buttons.
    const std::string& MouseButtonName(size_t button) const { return mouseButtonNames_[button]; }

    // Key name -> held now.
    std::map<std::string, bool> held_;
    // Key name -> went down since the last Reset.
    std::map<std::string, bool> pressed_;

private:
    void UpdateMouseButtonOrder();
    void UpdateInputBlock();
    void DetectAltEnter();
    // The flag of that key name in the map, found in any letter case; false for an
    // unknown name.
    static bool Lookup(const std::map<std::string, bool>& flags, const std::string& name);
    static bool AnySet(const std::map<std::string, bool>& flags);
    // Whether the system reports any virtual key 0 to 255 down at this moment.
    static bool IsAnySystemKeyDown();

    bool swapButtons_ = false;
    bool cursorVisible_ = true;
    std::array<std::string, MouseButtonCount> mouseButtonNames_;
    bool inputBlocked_ = false;
    // How long the block has lasted with a key still down.
    float blockTime_ = 0.0f;
};

}  // namespace Vantor
