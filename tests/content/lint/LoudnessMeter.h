#pragma once
// Integrated loudness of a sound in LUFS, measured as broadcast meters do: each
// channel K-weighted (a high shelf and a low cut), mean squares over 400 ms blocks
// every 100 ms, blocks below -70 LUFS and then those 10 LU below the mean of the rest
// left out, the channels' powers added. A sound shorter than one block is measured as
// one block of its own length. Silence measures -infinity.

#include <vector>

namespace contentlint {

class LoudnessMeter {
public:
    // Each channel's samples in -1..1, all of one length.
    static double Integrated(const std::vector<std::vector<float>>& channels, int sampleRate);
    // The largest magnitude in dBFS (-infinity for silence).
    static double PeakDecibels(const std::vector<std::vector<float>>& channels);
};

}  // namespace contentlint
