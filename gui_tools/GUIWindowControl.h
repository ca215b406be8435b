#pragma once
// The "window" control: a plain GUI window, the frame that groups other controls.

#include "gui_tools/GUIControl.h"

namespace GUITools {

class GUIWindowControl : public GUIControl {
public:
    GUIWindowControl(GameTools::DataKeeper* keeper, Vantor::GUIWindow* parent, const GUIControlDescription& description);
    ~GUIWindowControl() override;
};

}  // namespace GUITools
