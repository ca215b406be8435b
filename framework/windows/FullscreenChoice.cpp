#include "framework/windows/FullscreenChoice.h"

#include "engine/kernel/Config.h"

namespace GameFramework {

void FullscreenChoice::Reset() { value = Vantor::Config::Instance()->values.fullscreen; }

void FullscreenChoice::Follow() {
    if (Vantor::Config::Instance()->GetCommandState("v_window_change_mode") == 0) Reset();
}

bool FullscreenChoice::DiffersFromConfig() const { return value != Vantor::Config::Instance()->values.fullscreen; }

void FullscreenChoice::Store() const { Vantor::Config::Instance()->values.fullscreen = value; }

void FullscreenChoice::Switch() const {
    Vantor::Config* config = Vantor::Config::Instance();
    Store();
    config->Save();
    config->SetCommandState("v_window_change_mode", 0);
}

}  // namespace GameFramework
