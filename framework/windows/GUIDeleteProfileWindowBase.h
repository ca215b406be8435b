#pragma once
// The logic of the delete window.

#include "framework/windows/GUIProfileWindowBase.h"

namespace GameFramework {

class GUIDeleteProfileWindowBase : public GUIProfileWindowBase {
public:
    using GUIProfileWindowBase::GUIProfileWindowBase;

    virtual void OpenWith(WindowId source, const std::wstring& name);
    void DeleteProfile();
};

}  // namespace GameFramework
