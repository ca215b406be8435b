#pragma once
// The engine's platform-neutral sound device: the factory of sounds and buffers, the
// holder of the 3D listener, refreshed once per frame. The engine makes one and
// registers it as the instance; without one the program runs silent.

#include <cstdint>
#include <string>

#include "engine/kernel/GlobalPointerHolder.h"
#include "engine/kernel/Vector3.h"

namespace Vantor {

class Sound;
class SoundBuffer;
class SoundBufferManager;

class SoundSystem : public GlobalPointerHolder<SoundSystem> {
public:
    explicit SoundSystem(bool use3D);
    virtual ~SoundSystem() = default;
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    virtual void Refresh() {}
    // New sounds owned by the caller, bound to the buffer manager.
    virtual Sound* CreateSound(const std::wstring& file, bool resident) = 0;
    virtual Sound* CloneSound(const Sound& source) = 0;
    // New buffers owned by the caller. The scratch area (SoundBuffer::kRingSize bytes)
    // is lent to the buffer for decoding.
    virtual SoundBuffer* CreateBuffer(const std::wstring& file, std::uint8_t* scratch, bool resident) = 0;
    virtual SoundBuffer* CloneBuffer(const SoundBuffer& source, std::uint8_t* scratch) = 0;
    virtual void SetListenerPosition(const Vector3& position);
    virtual void SetListenerOrientation(const Vector3& forward, const Vector3& up);
    // At the origin, facing (0, 0, -1) with up (0, 1, 0).
    virtual void ResetListener();

    // Called once by the sound manager, which owns the buffer manager.
    void SetBufferManager(SoundBufferManager* manager) { bufferManager_ = manager; }
    SoundBufferManager* GetBufferManager() const { return bufferManager_; }
    bool GetUse3D() const { return use3D_; }
    const Vector3& GetListenerPosition() const { return listenerPosition_; }
    const Vector3& GetListenerForward() const { return listenerForward_; }
    const Vector3& GetListenerUp() const { return listenerUp_; }

protected:
    bool use3D_;

private:
    SoundBufferManager* bufferManager_ = nullptr;
    Vector3 listenerPosition_;
    Vector3 listenerForward_;
    Vector3 listenerUp_;
};

}  // namespace Vantor
