#include "tests/content/lint/LoudnessMeter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace contentlint {

namespace {

constexpr double kBlockSeconds = 0.4, kStepSeconds = 0.1;
constexpr double kAbsoluteGate = -70.0, kRelativeGate = -10.0;

struct Biquad {
    double b0, b1, b2, a1, a2;
};

// The two stages of the K-weighting, designed for the sample rate.
Biquad HighShelf(int sampleRate) {
    const double f0 = 1681.974450955533, gain = 3.999843853973347, q = 0.7071752369554196;
    const double k = std::tan(std::numbers::pi * f0 / sampleRate);
    const double vh = std::pow(10.0, gain / 20.0), vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1.0 + k / q + k * k;
    return {(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
            2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

Biquad LowCut(int sampleRate) {
    const double f0 = 38.13547087602444, q = 0.5003270373238773;
    const double k = std::tan(std::numbers::pi * f0 / sampleRate);
    const double a0 = 1.0 + k / q + k * k;
    return {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

std::vector<double> Filtered(const std::vector<double>& samples, const Biquad& f) {
    std::vector<double> out(samples.size());
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double x = samples[i];
        const double y = f.b0 * x + f.b1 * x1 + f.b2 * x2 - f.a1 * y1 - f.a2 * y2;
        x2 = x1, x1 = x, y2 = y1, y1 = y;
        out[i] = y;
    }
    return out;
}

double Loudness(double power) {
    return power > 0.0 ? -0.691 + 10.0 * std::log10(power) : -std::numeric_limits<double>::infinity();
}

}  // namespace

double LoudnessMeter::Integrated(const std::vector<std::vector<float>>& channels, int sampleRate) {
    if (channels.empty() || channels[0].empty()) return -std::numeric_limits<double>::infinity();
    const std::size_t frames = channels[0].size();
    // Per frame, the weighted squares summed over the channels.
    std::vector<double> squares(frames, 0.0);
    for (const std::vector<float>& channel : channels) {
        const std::vector<double> weighted =
            Filtered(Filtered({channel.begin(), channel.end()}, HighShelf(sampleRate)), LowCut(sampleRate));
        for (std::size_t i = 0; i < frames; ++i) squares[i] += weighted[i] * weighted[i];
    }
    const std::size_t block = std::min(frames, static_cast<std::size_t>(kBlockSeconds * sampleRate));
    const std::size_t step = std::max<std::size_t>(1, static_cast<std::size_t>(kStepSeconds * sampleRate));
    std::vector<double> powers;
    for (std::size_t start = 0; start + block <= frames; start += step) {
        double sum = 0.0;
        for (std::size_t i = start; i < start + block; ++i) sum += squares[i];
        powers.push_back(sum / block);
    }
    const auto gatedMean = [&](double gate) {
        double sum = 0.0;
        std::size_t count = 0;
        for (double power : powers)
            if (Loudness(power) > gate) sum += power, ++count;
        return count ? sum / count : 0.0;
    };
    const double relative = Loudness(gatedMean(kAbsoluteGate)) + kRelativeGate;
    return Loudness(gatedMean(std::max(kAbsoluteGate, relative)));
}

double LoudnessMeter::PeakDecibels(const std::vector<std::vector<float>>& channels) {
    float peak = 0.0f;
    for (const std::vector<float>& channel : channels)
        for (float sample : channel) peak = std::max(peak, std::abs(sample));
    return peak > 0.0f ? 20.0 * std::log10(peak) : -std::numeric_limits<double>::infinity();
}

}  // namespace contentlint
