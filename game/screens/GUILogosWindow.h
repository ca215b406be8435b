#pragma once
// The splash pictures at start-up, built in code without a layout: up to two optional
// full-screen pictures, "splash2" shown first and "splash1" last, each fading in over a
// second, holding for two and fading out over one, in front of a black backdrop that
// goes once the last picture is opaque (so that one fades out onto whatever lies
// behind). Then the window reports Finished; without a picture it does so at its first
// update after Open.

#include "framework/windows/GUILogosWindowBase.h"

namespace Vantor {
class GUIWindow;
}

namespace Morvane {

class GUILogosWindow : public GameFramework::GUILogosWindowBase {
public:
    static constexpr const wchar_t* kFirstFile = L"data\\splash1.jpg";
    static constexpr const wchar_t* kSecondFile = L"data\\splash2.jpg";
    static constexpr int kFirstOrder = 107;
    static constexpr int kSecondOrder = 106;
    static constexpr int kBackdropOrder = 105;
    static constexpr int kHoldSeconds = 2;

    enum class Phase { FadeIn, Hold, FadeOut, Finished };

    // Every window is made here; the picture to show first waits visible but transparent.
    GUILogosWindow();
    ~GUILogosWindow() override;

    void Update() override;
    void Open(GameFramework::WindowId source) override;
    // Destroys the pictures and the backdrop; the root stays until the destructor.
    void Close() override;

    Vantor::GUIWindow* GetRoot() const { return root_; }
    // The picture shown last (the only one when a single file exists), or null.
    Vantor::GUIWindow* GetFirstPicture() const { return first_; }
    // The picture shown first when both exist, else null.
    Vantor::GUIWindow* GetSecondPicture() const { return second_; }
    Vantor::GUIWindow* GetBackdrop() const { return backdrop_; }
    Phase GetPhase() const { return phase_; }

private:
    // A hidden 800 x 600 picture of the texture when the file exists, else null.
    Vantor::GUIWindow* MakePicture(const wchar_t* file, const char* texture) const;
    static void ShowTransparent(Vantor::GUIWindow& picture);
    // The picture's part of the current phase at the fade value; true once it has
    // faded out (it is then hidden and the timer restarts).
    bool RunPhase(Vantor::GUIWindow& picture, float fade);

    Vantor::GUIWindow* root_;  // the GUI manager's, as are the others
    Vantor::GUIWindow* first_ = nullptr;
    Vantor::GUIWindow* second_ = nullptr;
    Vantor::GUIWindow* backdrop_ = nullptr;
    bool running_ = false;
    float timer_ = 0.0f;
    int holdCount_ = 0;
    Phase phase_ = Phase::FadeIn;
};

}  // namespace Morvane
