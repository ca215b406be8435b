#include "gui_tools/GUIWindowControl.h"

#include "engine/gui/GUIManager.h"

namespace GUITools {

GUIWindowControl::GUIWindowControl(GameTools::DataKeeper* keeper, Vantor::GUIWindow* parent,
                                   const GUIControlDescription& description)
    : GUIControl(keeper, description) {
    Vantor::GUIWindow* window = Vantor::GUIManager::Instance()->CreateWindow(
        0, GetPosition(), GetSize(), FindModel(description.model), FindShader(description.shader), parent);
    AttachElement(window, description, false);
}

GUIWindowControl::~GUIWindowControl() { Vantor::GUIManager::Instance()->DestroyWindow(GetWindow()); }

}  // namespace GUITools
