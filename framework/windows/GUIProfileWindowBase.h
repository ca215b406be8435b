#pragma once
// What the profile windows share: the profile manager they work on and the name of the
// profile a window is about.

#include <string>

#include "framework/GUIFrameworkWindow.h"

namespace GameFramework {

class ProfileManagerBase;

class GUIProfileWindowBase : public GUIFrameworkWindow {
public:
    explicit GUIProfileWindowBase(ProfileManagerBase* profileManager) : profileManager_(profileManager) {}

    ProfileManagerBase* GetProfileManager() const { return profileManager_; }
    const std::wstring& GetProfileName() const { return profileName_; }
    void SetProfileName(const std::wstring& name) { profileName_ = name; }

protected:
    // Creates the profile when missing and makes it the current one, saved.
    void CreateAndSelect(const std::wstring& name);

    ProfileManagerBase* profileManager_;  // not owned
    std::wstring profileName_;
};

}  // namespace GameFramework
