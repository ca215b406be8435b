#include "engine/sound/SoundManager.h"

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
    sounds_.Add(sound);
    return sound;
}

void SoundManager::DestroySound(Sound* sound) {
    if (!sounds_.Remove(sound)) return;
    // The queue must never reach a deleted sound, nor a later one at the same address.
    std::erase_if(requests_, [&](const SoundRequest& request) { return request.sound == sound; });
    delete sound;
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
    for (std::uint32_t id : sounds_.GetLiveIds()) sounds_.Get(id)->SetActive(active_);
    bufferManager_->UpdateAll();
}

void SoundManager::DestroyAll() {
    ClearRequests();
    sounds_.DeleteAll();
    delete bufferManager_;
    bufferManager_ = nullptr;
}

}  // namespace Vantor
