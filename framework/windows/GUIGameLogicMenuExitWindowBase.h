#pragma once
// The logic of the leave-level window: nothing beyond the result protocol; the game's
// window adds the looks and reports the results.

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework {

class GUIGameLogicMenuExitWindowBase : public GUIFrameworkWindow {};

}  // namespace GameFramework
