#pragma once
// Asks whether to quit. Quitting ends the program; staying returns to the welcome, main
// menu or new-profile window the exit window was opened from (any other source gets no
// result).

#include "framework/windows/GUIExitWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

namespace Vantor {
class GUIButton;
}

namespace Morvane {

class GUIExitWindow : public GameFramework::GUIExitWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kLayout = "window_exit";

    GUIExitWindow(GameFramework::AudioManager* audio, GameData* data, GUITools::GUIToolManager* tools,
                  GUIMenuWindowManager* manager, Vantor::GUIWindow* parent);

    void Open(GameFramework::WindowId source) override;
    void Close() override;
    void Update() override;

private:
    Vantor::GUIButton& stay_;  // the window's
    Vantor::GUIButton& quit_;  // the window's
};

}  // namespace Morvane
