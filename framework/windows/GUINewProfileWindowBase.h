#pragma once
// The logic of the new-profile window.

#include "framework/windows/GUIProfileWindowBase.h"

namespace GameFramework {

class GUINewProfileWindowBase : public GUIProfileWindowBase {
public:
    using GUIProfileWindowBase::GUIProfileWindowBase;

    // Clear asks the game's window to empty its name field.
    virtual void OpenWith(WindowId source, bool clear);
    // False, changing nothing, when a profile of that name exists in any letter case;
    // otherwise the new profile becomes the current one.
    bool CreateProfile(const std::wstring& name);

    bool IsClearRequested() const { return clear_; }

private:
    bool clear_ = false;
};

}  // namespace GameFramework
