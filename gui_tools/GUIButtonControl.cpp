#include "gui_tools/GUIButtonControl.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"

namespace GUITools {

GUIButtonControl::GUIButtonControl(GameTools::DataKeeper* keeper, Vantor::GUIWindow* parent,
                                   const GUIControlDescription& description)
    : GUIControl(keeper, description),
      button_(Vantor::GUIManager::Instance()->CreateButton(0, GetPosition(), GetSize(), FindModel(description.model),
                                                           FindShader(description.shader), parent)) {
    AttachElement(button_, description, true);
}

GUIButtonControl::~GUIButtonControl() { Vantor::GUIManager::Instance()->DestroyButton(button_); }

}  // namespace GUITools
