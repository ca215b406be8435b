#pragma once
// The logic of the logos window: nothing beyond the result protocol; the game's
// window adds the looks and reports the results.

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework {

class GUILogosWindowBase : public GUIFrameworkWindow {};

}  // namespace GameFramework
