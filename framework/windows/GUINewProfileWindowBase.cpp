#include "framework/windows/GUINewProfileWindowBase.h"

#include "framework/ProfileManagerBase.h"

namespace GameFramework {

void GUINewProfileWindowBase::OpenWith(WindowId source, bool clear) {
    Open(source);
    clear_ = clear;
}

bool GUINewProfileWindowBase::CreateProfile(const std::wstring& name) {
    if (profileManager_->FindProfile(name)) return false;
    CreateAndSelect(name);
    return true;
}

}  // namespace GameFramework
