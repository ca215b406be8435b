#pragma once
// The logic of the quit-from-level window: nothing beyond the result protocol; the game's
// window adds the looks and reports the results.

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework {

class GUIGameLogicGameExitWindowBase : public GUIFrameworkWindow {};

}  // namespace GameFramework
