#pragma once
// A push button over a GUI window. It follows hover and press from the GUI input pass,
// clicks for one pass when a press that began over it is released over it, shows an
// image frame per state (a texture stage or model animation of four frames), can be
// disabled, and plays its select sound when the cursor comes over it and its click
// sound when a press begins. Sliders and scroll bars make buttons of their own for
// their thumb and arrows.

#include <cstdint>
#include <string>

#include "engine/gui/GUIWindow.h"

namespace Vantor {

class GUISoundManager;

class GUIButton : public GUIWindow {
public:
    enum State : int { kNormal = 0, kHovered = 1, kPressed = 2, kDisabled = 3 };

    GUIButton(GUIFontManager* fontManager, GUISoundManager* soundManager, Camera* camera, std::uint32_t flags,
              const Vector2& position, const Vector2& size, const Model* modelResource, const ShaderDescriptor* shader,
              GUIWindow* parent);

    // Held: the primary mouse button is down; pressed: it went down since the last frame.
    // False when not visible or disabled.
    bool HandleInput(const Vector2& cursor, bool held, bool pressed) override;
    // The window's update, then the image frame of the state.
    bool Update() override;
    // A button that comes into view shows its normal frame, unless disabled.
    void UpdateVisibility() override;
    // Enabling shows the normal frame; an enabled button asked again keeps its state.
    virtual void SetEnabled(bool enabled);
    virtual std::uint32_t GetFrameIndex() const;

    // A press began over the button and the mouse button is still down.
    bool IsPressing() const { return pressing_; }
    GUISoundManager* GetSoundManager() const { return soundManager_; }

    int state = kNormal;
    // True during the one input pass in which a press was released over the button.
    bool clicked = false;
    std::string selectSound = "gui_default_button_select";
    std::string clickSound = "gui_default_button_click";

private:
    void Play(const std::string& sound) const;

    GUISoundManager* soundManager_;  // not owned
    bool pressing_ = false;
    // True at first: a button made under the cursor stays silent until it is left once.
    bool wasHovered_ = true;
};

}  // namespace Vantor
