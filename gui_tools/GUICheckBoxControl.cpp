#include "gui_tools/GUICheckBoxControl.h"

#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"

namespace GUITools {

GUICheckBoxControl::GUICheckBoxControl(GameTools::DataKeeper* keeper, Vantor::GUIWindow* parent,
                                       const GUIControlDescription& description)
    : GUIControl(keeper, description),
      checkBox_(Vantor::GUIManager::Instance()->CreateCheckBox(
          0, GetPosition(), GetSize(), FindModel(description.model), FindShader(description.shader), parent)) {
    AttachElement(checkBox_, description, true);
}

GUICheckBoxControl::~GUICheckBoxControl() { Vantor::GUIManager::Instance()->DestroyCheckBox(checkBox_); }

}  // namespace GUITools
