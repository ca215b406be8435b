#pragma once
// An arrow control whose model the owning window turns. The control's GUI element stops
// placing its model (and is hit where the turned model is drawn), the model's animation
// loops on its own instead of following the control's show and hide, and Place puts the
// model's unit quad turned about its middle by the angle, then stretched over the
// element's rectangle.

namespace GUITools {
class GUIWindowControl;
}

namespace Morvane {

class TurnedArrow {
public:
    explicit TurnedArrow(GUITools::GUIWindowControl& control);

    // Radians about the screen normal.
    void SetAngle(float radians) { angle_ = radians; }
    float GetAngle() const { return angle_; }
    GUITools::GUIWindowControl& GetControl() const { return control_; }

    // Once per frame, after the element has taken the control's position and size.
    void Place() const;

private:
    GUITools::GUIWindowControl& control_;  // the window's
    float angle_ = 0.0f;
};

}  // namespace Morvane
