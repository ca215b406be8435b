#pragma once
// The program's table of sounds. It makes sounds from file names and destroys them,
// lists the live ones, and plays, pauses and stops them either at once or through a
// request queue replayed at the end of each frame. Its per-frame pass also hands every
// sound the active flag, so that everything pauses while the game window is inactive,
// and lets the streams refill. The engine makes it after the sound system, and only
// when there is one.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/kernel/GlobalPointerHolder.h"
#include "engine/kernel/SlotTable.h"

namespace Vantor {

class Sound;
class SoundBufferManager;

struct SoundRequest {
    enum Kind : int { kPlay = 0, kPause = 1, kStop = 2 };

    int kind;
    Sound* sound;
};

class SoundManager : public GlobalPointerHolder<SoundManager> {
public:
    // Hands its buffer manager to the registered sound system.
    SoundManager();
    // Deletes every sound, then the buffers.
    virtual ~SoundManager();
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    // The file is read here; a file that cannot be read still gives a sound, which
    // plays silence. The name is accepted for callers that pass one and is not used.
    Sound* CreateSound(const std::wstring& file, bool resident, const std::string& name = {});
    // Deletes a sound made here, together with its queued requests; null is ignored.
    void DestroySound(Sound* sound);

    std::size_t GetSoundCount() const { return sounds_.GetLiveCount(); }
    // In the order the sounds were made; a reused id counts as made last.
    Sound* GetSound(std::size_t index) const { return sounds_.Get(GetSoundId(index)); }
    std::uint32_t GetSoundId(std::size_t index) const { return sounds_.GetLiveIds()[index]; }

    // At once when immediate and active; otherwise queued for the end of the frame
    // (while inactive, for the first active frame).
    void Play(Sound* sound, bool immediate);
    void Pause(Sound* sound, bool immediate);
    void Stop(Sound* sound, bool immediate);

    // The per-frame pass: when active the queue is replayed in order and emptied;
    // every sound then gets the flag, and the streams refill.
    void SetActive(bool active);

private:
    void Request(SoundRequest::Kind kind, Sound* sound, bool immediate);
    static void Carry(const SoundRequest& request);
    void ClearRequests() { requests_.clear(); }
    void DestroyAll();

    SoundBufferManager* bufferManager_;
    // Owned sounds by id.
    SlotTable<Sound> sounds_;
    std::vector<SoundRequest> requests_;
    bool active_ = true;
};

}  // namespace Vantor
