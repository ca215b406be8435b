#pragma once
// A sound over a DirectSound buffer. Besides the state machine, its per-frame pass
// restores a buffer whose memory was lost and notices a sound that has finished.

#include <string>

#include "engine/sound/Sound.h"

namespace Vantor {

class SoundBuffer_DS7;

class Sound_DS7 : public Sound {
public:
    // The buffer is loaded at once; volume, tempo and position are applied to it.
    Sound_DS7(SoundBufferManager* bufferManager, const std::wstring& file, bool resident);
    // A sound of the source's file and settings over a resident buffer of its own,
    // stopped.
    Sound_DS7(const Sound_DS7& source);

    // The base, then every frame: a lost buffer is restored (a stream restarted in
    // its state), and a sound whose buffer no longer plays becomes stopped.
    void SetActive(bool active) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    // On a playing static sound it takes effect without a restart.
    void SetLooping(bool looping) override;
    void SetVolume(float volume) override;
    void SetTempo(float tempo) override;
    void SetPosition(const Vector3& position) override;
    int GetState() const override { return state_; }

private:
    void ApplySettings();
    // The state changes themselves, without touching what the sound remembers
    // about being inactive.
    void StartBuffer();
    void PauseBuffer();
    void StopBuffer();
    void RestartLostStream();

    SoundBuffer_DS7* buffer_;
    int state_ = kStopped;
};

}  // namespace Vantor
