#include "framework/windows/GUIProfileWindowBase.h"

#include "framework/ProfileManagerBase.h"

namespace GameFramework {

void GUIProfileWindowBase::CreateAndSelect(const std::wstring& name) {
    profileManager_->CreateProfileIfMissing(name);
    profileManager_->SelectProfile(profileManager_->FindProfile(name), true);
}

}  // namespace GameFramework
