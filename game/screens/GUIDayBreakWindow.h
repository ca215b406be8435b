#pragma once
// A window over the paused day that returns to it: the pause notice and the question
// whether to quit the program. Its dimmed background fades in from the day and out to
// it again; its body keeps its alpha and goes with the window. Each button reports its
// result while the window is shown, a later one in the list winning in the same frame.

#include <string>
#include <utility>
#include <vector>

#include "framework/WindowId.h"
#include "framework/WindowResult.h"
#include "game/screens/DayOverlayFaders.h"
#include "game/screens/GUIMenuWindow.h"

namespace Vantor {
class GUIButton;
}

namespace Morvane {

template <class FrameworkBase>
class GUIDayBreakWindow : public FrameworkBase, public GUIMenuWindow {
public:
    // A button's path below the layout and what its click reports.
    using Answer = std::pair<const char*, GameFramework::WindowResult>;

    void Open(GameFramework::WindowId source) override;
    void Close() override;
    void Update() override;

protected:
    GUIDayBreakWindow(GameFramework::AudioManager* audio, GameData* data, GUITools::GUIToolManager* tools,
                      GUIMenuWindowManager* manager, Vantor::GUIWindow* parent, const std::string& layoutName,
                      const std::vector<Answer>& answers);

private:
    GUITools::GUIWindowControl& body_;  // the window's "/window"
    DayOverlayFaders faders_;
    std::vector<std::pair<Vantor::GUIButton*, GameFramework::WindowResult>> answers_;
};

}  // namespace Morvane
