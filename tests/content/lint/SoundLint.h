#pragma once
// Checks the game's sound files below "audio\" as the game registers them: every file
// of the table is there and decodes whole; peaks and loudness (LoudnessMeter) lie in the
// bounds of the style guide for the file's category (interface sounds, effects of the
// day, music); effects last at most 1.5 s and music 45 to 120 s; a looping file's last
// sample joins its first without a step: the jump across the seam is no larger than the
// step between neighbouring samples is at 99 % of the places inside the sound.

#include <string>
#include <vector>

namespace contentlint {

class SoundLint {
public:
    enum class Category { Interface, Effect, Music };
    struct Sound {
        std::string file;  // below the data folder, backslashes
        Category category;
        bool loops;
    };
    // Decoded samples in -1..1, one vector per channel.
    using Channels = std::vector<std::vector<float>>;

    static const std::vector<Sound>& Sounds();
    // The problems of one decoded sound, without the file's name.
    static std::vector<std::string> Check(const Sound& sound, const Channels& channels, int sampleRate);

    // Needs the engine's file manager over the data folder (DataLint::Engine).
    std::vector<std::string> Run() const;
};

}  // namespace contentlint
