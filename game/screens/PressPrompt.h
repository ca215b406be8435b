#pragma once
// The shared prompt to press a key or a button: the text "common/hit_mouse_button" in
// the font "common", centred at the bottom of the screen, printed on a window for the
// current frame at the given strength.

#include "engine/kernel/Vector2.h"

namespace GUITools {
class GUIToolManager;
}

namespace Vantor {
class GUIWindow;
}

namespace Morvane {

class PressPrompt {
public:
    static constexpr const char* kTextKey = "common/hit_mouse_button";
    static constexpr const char* kFont = "common";
    static constexpr Vantor::Vector2 kPosition{0.0f, 5.0f};

    static void Print(Vantor::GUIWindow& window, GUITools::GUIToolManager& tools, float alpha);
};

}  // namespace Morvane
