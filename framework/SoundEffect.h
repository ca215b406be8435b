#pragma once
// One instance of a named sound effect: an engine sound of its own, so that several
// instances of one effect can sound at once, and the clock time at which the audio
// manager last chose it. The audio manager makes and owns the instances.

#include <string>

namespace Vantor {
class Sound;
}

namespace GameFramework {

class SoundEffect {
public:
    SoundEffect(const std::string& key, const std::wstring& file, Vantor::Sound* sound, bool loop)
        : key(key), file(file), sound(sound), loop(loop) {}

    std::string key;
    std::wstring file;
    Vantor::Sound* sound;  // made by the sound manager, released by the audio manager
    bool loop;
    // Seconds on the frame clock.
    float lastStart = 0.0f;
};

}  // namespace GameFramework
