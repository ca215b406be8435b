#pragma once
// The controls of one window: every control, owned, in creation order, and the same
// controls again by kind (a scroll control is among the scrolls only).

#include <memory>
#include <vector>

#include "gui_tools/GUIButtonControl.h"
#include "gui_tools/GUICheckBoxControl.h"
#include "gui_tools/GUIEditBoxControl.h"
#include "gui_tools/GUIScrollControl.h"
#include "gui_tools/GUISliderControl.h"
#include "gui_tools/GUITextControl.h"
#include "gui_tools/GUIWindowControl.h"

namespace GUITools {

struct GUIControlLists {
    std::vector<std::unique_ptr<GUIControl>> controls;
    std::vector<GUIWindowControl*> windows;
    std::vector<GUIButtonControl*> buttons;
    std::vector<GUICheckBoxControl*> checkBoxes;
    std::vector<GUIEditBoxControl*> editBoxes;
    std::vector<GUISliderControl*> sliders;
    std::vector<GUIScrollControl*> scrolls;
    std::vector<GUITextControl*> texts;
};

}  // namespace GUITools
