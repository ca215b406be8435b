#pragma once
// The controls a window cannot work without, looked up by their path below the
// window's layout ("/window/button_0"). A layout that lacks one, or has it as another
// kind of control, ends the run with one fatal line naming the layout and the control,
// before anything could use it.

#include <string>

namespace Vantor {
class GUIButton;
class GUICheckBox;
class GUIEditBox;
class GUIScroll;
}  // namespace Vantor

namespace GUITools {
class GUIControl;
class GUITextControl;
class GUIWindowBase;
class GUIWindowControl;
}  // namespace GUITools

namespace Morvane {

class RequiredControls {
public:
    explicit RequiredControls(const GUITools::GUIWindowBase& window) : window_(window) {}

    GUITools::GUIControl& Control(const std::string& path) const;
    GUITools::GUITextControl& Text(const std::string& path) const;
    GUITools::GUIWindowControl& Window(const std::string& path) const;
    Vantor::GUIButton& Button(const std::string& path) const;
    Vantor::GUICheckBox& CheckBox(const std::string& path) const;
    Vantor::GUIEditBox& EditBox(const std::string& path) const;
    Vantor::GUIScroll& Scroll(const std::string& path) const;

private:
    // The control of the kind, or the fatal line.
    template <class Kind>
    Kind& Find(const std::string& path, const char* kindName) const;

    const GUITools::GUIWindowBase& window_;
};

}  // namespace Morvane
