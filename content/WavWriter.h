#pragma once
// Builds RIFF/WAVE files chunk by chunk, in any order and with any chunks between
// the format and the data, for the sound tests and the data folder.

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class WavWriter {
public:
    using Bytes = std::vector<std::uint8_t>;

    struct Format {
        std::uint16_t formatTag = 1;  // PCM
        std::uint16_t channels = 2;
        std::uint32_t sampleRate = 22050;
        std::uint16_t bitsPerSample = 16;
    };

    // The 16 bytes of a "fmt " chunk; block alignment and data rate follow from the format.
    static Bytes FormatFields(const Format& format);
    // Little-endian bytes of 16-bit samples.
    static Bytes SampleBytes(const std::vector<std::int16_t>& samples);
    // A plain file: the format chunk, then the data chunk.
    static Bytes Write(const Format& format, const Bytes& pcm);

    // Appends a chunk with a four-character id; its size is the content's.
    WavWriter& AddChunk(const std::string& id, const Bytes& content);
    WavWriter& AddFormat(const Format& format) { return AddChunk("fmt ", FormatFields(format)); }
    WavWriter& AddData(const Bytes& pcm) { return AddChunk("data", pcm); }
    // "RIFF", the size of what follows, "WAVE", then the chunks in the order added.
    Bytes Build() const;

private:
    Bytes chunks_;
};

}  // namespace Content
