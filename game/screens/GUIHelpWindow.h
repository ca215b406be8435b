#pragma once
// The game has no help screen: the window only fills the framework's place for one, and
// once opened it stays open without ever reporting anything.

#include "framework/windows/GUIHelpWindowBase.h"

namespace Morvane {

class GUIHelpWindow : public GameFramework::GUIHelpWindowBase {};

}  // namespace Morvane
