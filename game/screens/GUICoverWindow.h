#pragma once
// A picture over the whole 800 x 600 screen, in front of the windows beside it, that
// hides the screen while a day is set up or torn down behind it. Hidden until shown.

namespace GameTools {
class DataKeeper;
}

namespace Vantor {
class GUIWindow;
}

namespace Morvane {

class GUICoverWindow {
public:
    static constexpr const char* kShader = "ui/comics/introduction/background";
    // In front of its siblings.
    static constexpr int kOrder = 1000;
    // The fade's way in, and its way out.
    static constexpr float kFadeHalf = 0.5f;

    GUICoverWindow(const GameTools::DataKeeper& data, Vantor::GUIWindow* parent);
    ~GUICoverWindow();
    GUICoverWindow(const GUICoverWindow&) = delete;
    GUICoverWindow& operator=(const GUICoverWindow&) = delete;

    // The alpha is clamped to 0..1.
    void Show(float alpha);
    void Hide();
    // The one-second fade at the seconds since it began: in over the first half, out
    // over the second, hidden from then on.
    void Fade(float time);

    Vantor::GUIWindow& GetWindow() const { return *window_; }

private:
    Vantor::GUIWindow* window_;  // the GUI manager's, destroyed here
};

}  // namespace Morvane
