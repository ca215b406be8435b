#pragma once
// The logic of the profiles window; the game's window sets the profile name to the one
// chosen in its list, and the handler hands it to the rename and delete windows.

#include "framework/windows/GUIProfileWindowBase.h"

namespace GameFramework {

class GUIProfilesWindowBase : public GUIProfileWindowBase {
public:
    using GUIProfileWindowBase::GUIProfileWindowBase;
};

}  // namespace GameFramework
