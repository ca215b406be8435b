#pragma once
// The name field of the welcome, new-profile and rename windows: the edit box
// "/window/name" and its OK button "/window/button_1". The typed name is the box's text
// as a plain name (see PlainName) without leading and trailing blanks; OK is enabled
// exactly while it is not empty, and the player confirms with OK or, while OK is not
// disabled, with "ENTER".

#include <string>

namespace Vantor {
class GUIButton;
class GUIEditBox;
}  // namespace Vantor

namespace Morvane {

class RequiredControls;

class NameEntry {
public:
    explicit NameEntry(const RequiredControls& controls);

    void SetText(const std::wstring& text);
    // Once per frame while the window is shown; true when the player confirms the name.
    bool Update();
    const std::wstring& GetName() const { return name_; }

private:
    Vantor::GUIEditBox& box_;  // the window's
    Vantor::GUIButton& ok_;    // the window's
    std::wstring name_;
};

}  // namespace Morvane
