#pragma once
// The mixer of synthesised sounds: notes placed at sample positions, panned into one or
// two channels, an echo, peak normalisation and 16-bit output. A looping mix wraps
// whatever runs past its end (note tails, echoes) around to its start, so the last
// sample joins the first without a step.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Content {

class AudioMix {
public:
    AudioMix(int channels, std::size_t frames, bool loop);

    int Channels() const { return channels_; }
    std::size_t Frames() const { return frames_; }
    float Sample(std::size_t frame, int channel) const { return samples_[frame * channels_ + channel]; }

    // Pan -1 is left, 1 right (equal power); a mono mix ignores it.
    void Add(const std::vector<float>& note, std::size_t startFrame, double pan);
    // Each sample gets `feedback` times the sample `seconds` before it, repeating.
    void Echo(double seconds, double feedback, int sampleRate);
    // Scales so that the largest magnitude is `peak` (silence stays silent).
    void Normalise(double peak);
    // Interleaved, rounded and clamped.
    std::vector<std::int16_t> Pcm16() const;

private:
    int channels_;
    std::size_t frames_;
    bool loop_;
    std::vector<float> samples_;
};

}  // namespace Content
