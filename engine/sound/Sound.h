#pragma once
// One playable sound: a file played through a buffer of its own, with a looping flag,
// a volume, a tempo, a 3D position and a state. Its active flag is how the sound
// manager pauses whatever plays while the game window is inactive and resumes it
// afterwards. Sounds are made by the sound system's factories for the sound manager,
// which owns them.

#include <string>

#include "engine/kernel/Vector3.h"

namespace Vantor {

class SoundBuffer;
class SoundBufferManager;

class Sound {
public:
    enum State : int { kPlaying = 0, kPaused = 1, kStopped = 2 };

    virtual ~Sound();
    Sound& operator=(const Sound&) = delete;

    // Inactive pauses a playing sound and remembers it; active again resumes it. A
    // sound already in the asked state is left alone.
    virtual void SetActive(bool active);
    // A playing sound starts again from the beginning, a paused one continues.
    virtual void Play() = 0;
    virtual void Pause() = 0;
    // Back to the beginning.
    virtual void Stop() = 0;
    virtual void SetLooping(bool looping);
    // Linear, 0 silent to 1 full.
    virtual void SetVolume(float volume);
    // A factor on the sample rate.
    virtual void SetTempo(float tempo);
    virtual void SetPosition(const Vector3& position);
    virtual int GetState() const = 0;

    const std::wstring& GetFileName() const { return fileName_; }
    bool IsLooping() const { return looping_; }
    float GetVolume() const { return volume_; }
    float GetTempo() const { return tempo_; }
    const Vector3& GetPosition() const { return position_; }
    bool IsActive() const { return active_; }
    SoundBuffer* GetBuffer() const { return buffer_; }

protected:
    // The buffer comes from the buffer manager, which loads it at once.
    Sound(SoundBufferManager* bufferManager, const std::wstring& file, bool resident);
    // A sound of the source's file with its looping flag, volume, tempo and position,
    // over a resident buffer of its own (which shares the source's static data).
    Sound(const Sound& source);

    // A state asked for while inactive replaces the one remembered when the sound
    // became inactive, so becoming active again does not undo it.
    void ForgetSavedState() { savedState_ = kStopped; }

private:
    SoundBufferManager* bufferManager_;
    std::wstring fileName_;
    SoundBuffer* buffer_;
    bool looping_ = false;
    float volume_ = 1.0f;
    float tempo_ = 1.0f;
    Vector3 position_;
    bool active_ = true;
    // What the sound was doing when it last became inactive.
    int savedState_ = kStopped;
};

}  // namespace Vantor
