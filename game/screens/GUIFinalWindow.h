#pragma once
// The end of the game, built in code without a layout: over the final background the
// credits rise from the bottom of the screen, row after row, fading in above y = 50 and
// out above y = 500, until the last row ("final/the_end") rests in the middle; ten
// seconds after it started the prompt fades in and a press reports GoToHighScores.
// Closing fades the roll and the prompt out, then the background, then hides the root.

#include <memory>
#include <string>
#include <vector>

#include "engine/kernel/Vector4.h"
#include "framework/GUIFrameworkWindow.h"

namespace GUITools {
class GUIToolManager;
}

namespace Vantor {
class GUIWindow;
}

namespace Morvane {

class FinalBackground;
class GameData;
class GUIGameCursor;
class ProfileManager;

class GUIFinalWindow : public GameFramework::GUIFrameworkWindow {
public:
    // A row with an empty key is blank: never printed, but it takes its place in the roll.
    struct CreditRow {
        std::string key;
        std::string font;
        Vantor::Color colour;
    };

    static constexpr int kRootOrder = 50;
    static constexpr float kRollDelay = 3.0f;
    static constexpr float kRiseSpeed = 30.0f;
    static constexpr float kRowSpacing = 20.0f;
    static constexpr float kLastRowRest = 290.0f;
    static constexpr float kFadeInFrom = 50.0f;
    static constexpr float kFadeOutFrom = 500.0f;
    static constexpr float kFadeLength = 50.0f;
    // After the last row started, before the prompt starts to come.
    static constexpr float kPromptDelay = 300.0f / kRiseSpeed;
    // The prompt fade: nothing shows below 1, full strength at the top.
    static constexpr float kPromptThreshold = 1.0f;
    static constexpr float kPromptTop = 1.85f;
    static constexpr float kOpenFadeSpeed = 2.0f;
    static constexpr float kCloseFadeSpeed = 1.0f;

    // Nothing is owned but the background and the windows made here, under the parent.
    GUIFinalWindow(ProfileManager* profiles, GameData* data, GUITools::GUIToolManager* tools,
                   Vantor::GUIWindow* parent, GUIGameCursor* cursor);
    ~GUIFinalWindow() override;

    void Open(GameFramework::WindowId source) override;
    void Update() override;
    void Close() override;

    static const std::vector<CreditRow>& Credits();

    Vantor::GUIWindow* GetRoot() const { return root_; }
    Vantor::GUIWindow* GetTextWindow() const { return textWindow_; }
    FinalBackground& GetBackground() const { return *background_; }
    float GetPromptFade() const { return promptFade_; }

private:
    // Prints the rows whose turn has come; answers the time left after the last row's
    // start, or a negative value while some row still waits.
    float Roll() const;
    // The alpha of a row at the height.
    static float RowAlpha(float y);
    // Centred at the height, in the row's colour at the alpha.
    void PrintRow(const CreditRow& row, float y, float alpha) const;

    GUITools::GUIToolManager* tools_;  // not owned
    GUIGameCursor* cursor_;            // not owned
    Vantor::GUIWindow* root_;          // the GUI manager's
    std::unique_ptr<FinalBackground> background_;
    Vantor::GUIWindow* textWindow_;  // the GUI manager's
    bool open_ = false;
    bool backgroundHiding_ = false;
    float promptFade_ = 0.0f;
    float time_ = 0.0f;
};

}  // namespace Morvane
