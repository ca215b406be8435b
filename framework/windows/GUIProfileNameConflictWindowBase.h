#pragma once
// The logic of the name-already-used window: nothing beyond the result protocol; the game's
// window adds the looks and reports the results.

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework {

class GUIProfileNameConflictWindowBase : public GUIFrameworkWindow {};

}  // namespace GameFramework
