#pragma once
// The loading screen after the logos: a progress bar and its percentage while the
// keeper loads the game's resources, one step per frame. Loading starts in the frame
// after the window has come up and its title has printed, and the window reports
// loading finished with the step that ends it. The animated frame "/window_animated"
// stays away while loading; closing plays its show animation for the window to come.
//
// The bar is the model of "/loading_progress/progress", whose frame the window sets
// itself: frame p x (frames - 1) for the progress p. "/loading_progress/text" shows
// "%PROGRESS%" in whole percent, rounded down.

#include "framework/windows/GUILoadingWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

namespace Vantor {
class AnimationControl;
}

namespace Morvane {

class GUIGameLoadingWindow : public GameFramework::GUILoadingWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kLayout = "window_game_loading";

    GUIGameLoadingWindow(GameFramework::AudioManager* audio, GameData* data, GUITools::GUIToolManager* tools,
                         GUIMenuWindowManager* manager, Vantor::GUIWindow* parent);

    void OpenWith(GameFramework::WindowId source, GameTools::DataKeeper* keeper) override;
    void Close() override;
    void Update() override;

    // The bar's model animation, driven by the window; null when its control has no model.
    const Vantor::AnimationControl* GetProgressAnimation() const { return progressAnimation_; }

private:
    void ShowProgress();
    // Not shown, or still printing.
    bool TitlePrinting() const;

    GUITools::GUIWindowControl& animated_;       // the window's
    GUITools::GUIWindowControl& progress_;       // the window's
    GUITools::GUITextControl& progressText_;     // the window's
    Vantor::AnimationControl* progressAnimation_; // the bar model's
    bool stepReady_ = false;
};

}  // namespace Morvane
