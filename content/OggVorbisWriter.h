#pragma once
// Encodes PCM as an Ogg Vorbis stream through libvorbisenc, for the sound tests and
// the data folder. The same samples always give the same bytes.

#include <cstdint>
#include <vector>

namespace Content {

class OggVorbisWriter {
public:
    using Bytes = std::vector<std::uint8_t>;

    static constexpr int kDefaultSerial = 0x4D56;

    // Interleaved 16-bit samples, `channels` per frame, at a variable bit rate of the
    // given quality (-0.1 to 1), in a logical stream of the given serial number (the
    // data builder derives it from the file's path). Throws Vantor::Error when the
    // encoder refuses the format.
    static Bytes Encode(const std::vector<std::int16_t>& samples, int channels, long sampleRate,
                        float quality = 0.4f, int serial = kDefaultSerial);
};

}  // namespace Content
