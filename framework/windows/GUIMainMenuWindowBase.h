#pragma once
// The logic of the main menu window: nothing beyond the result protocol; the game's
// window adds the looks and reports the results.

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework {

class GUIMainMenuWindowBase : public GUIFrameworkWindow {};

}  // namespace GameFramework
