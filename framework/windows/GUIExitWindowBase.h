#pragma once
// The logic of the exit (quit confirmation) window: nothing beyond the result protocol; the game's
// window adds the looks and reports the results.

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework {

class GUIExitWindowBase : public GUIFrameworkWindow {};

}  // namespace GameFramework
