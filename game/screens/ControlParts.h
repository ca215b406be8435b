#pragma once
// The parts of a control that a window works on beyond the control itself: the model
// of its GUI element, that model's animation and the frame animation of the material's
// first texture stage. A control without the part gets one error line naming it and the
// part, and the caller leaves it alone.

namespace Vantor {
class AnimationControl;
class Model;
}  // namespace Vantor

namespace GUITools {
class GUIControl;
}

namespace Morvane {

class ControlParts {
public:
    // Null after the error line.
    static Vantor::Model* Model(const GUITools::GUIControl& control);
    static Vantor::AnimationControl* ModelAnimation(const GUITools::GUIControl& control);
    static Vantor::AnimationControl* FirstStageAnimation(const GUITools::GUIControl& control);
};

}  // namespace Morvane
