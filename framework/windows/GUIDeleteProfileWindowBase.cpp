#include "framework/windows/GUIDeleteProfileWindowBase.h"

#include "framework/ProfileManagerBase.h"

namespace GameFramework {

void GUIDeleteProfileWindowBase::OpenWith(WindowId source, const std::wstring& name) {
    Open(source);
    profileName_ = name;
}

void GUIDeleteProfileWindowBase::DeleteProfile() { profileManager_->DeleteProfile(profileName_); }

}  // namespace GameFramework
