#pragma once
// The logic of the game over window: nothing beyond the result protocol; the game's
// window adds the looks and reports the results.

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework {

class GUIGameOverWindowBase : public GUIFrameworkWindow {};

}  // namespace GameFramework
