#include "game/screens/TurnedArrow.h"

#include "engine/gui/GUIWindow.h"
#include "engine/kernel/Matrix4.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "game/screens/ControlParts.h"
#include "gui_tools/GUIWindowControl.h"

namespace Morvane {

TurnedArrow::TurnedArrow(GUITools::GUIWindowControl& control) : control_(control) {
    control_.GetWindow()->SetRectangleHitTest(false);
    if (Vantor::AnimationControl* animation = ControlParts::ModelAnimation(control_)) {
        animation->SetLoop(true);
        animation->Play();
    }
    control_.ClearModelAnimation();
}

void TurnedArrow::Place() const {
    const Vantor::GUIWindow& window = *control_.GetWindow();
    Vantor::Model* model = window.GetModel();
    if (!model) return;
    using Vantor::Matrix4;
    using Vantor::Vector3;
    const Vantor::Vector2 origin = window.GetAbsolutePosition() + window.GetPosition();
    const Vantor::Vector2& size = window.GetSize();
    // Turned about the quad's middle, then placed as a GUI window places its model.
    model->SetWorldMatrix(Matrix4::Translation(Vector3(origin.x, origin.y, 0.0f)) *
                          Matrix4::Scale(Vector3(size.x, size.y, 1.0f)) *
                          Matrix4::Translation(Vector3(0.5f, 0.5f, 0.0f)) * Matrix4::RotationZ(angle_) *
                          Matrix4::Translation(Vector3(-0.5f, -0.5f, 0.0f)) * model->GetBaseMatrix());
}

}  // namespace Morvane
