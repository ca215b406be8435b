#pragma once
// The logic of the welcome window, shown while no profile exists: makes the first one.

#include "framework/windows/GUIProfileWindowBase.h"

namespace GameFramework {

class GUIWelcomeWindowBase : public GUIProfileWindowBase {
public:
    using GUIProfileWindowBase::GUIProfileWindowBase;

    void CreateProfile(const std::wstring& name) { CreateAndSelect(name); }
};

}  // namespace GameFramework
