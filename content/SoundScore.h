#pragma once
// The small text score the data set's sounds are written in, and its rendering at
// 22050 Hz. One statement per line, "#" starts a comment, values are key=value:
//
//   sound channels=1 length=0.4 loop=0 peak=0.9   the mix: 1 (effects) or 2 (music)
//                                                 channels, seconds, looping, peak
//   tempo 120                                     beats per minute for "notes"
//   voice lead wave=square attack=0.01 ...        named settings for later lines
//   tone at=0 for=0.2 from=440 to=880 ...         one note (voice=<name> starts from
//                                                 a voice's settings)
//   notes voice=lead at=0 C5:1 E5:0.5 r:1 C4+G4:2 notes one after another, durations
//                                                 in beats, "r" a rest, "+" a chord
//   echo delay=0.15 feedback=0.3                  applied after every note
//
// Settings keys: wave (sine, square, saw, triangle, noise), from, to, gain, attack,
// decay, sustain, release, lowpass, highpass, pan. A looping sound is exactly `length`
// long and seamless; notes running past the end of a loop continue at its start.

#include <cstdint>
#include <string>
#include <vector>

#include "content/AudioMix.h"

namespace Content {

class SoundScore {
public:
    static constexpr int kSampleRate = 22050;
    // The longest sound, and the longest time any note starts at, lasts or fades out.
    static constexpr double kMaxSeconds = 600.0;

    // Throws Vantor::Error "<source>:<line>: <what>" for a statement it cannot read or
    // a time beyond the limit.
    static AudioMix Render(const std::string& text, const std::string& sourceName, std::uint64_t seed,
                           double maxSeconds = kMaxSeconds);
    // "A4" = 440 Hz, "C#5", "Bb3"; throws Vantor::Error for anything else.
    static double NoteFrequency(const std::string& name);
};

}  // namespace Content
