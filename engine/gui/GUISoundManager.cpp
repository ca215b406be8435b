#include "engine/gui/GUISoundManager.h"

#include "engine/sound/SoundManager.h"

namespace Vantor {

GUISoundManager::GUISoundManager(SoundManager* engineSounds) : engineSounds_(engineSounds) {}

GUISoundManager::~GUISoundManager() {
    for (auto entry = sounds_.rbegin(); entry != sounds_.rend(); ++entry) {
        engineSounds_->DestroySound((*entry)->sound);
        delete *entry;
    }
}

void GUISoundManager::AddSound(const std::string& name, const std::wstring& file, bool resident) {
    if (!engineSounds_) return;
    auto* entry = new GUISound{name, 0, nullptr};
    sounds_.push_back(entry);
    entry->sound = engineSounds_->CreateSound(file, resident);
}

void GUISoundManager::PlaySound(const std::string& name) {
    if (!engineSounds_) return;
    GUISound* chosen = nullptr;
    for (GUISound* entry : sounds_)
        if (entry->name == name && (!chosen || entry->playCount < chosen->playCount)) chosen = entry;
    if (!chosen) return;
    engineSounds_->Play(chosen->sound, false);
    ++chosen->playCount;
}

}  // namespace Vantor
