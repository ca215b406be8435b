#include "engine/sound/SoundManager.h"

#include <algorithm>

#include "engine/sound/Sound.h"
#include "engine/sound/SoundBufferManager.h"
#include "engine/sound/SoundSystem.h"

namespace Vantor {

SoundManager::SoundManager() : bufferManager_(new SoundBufferManager()) {
    SoundSystem::Instance()->SetBufferManager(bufferManager_);
}

SoundManager::~SoundManager() { DestroyAll(); }

Sound* SoundManager::CreateSound(const std::wstring& file, bool resident, const std::string&) {
    Sound* sound = SoundSystem::Instance()->CreateSound(file, resident);
    std::uint32_t id = nextId_;
    if (freeIds_.empty()) {
        ++nextId_;
        slots_.push_back(sound);
    } else {
        id = freeIds_.back();
        freeIds_.pop_back();
        slots_[id] = sound;
    }
    liveIds_.push_back(id);
    return sound;
}

void SoundManager::DestroySound(Sound* sound) {
    if (sound == nullptr) return;
    const auto live =
        std::find_if(liveIds_.begin(), liveIds_.end(), [&](std::uint32_t id) { return slots_[id] == sound; });
    if (live == liveIds_.end()) return;
    // The queue must never reach a deleted sound, nor a later one at the same address.
    std::erase_if(requests_, [&](const SoundRequest& request) { return request.sound == sound; });
    const std::uint32_t id = *live;
    delete sound;
    slots_[id] = nullptr;
    freeIds_.push_back(id);
    liveIds_.erase(live);
}

void SoundManager::Play(Sound* sound, bool immediate) { Request(SoundRequest::kPlay, sound, immediate); }

void SoundManager::Pause(Sound* sound, bool immediate) { Request(SoundRequest::kPause, sound, immediate); }

void SoundManager::Stop(Sound* sound, bool immediate) { Request(SoundRequest::kStop, sound, immediate); }

void SoundManager::Request(SoundRequest::Kind kind, Sound* sound, bool immediate) {
    if (sound == nullptr) return;
    const SoundRequest request{kind, sound};
    if (immediate && active_)
        Carry(request);
    else
        requests_.push_back(request);
}

void SoundManager::Carry(const SoundRequest& request) {
    switch (request.kind) {
        case SoundRequest::kPlay:
            request.sound->Play();
            break;
        case SoundRequest::kPause:
            request.sound->Pause();
            break;
        case SoundRequest::kStop:
            request.sound->Stop();
            break;
    }
}

void SoundManager::SetActive(bool active) {
    active_ = active;
    if (active_) {
        for (const SoundRequest& request : requests_) Carry(request);
        ClearRequests();
    }
    for (std::uint32_t id : liveIds_) slots_[id]->SetActive(active_);
    bufferManager_->UpdateAll();
}

void SoundManager::DestroyAll() {
    ClearRequests();
    freeIds_.clear();
    for (std::uint32_t id : liveIds_) {
        delete slots_[id];
        slots_[id] = nullptr;
    }
    liveIds_.clear();
    slots_.clear();
    delete bufferManager_;
    bufferManager_ = nullptr;
}

}  // namespace Vantor
