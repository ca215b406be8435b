#pragma once
// A story character beside the speech balloons of a dialogue window. Each pose is a
// picture (the material "ui/characters/" + picture name) on the character's model
// "ui/characters/" + base name, which places and sizes the portrait. The first picture
// fades in after a short hold, a new picture cross-fades over the old one and the empty
// name fades the character out. Two windows take turns: the back one holds the picture
// that goes, the front one the picture that comes.

#include <string>

namespace GameTools {
class DataKeeper;
}

namespace Vantor {
class GUIWindow;
}

namespace Morvane {

class GUICharacterWindow {
public:
    static constexpr const char* kResourcePrefix = "ui/characters/";
    static constexpr int kBackOrder = 2;
    static constexpr int kFrontOrder = 3;
    // A fade below 0 is a hold: the windows keep their alphas until it reaches 0.
    static constexpr float kFirstHold = -0.5f;
    static constexpr float kFadeInSpeed = 1.2f;
    static constexpr float kFadeOutSpeed = 1.5f;
    static constexpr float kChangeHold = -0.2f;

    // The data keeper is not owned; both windows start hidden.
    GUICharacterWindow(GameTools::DataKeeper* data, Vantor::GUIWindow* parent, const std::string& baseName);
    virtual ~GUICharacterWindow();
    GUICharacterWindow(const GUICharacterWindow&) = delete;
    GUICharacterWindow& operator=(const GUICharacterWindow&) = delete;

    // Starts the transition to the picture; "" fades the character out. The picture
    // shown or coming already changes nothing.
    void SetCharacter(const std::string& name);
    // Once per frame.
    void Update();

    const std::string& GetCurrent() const { return current_; }
    Vantor::GUIWindow* GetBackWindow() const { return back_; }
    Vantor::GUIWindow* GetFrontWindow() const { return front_; }

private:
    // Shows the window with the picture at the alpha.
    void Present(Vantor::GUIWindow* window, const std::string& picture, float alpha) const;
    void StartTransition(float fade, float speed, Vantor::GUIWindow* incoming, Vantor::GUIWindow* outgoing);

    GameTools::DataKeeper* data_;  // not owned
    Vantor::GUIWindow* back_;      // the GUI manager's
    Vantor::GUIWindow* front_;     // the GUI manager's
    Vantor::GUIWindow* incoming_ = nullptr;
    Vantor::GUIWindow* outgoing_ = nullptr;
    float fade_ = 0.0f;
    float speed_ = 0.0f;
    std::string current_;
};

}  // namespace Morvane
