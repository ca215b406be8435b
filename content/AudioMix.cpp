#include "content/AudioMix.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Content {

AudioMix::AudioMix(int channels, std::size_t frames, bool loop)
    : channels_(channels), frames_(frames), loop_(loop), samples_(frames * channels, 0.0f) {}

void AudioMix::Add(const std::vector<float>& note, std::size_t startFrame, double pan) {
    if (frames_ == 0) return;
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * std::numbers::pi / 4.0;
    const float gains[2] = {static_cast<float>(std::cos(angle) * std::numbers::sqrt2),
                            static_cast<float>(std::sin(angle) * std::numbers::sqrt2)};
    for (std::size_t i = 0; i < note.size(); ++i) {
        std::size_t frame = startFrame + i;
        if (frame >= frames_) {
            if (!loop_) break;
            frame %= frames_;
        }
        if (channels_ == 1) samples_[frame] += note[i];
        else
            for (int c = 0; c < 2; ++c) samples_[frame * 2 + c] += note[i] * gains[c];
    }
}

void AudioMix::Echo(double seconds, double feedback, int sampleRate) {
    const auto delay = static_cast<std::size_t>(std::llround(seconds * sampleRate));
    if (delay == 0 || delay >= frames_) return;
    // A loop goes round twice so that echoes of its end reach its start.
    const std::size_t passes = loop_ ? 2 : 1;
    const std::vector<float> dry = samples_;
    std::vector<float> wet = dry;
    for (std::size_t pass = 0; pass < passes; ++pass)
        for (std::size_t frame = 0; frame < frames_; ++frame) {
            if (!loop_ && frame < delay) continue;
            const std::size_t from = (frame + frames_ - delay) % frames_;
            for (int c = 0; c < channels_; ++c)
                wet[frame * channels_ + c] = dry[frame * channels_ + c] + static_cast<float>(feedback) * wet[from * channels_ + c];
        }
    samples_ = std::move(wet);
}

void AudioMix::Normalise(double peak) {
    float largest = 0.0f;
    for (float sample : samples_) largest = std::max(largest, std::fabs(sample));
    if (largest == 0.0f) return;
    const float scale = static_cast<float>(peak) / largest;
    for (float& sample : samples_) sample *= scale;
}

std::vector<std::int16_t> AudioMix::Pcm16() const {
    std::vector<std::int16_t> out(samples_.size());
    for (std::size_t i = 0; i < samples_.size(); ++i)
        out[i] = static_cast<std::int16_t>(std::clamp(std::lround(samples_[i] * 32767.0f), -32768L, 32767L));
    return out;
}

}  // namespace Content
