#pragma once
// The fader values of the windows over a running day, written over the layout's in
// place at each opening and closing. Their dimmed-day backgrounds (the controls whose
// fader is "background_game_logic_animated") fade in from the day and out to it, or stay
// fully dimmed while one such window hands over to the next; the title and the body can
// be kept at full alpha while the window closes around them.

#include <string>
#include <vector>

namespace GUITools {
class GUIControl;
class GUIWindowBase;
}  // namespace GUITools

namespace Morvane {

class DayOverlayFaders {
public:
    static constexpr const char* kBackgroundFader = "background_game_logic_animated";

    explicit DayOverlayFaders(const GUITools::GUIWindowBase& window);

    // Opening from the day.
    void FadeBackgroundIn() const;
    // Opening from another window over the day: the dimming stays full.
    void HoldBackground() const;
    // Closing back to the day.
    void FadeBackgroundOut() const;
    // Closing towards another window over the day: full dimming for as long as it takes.
    void HoldBackgroundWhileClosing() const;

    // The title stays at full alpha while it closes.
    static void HoldTitle(GUITools::GUIControl& title);
    // The body does not fade on its own; it goes with the window.
    static void HoldBody(GUITools::GUIControl& body);

private:
    std::vector<GUITools::GUIControl*> backgrounds_;  // the window's
};

}  // namespace Morvane
