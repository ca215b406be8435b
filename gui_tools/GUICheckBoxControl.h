#pragma once
// The "check_box" control over a GUI check box, which plays its model's frames itself.

#include "gui_tools/GUIControl.h"

namespace Vantor {
class GUICheckBox;
}

namespace GUITools {

class GUICheckBoxControl : public GUIControl {
public:
    GUICheckBoxControl(GameTools::DataKeeper* keeper, Vantor::GUIWindow* parent,
                       const GUIControlDescription& description);
    ~GUICheckBoxControl() override;

    Vantor::GUICheckBox* GetCheckBox() const { return checkBox_; }

private:
    Vantor::GUICheckBox* checkBox_;  // the GUI manager's, destroyed here
};

}  // namespace GUITools
