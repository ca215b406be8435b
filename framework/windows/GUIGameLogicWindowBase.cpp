#include "framework/windows/GUIGameLogicWindowBase.h"

#include "engine/kernel/Window.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework {

void GUIGameLogicWindowBase::Update() {
    GUIFrameworkWindow::Update();
    fullscreen_.Follow();
}

void GUIGameLogicWindowBase::OpenWith(WindowId source, GameLogicBase* logic) {
    Open(source);
    logic_ = logic;
    currentProfile_ = profileManager_->GetCurrentProfile();
    fullscreen_.Reset();
    SetActive(true);
}

void GUIGameLogicWindowBase::Close() {
    GUIFrameworkWindow::Close();
    currentProfile_ = nullptr;
    logic_ = nullptr;
}

void GUIGameLogicWindowBase::MinimizeApplication() { Vantor::Window::Instance()->Minimize(); }

void GUIGameLogicWindowBase::SwitchFullscreen(bool fullscreen) {
    fullscreen_.value = fullscreen;
    fullscreen_.Switch();
}

}  // namespace GameFramework
