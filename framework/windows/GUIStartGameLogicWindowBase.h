#pragma once
// The logic of the start (before a level) window: nothing beyond the result protocol; the game's
// window adds the looks and reports the results.

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework {

class GUIStartGameLogicWindowBase : public GUIFrameworkWindow {};

}  // namespace GameFramework
