#pragma once
// The "slider" control over a GUI slider. Its orientation and thumb geometry are carried
// into the slider in every frame in which the slider is visible.

#include <string>

#include "engine/kernel/Vector2.h"
#include "gui_tools/GUIControl.h"

namespace Vantor {
class GUISlider;
}

namespace GUITools {

class GUISliderControl : public GUIControl {
public:
    GUISliderControl(GameTools::DataKeeper* keeper, Vantor::GUIWindow* parent, const GUIControlDescription& description);
    ~GUISliderControl() override;

    void Update() override;
    // The slider and then its thumb.
    void SetExclusiveInput() override;

    // Replaces the thumb with one of the current thumb size, the models "ui/" + the
    // names (none for an empty name) and its texture coordinates scaled by uv.
    void SetThumbLook(const std::string& modelName, const std::string& shaderName, const Vantor::Vector2& uv);
    Vantor::GUISlider* GetSlider() const { return slider_; }

    // Vertical when it contains "vertical".
    std::string orientation = "horizontal";
    Vantor::Vector2 thumbMinPosition{0.0f, 0.0f};
    Vantor::Vector2 thumbMaxPosition{0.0f, 0.0f};
    Vantor::Vector2 thumbSize{1.0f, 1.0f};
    bool thumbHasSelection = false;
    Vantor::Vector2 thumbSelectionPosition{0.0f, 0.0f};
    Vantor::Vector2 thumbSelectionSize{0.0f, 0.0f};

protected:
    // A scroll control's slider part: the element is a scroll bar, which the scroll
    // control destroys.
    struct ScrollBar {};
    GUISliderControl(GameTools::DataKeeper* keeper, Vantor::GUIWindow* parent, const GUIControlDescription& description,
                     ScrollBar);
    // Forgets the element once its owner has destroyed it.
    void ForgetSlider() { slider_ = nullptr; }

private:
    Vantor::GUISlider* slider_;  // the GUI manager's
};

}  // namespace GUITools
