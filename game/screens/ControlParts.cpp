#include "game/screens/ControlParts.h"

#include <string>

#include "engine/gui/GUIWindow.h"
#include "engine/kernel/MessageManager.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderUser.h"
#include "gui_tools/GUIControl.h"

namespace Morvane {

namespace {

// The part, or null after the error line.
template <class Part>
Part* Reported(Part* part, const GUITools::GUIControl& control, const char* partName) {
    if (!part)
        Vantor::MessageManager::Instance()->PrintError("Control \"" + control.GetName() + "\" has no " + partName);
    return part;
}

}  // namespace

Vantor::Model* ControlParts::Model(const GUITools::GUIControl& control) {
    return Reported(control.GetWindow()->GetModel(), control, "model");
}

Vantor::AnimationControl* ControlParts::ModelAnimation(const GUITools::GUIControl& control) {
    const Vantor::Model* model = control.GetWindow()->GetModel();
    return Reported(model ? model->GetAnimationControl() : nullptr, control, "model animation");
}

Vantor::AnimationControl* ControlParts::FirstStageAnimation(const GUITools::GUIControl& control) {
    const Vantor::ShaderUser* shader = control.GetWindow()->GetShaderUser();
    return Reported(shader ? shader->GetAnimationControl(0) : nullptr, control, "first texture stage");
}

}  // namespace Morvane
