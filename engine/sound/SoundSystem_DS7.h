#pragma once
// The sound system over DirectSound: the default device at the priority level on the
// game window, a 22050 Hz 16-bit stereo primary buffer and, with 3D sound, the
// listener. It also gives every DirectSound call of the sound code its result check
// and the one conversion of a linear volume into an attenuation.

#include <cstdint>
#include <string>

#include "engine/sound/SoundSystem.h"
#include "platform/DirectSound.h"

namespace Vantor {

class SoundSystem_DS7 : public SoundSystem {
public:
    // The window is the one the cooperative level is set on: the game window, whose
    // handle the engine passes in. Throws an Error with an empty text when the device
    // cannot be opened; the error line logged before it describes the failure.
    SoundSystem_DS7(bool use3D, HWND window);
    ~SoundSystem_DS7() override;

    // The registered instance; the only implementation there is.
    static SoundSystem_DS7* Current() { return static_cast<SoundSystem_DS7*>(Instance()); }

    // Restores a lost primary buffer and commits the frame's deferred 3D settings.
    void Refresh() override;
    Sound* CreateSound(const std::wstring& file, bool resident) override;
    Sound* CloneSound(const Sound& source) override;
    SoundBuffer* CreateBuffer(const std::wstring& file, std::uint8_t* scratch, bool resident) override;
    SoundBuffer* CloneBuffer(const SoundBuffer& source, std::uint8_t* scratch) override;
    void SetListenerPosition(const Vector3& position) override;
    void SetListenerOrientation(const Vector3& forward, const Vector3& up) override;

    // A result other than 0 is logged as "DirectSound Subsystem (" + where + "): " and
    // the text of the code; the caller goes on.
    static void CheckResult(const std::string& where, HRESULT result);
    // 1000 x ln(volume) hundredths of a decibel, truncated, never below DSBVOLUME_MIN.
    static LONG VolumeToAttenuation(float volume);

    IDirectSound* GetDevice() const { return device_; }
    IDirectSoundBuffer* GetPrimaryBuffer() const { return primary_; }
    IDirectSound3DListener* GetListener() const { return listener_; }

private:
    static std::string ResultText(HRESULT result);
    // Logs the failure, releases what was made and throws.
    [[noreturn]] void FailConstruction(const std::string& text);
    void Teardown();

    IDirectSound* device_ = nullptr;
    IDirectSoundBuffer* primary_ = nullptr;
    IDirectSound3DListener* listener_ = nullptr;
};

}  // namespace Vantor
