#pragma once
// The "button" control over a GUI button, which plays its model's frames itself.

#include "gui_tools/GUIControl.h"

namespace Vantor {
class GUIButton;
}

namespace GUITools {

class GUIButtonControl : public GUIControl {
public:
    GUIButtonControl(GameTools::DataKeeper* keeper, Vantor::GUIWindow* parent, const GUIControlDescription& description);
    ~GUIButtonControl() override;

    Vantor::GUIButton* GetButton() const { return button_; }

private:
    Vantor::GUIButton* button_;  // the GUI manager's, destroyed here
};

}  // namespace GUITools
