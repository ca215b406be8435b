#pragma once
// The logic of the continue-the-saved-game window: nothing beyond the result protocol; the game's
// window adds the looks and reports the results.

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework {

class GUIContinueGameLogicWindowBase : public GUIFrameworkWindow {};

}  // namespace GameFramework
