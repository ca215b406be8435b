#include "game/screens/RequiredControls.h"

#include <memory>

#include "engine/kernel/MessageManager.h"
#include "gui_tools/GUIButtonControl.h"
#include "gui_tools/GUICheckBoxControl.h"
#include "gui_tools/GUIEditBoxControl.h"
#include "gui_tools/GUIScrollControl.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUIWindowBase.h"
#include "gui_tools/GUIWindowControl.h"

namespace Morvane {

template <class Kind>
Kind& RequiredControls::Find(const std::string& path, const char* kindName) const {
    const std::string name = window_.GetLayoutName() + path;
    for (const std::unique_ptr<GUITools::GUIControl>& control : window_.GetControls()) {
        if (control->GetName() != name) continue;
        if (auto* found = dynamic_cast<Kind*>(control.get())) return *found;
    }
    Vantor::MessageManager::Instance()->PrintFatalError("Layout \"" + window_.GetLayoutName() + "\" lacks the " +
                                                        kindName + " \"" + path + "\"");
}

GUITools::GUIControl& RequiredControls::Control(const std::string& path) const {
    return Find<GUITools::GUIControl>(path, "control");
}

GUITools::GUITextControl& RequiredControls::Text(const std::string& path) const {
    return Find<GUITools::GUITextControl>(path, "text control");
}

GUITools::GUIWindowControl& RequiredControls::Window(const std::string& path) const {
    return Find<GUITools::GUIWindowControl>(path, "window control");
}

Vantor::GUIButton& RequiredControls::Button(const std::string& path) const {
    return *Find<GUITools::GUIButtonControl>(path, "button").GetButton();
}

Vantor::GUICheckBox& RequiredControls::CheckBox(const std::string& path) const {
    return *Find<GUITools::GUICheckBoxControl>(path, "check box").GetCheckBox();
}

Vantor::GUIEditBox& RequiredControls::EditBox(const std::string& path) const {
    return *Find<GUITools::GUIEditBoxControl>(path, "edit box").GetEditBox();
}

Vantor::GUIScroll& RequiredControls::Scroll(const std::string& path) const {
    return *Find<GUITools::GUIScrollControl>(path, "scroll bar").GetScroll();
}

}  // namespace Morvane
