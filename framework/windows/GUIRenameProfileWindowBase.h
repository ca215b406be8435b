#pragma once
// The logic of the rename window.

#include "framework/windows/GUIProfileWindowBase.h"

namespace GameFramework {

class GUIRenameProfileWindowBase : public GUIProfileWindowBase {
public:
    using GUIProfileWindowBase::GUIProfileWindowBase;

    // With set false (back from the name-conflict window) the name of the last opening stays.
    virtual void OpenWith(WindowId source, bool set, const std::wstring& name);
    // True, doing nothing, for the profile's own name in any letter case; false when
    // another profile has the new name; otherwise renames. The stored name stays.
    bool RenameProfile(const std::wstring& newName);
};

}  // namespace GameFramework
