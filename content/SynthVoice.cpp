#include "content/SynthVoice.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/kernel/Error.h"

namespace Content {

namespace {

constexpr int kMaxHarmonics = 48;

// Sum of the wave's harmonics below the Nyquist frequency, at the phase (in cycles).
double BandLimited(SynthVoice::Wave wave, double phase, double frequency, int sampleRate) {
    const double angle = 2.0 * std::numbers::pi * phase;
    if (wave == SynthVoice::Wave::Sine) return std::sin(angle);
    const int harmonics = std::clamp(static_cast<int>(sampleRate / 2.0 / frequency), 1, kMaxHarmonics);
    double sum = 0.0;
    for (int k = 1; k <= harmonics; ++k) {
        switch (wave) {
            case SynthVoice::Wave::Square:
                if (k % 2) sum += std::sin(k * angle) / k;
                break;
            case SynthVoice::Wave::Saw:
                sum += std::sin(k * angle) / k;
                break;
            case SynthVoice::Wave::Triangle:
                if (k % 2) sum += ((k / 2) % 2 ? -1.0 : 1.0) * std::sin(k * angle) / (k * k);
                break;
            default:
                break;
        }
    }
    switch (wave) {
        case SynthVoice::Wave::Square: return sum * 4.0 / std::numbers::pi;
        case SynthVoice::Wave::Saw: return sum * 2.0 / std::numbers::pi;
        default: return sum * 8.0 / (std::numbers::pi * std::numbers::pi);
    }
}

double EnvelopeAt(const SynthVoice::Settings& s, double time, double held) {
    double level;
    if (time < s.attack) level = time / s.attack;
    else if (time < s.attack + s.decay) level = 1.0 - (1.0 - s.sustain) * (time - s.attack) / s.decay;
    else level = s.sustain;
    if (time >= held) {
        const double atRelease = EnvelopeAt(s, held - 1e-9, held + 1.0);
        level = s.release > 0 ? atRelease * std::max(0.0, 1.0 - (time - held) / s.release) : 0.0;
    }
    return level;
}

// A 64-bit xorshift, seeded per note.
class Noise {
public:
    explicit Noise(std::uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
    double Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<double>(state_ >> 11) / static_cast<double>(1ull << 52) - 1.0;
    }

private:
    std::uint64_t state_;
};

void OnePole(std::vector<float>& samples, double corner, int sampleRate, bool highPass) {
    const double a = std::exp(-2.0 * std::numbers::pi * corner / sampleRate);
    double low = 0.0;
    for (float& sample : samples) {
        low = (1.0 - a) * sample + a * low;
        sample = static_cast<float>(highPass ? sample - low : low);
    }
}

}  // namespace

std::vector<float> SynthVoice::Render(const Settings& settings, double seconds, int sampleRate, std::uint64_t seed) {
    const double total = seconds + settings.release;
    const auto count = static_cast<std::size_t>(std::llround(total * sampleRate));
    const double end = settings.to > 0.0 ? settings.to : settings.from;
    std::vector<float> samples(count);
    Noise noise(seed);
    double phase = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double time = static_cast<double>(i) / sampleRate;
        const double progress = seconds > 0 ? std::min(1.0, time / seconds) : 1.0;
        const double frequency = settings.from * std::pow(end / settings.from, progress);
        const double value = settings.wave == Wave::Noise ? noise.Next() : BandLimited(settings.wave, phase, frequency, sampleRate);
        samples[i] = static_cast<float>(value * settings.gain * EnvelopeAt(settings, time, seconds));
        phase += frequency / sampleRate;
        phase -= std::floor(phase);
    }
    if (settings.lowPass > 0.0) OnePole(samples, settings.lowPass, sampleRate, false);
    if (settings.highPass > 0.0) OnePole(samples, settings.highPass, sampleRate, true);
    return samples;
}

SynthVoice::Wave SynthVoice::WaveNamed(const std::string& name) {
    if (name == "sine") return Wave::Sine;
    if (name == "square") return Wave::Square;
    if (name == "saw") return Wave::Saw;
    if (name == "triangle") return Wave::Triangle;
    if (name == "noise") return Wave::Noise;
    throw Vantor::Error("unknown wave \"" + name + "\"");
}

}  // namespace Content
