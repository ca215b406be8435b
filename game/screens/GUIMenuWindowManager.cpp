#include "game/screens/GUIMenuWindowManager.h"

#include <algorithm>
#include <string>

#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderUser.h"
#include "game/GameData.h"
#include "game/screens/ControlParts.h"
#include "game/screens/GUIMenuWindow.h"
#include "gui_tools/GUIWindowBase.h"
#include "gui_tools/GUIWindowControl.h"

namespace Morvane {

GUIMenuWindowManager::GUIMenuWindowManager(GameData* data) : data_(data) {}

void GUIMenuWindowManager::AddWindow(GUIMenuWindow* window) { windows_.push_back(window); }

void GUIMenuWindowManager::RemoveWindow(GUIMenuWindow* window) {
    std::erase(windows_, window);
    if (lockHolder_ == window) UnlockAnimation();
}

void GUIMenuWindowManager::LockAnimation(GUIMenuWindow* window) {
    if (!lockFree_) return;
    lockFree_ = false;
    lockHolder_ = window;
}

void GUIMenuWindowManager::UnlockAnimation() {
    lockFree_ = true;
    lockHolder_ = nullptr;
}

void GUIMenuWindowManager::Update() {
    for (GUIMenuWindow* window : windows_)
        if (!window->IsOpen()) window->UpdateWindow();
    for (GUIMenuWindow* window : windows_)
        if (window->IsOpen()) window->UpdateWindow();
}

void GUIMenuWindowManager::SetupAdditionalLogos(GUITools::GUIWindowBase& window) const {
    for (int logo = 0; logo < 2; ++logo) {
        const std::string name = window.GetLayoutName() + "/logo_additional_" + std::to_string(logo);
        if (!window.HasWindowControl(name)) continue;
        Vantor::ShaderUser* shader = data_->GetLogoShader(logo);
        if (!shader) {
            window.EnableControl(name, false);
            continue;
        }
        if (ControlParts::Model(*window.GetWindowControl(name))) window.GetWindow(name)->SetShader(shader);
    }
}

}  // namespace Morvane
