#pragma once
// One synthesised note: a band-limited oscillator (its harmonics stop below the Nyquist
// frequency, so sweeps do not alias) or seeded white noise, a frequency sweep, an
// attack-decay-sustain-release envelope and one-pole low- and high-pass filters. The
// same settings and seed always give the same samples.

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class SynthVoice {
public:
    enum class Wave { Sine, Square, Saw, Triangle, Noise };
    struct Settings {
        Wave wave = Wave::Sine;
        // Hertz at the start and at the end of the note (an exponential sweep); an end
        // of 0 holds the start.
        double from = 440.0;
        double to = 0.0;
        double gain = 1.0;
        // Seconds, and the sustain level between 0 and 1.
        double attack = 0.005;
        double decay = 0.05;
        double sustain = 0.7;
        double release = 0.05;
        // Corner frequencies in hertz; 0 leaves the filter out.
        double lowPass = 0.0;
        double highPass = 0.0;
        // -1 left to 1 right, used by the mixer.
        double pan = 0.0;
    };

    // The note held for `seconds`, then its release: seconds + release long.
    static std::vector<float> Render(const Settings& settings, double seconds, int sampleRate, std::uint64_t seed);
    // "sine", "square", "saw", "triangle", "noise"; throws Vantor::Error otherwise.
    static Wave WaveNamed(const std::string& name);
};

}  // namespace Content
