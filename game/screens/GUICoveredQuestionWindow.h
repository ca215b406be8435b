#pragma once
// A question over a paused day whose yes leaves the day: the restart and leave-the-day
// windows. Yes closes the window itself and pulls the cover over the screen; once the
// cover is full the window reports its result, once, so that the game tears the day
// down behind it. No reports 16, back to the in-day menu. Opened and closed by the flow
// the window keeps the day dimmed for the menu before and after it. The cover goes on
// after the window has closed: its update keeps running.

#include "framework/WindowId.h"
#include "framework/WindowResult.h"
#include "game/screens/DayOverlayFaders.h"
#include "game/screens/FadingCover.h"
#include "game/screens/GUIMenuWindow.h"

namespace Vantor {
class GUIButton;
}

namespace Morvane {

template <class FrameworkBase>
class GUICoveredQuestionWindow : public FrameworkBase, public GUIMenuWindow {
public:
    void Open(GameFramework::WindowId source) override;
    // Nothing once the window has closed itself after yes.
    void Close() override;
    void Update() override;

    const GUICoverWindow& GetCover() const { return cover_.GetCover(); }

protected:
    // The yes result and how the cover ends are the window's own.
    GUICoveredQuestionWindow(GameFramework::AudioManager* audio, GameData* data, GUITools::GUIToolManager* tools,
                             GUIMenuWindowManager* manager, Vantor::GUIWindow* parent, const std::string& layoutName,
                             GameFramework::WindowResult yesResult, FadingCover::Ending coverEnding);

private:
    GameFramework::WindowResult yesResult_;
    GUITools::GUITextControl& heading_;  // the window's "/title"
    DayOverlayFaders faders_;
    Vantor::GUIButton& yes_;  // the window's
    Vantor::GUIButton& no_;   // the window's
    FadingCover cover_;
};

}  // namespace Morvane
