#include "framework/windows/GUIRenameProfileWindowBase.h"

#include "engine/kernel/StringHelpers.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework {

void GUIRenameProfileWindowBase::OpenWith(WindowId source, bool set, const std::wstring& name) {
    Open(source);
    if (set) profileName_ = name;
}

bool GUIRenameProfileWindowBase::RenameProfile(const std::wstring& newName) {
    if (Vantor::ToLower(newName) == Vantor::ToLower(profileName_)) return true;
    if (profileManager_->FindProfile(newName)) return false;
    profileManager_->RenameProfile(profileName_, newName);
    return true;
}

}  // namespace GameFramework
