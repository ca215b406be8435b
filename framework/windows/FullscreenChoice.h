#pragma once
// The full-screen switch as a window shows it: a working copy of "v_fullscreen" that
// follows the configuration while "v_window_change_mode" is issued (the mode was
// switched elsewhere, for example with Alt+Enter).

namespace GameFramework {

class FullscreenChoice {
public:
    // Takes the configured value.
    void Reset();
    // Called by the window's update.
    void Follow();
    bool DiffersFromConfig() const;
    // Writes the choice into "v_fullscreen".
    void Store() const;
    // Stores the choice, saves the configuration and issues "v_window_change_mode": the
    // framework switches the display at the end of a later frame.
    void Switch() const;

    bool value = false;
};

}  // namespace GameFramework
