#include "framework/windows/GUIGameLogicMenuWindowBase.h"

#include "engine/kernel/Config.h"
#include "framework/AudioManager.h"

namespace GameFramework {

void GUIGameLogicMenuWindowBase::Open(WindowId source) {
    GUIFrameworkWindow::Open(source);
    fullscreenChoice.Reset();
    volumesAtOpening_.Take(*audio_);
}

void GUIGameLogicMenuWindowBase::Update() {
    GUIFrameworkWindow::Update();
    fullscreenChoice.Follow();
}

void GUIGameLogicMenuWindowBase::Apply() {
    if (fullscreenChoice.DiffersFromConfig()) fullscreenChoice.Switch();
}

void GUIGameLogicMenuWindowBase::Close() {
    GUIFrameworkWindow::Close();
    Vantor::Config::Instance()->Save();
}

}  // namespace GameFramework
