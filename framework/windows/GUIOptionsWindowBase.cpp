#include "framework/windows/GUIOptionsWindowBase.h"

#include <algorithm>

#include "engine/kernel/Config.h"
#include "engine/kernel/StringHelpers.h"
#include "framework/AudioManager.h"

namespace GameFramework {

namespace {

struct ParsedMode {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bits = 0;
};

ParsedMode Parse(const std::string& text) {
    ParsedMode mode;
    Vantor::ParseDisplayMode(text, &mode.width, &mode.height, &mode.bits);
    return mode;
}

std::string DefaultModeText() { return Vantor::Config::Instance()->GetDefaultText("v_mode"); }

}  // namespace

void GUIOptionsWindowBase::AddMode(std::int32_t width, std::int32_t height) {
    if (FindMode(width, height)) return;
    auto mode = std::make_unique<DisplayMode>();
    mode->text = std::to_string(static_cast<std::uint32_t>(width)) + "x" + std::to_string(static_cast<std::uint32_t>(height));
    mode->width = width;
    mode->height = height;
    modes_.push_back(std::move(mode));
    std::sort(modes_.begin(), modes_.end(), [](const auto& a, const auto& b) {
        return a->width != b->width ? a->width < b->width : a->height < b->height;
    });
}

bool GUIOptionsWindowBase::FindMode(std::int32_t width, std::int32_t height, std::int32_t* index) const {
    for (std::size_t i = 0; i < modes_.size(); ++i) {
        if (modes_[i]->width != width || modes_[i]->height != height) continue;
        if (index) *index = static_cast<std::int32_t>(i);
        return true;
    }
    return false;
}

std::int32_t GUIOptionsWindowBase::GetDefaultModeIndex() const {
    const ParsedMode mode = Parse(DefaultModeText());
    std::int32_t index = 0;
    FindMode(static_cast<std::int32_t>(mode.width), static_cast<std::int32_t>(mode.height), &index);
    return index;
}

void GUIOptionsWindowBase::Open(WindowId source) {
    GUIFrameworkWindow::Open(source);
    const ParsedMode mode = Parse(Vantor::Config::Instance()->values.mode);
    if (!FindMode(static_cast<std::int32_t>(mode.width), static_cast<std::int32_t>(mode.height), &chosenMode))
        chosenMode = GetDefaultModeIndex();
    bitDepth = static_cast<std::int32_t>(mode.bits);
    fullscreenChoice.Reset();
    volumesAtOpening_.Take(*audio_);
}

void GUIOptionsWindowBase::Update() {
    GUIFrameworkWindow::Update();
    fullscreenChoice.Follow();
}

void GUIOptionsWindowBase::Apply() {
    Vantor::Config* config = Vantor::Config::Instance();
    bool changed = false;
    // A chosen index outside the list (the game's window writes it) picks no mode.
    if (chosenMode >= 0 && static_cast<std::size_t>(chosenMode) < modes_.size()) {
        const std::string text =
            modes_[static_cast<std::size_t>(chosenMode)]->text + "x" + std::to_string(static_cast<std::uint32_t>(bitDepth));
        if (Vantor::ToLower(config->values.mode) != text) {
            config->values.mode = text;
            changed = true;
        }
    }
    if (fullscreenChoice.DiffersFromConfig()) {
        fullscreenChoice.Store();
        changed = true;
    }
    if (changed) config->SetCommandState("g_update_video_mode", 0);
    config->Save();
}

void GUIOptionsWindowBase::RestoreDefaults() {
    chosenMode = GetDefaultModeIndex();
    bitDepth = static_cast<std::int32_t>(Parse(DefaultModeText()).bits);
    fullscreenChoice.value = true;
    audio_->SetSoundVolume(audio_->GetConfiguredSoundVolume());
    audio_->SetMusicVolume(audio_->GetConfiguredMusicVolume());
}

void GUIOptionsWindowBase::RestoreVolumes() {
    volumesAtOpening_.Restore(*audio_);
}

}  // namespace GameFramework
