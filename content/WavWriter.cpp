#include "content/WavWriter.h"

#include "engine/kernel/Error.h"

namespace Content {

namespace {

void PutU16(WavWriter::Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(WavWriter::Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutText(WavWriter::Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

}  // namespace

WavWriter::Bytes WavWriter::FormatFields(const Format& format) {
    const std::uint32_t blockAlign = format.channels * format.bitsPerSample / 8u;
    Bytes fields;
    PutU16(fields, format.formatTag);
    PutU16(fields, format.channels);
    PutU32(fields, format.sampleRate);
    PutU32(fields, format.sampleRate * blockAlign);
    PutU16(fields, blockAlign);
    PutU16(fields, format.bitsPerSample);
    return fields;
}

WavWriter::Bytes WavWriter::SampleBytes(const std::vector<std::int16_t>& samples) {
    Bytes bytes;
    bytes.reserve(samples.size() * 2);
    for (std::int16_t sample : samples) PutU16(bytes, static_cast<std::uint16_t>(sample));
    return bytes;
}

WavWriter::Bytes WavWriter::Write(const Format& format, const Bytes& pcm) {
    return WavWriter().AddFormat(format).AddData(pcm).Build();
}

WavWriter& WavWriter::AddChunk(const std::string& id, const Bytes& content) {
    if (id.size() != 4) throw Vantor::Error("A chunk id has four characters: " + id);
    PutText(chunks_, id);
    PutU32(chunks_, static_cast<std::uint32_t>(content.size()));
    chunks_.insert(chunks_.end(), content.begin(), content.end());
    return *this;
}

WavWriter::Bytes WavWriter::Build() const {
    Bytes file;
    file.reserve(12 + chunks_.size());
    PutText(file, "RIFF");
    PutU32(file, static_cast<std::uint32_t>(4 + chunks_.size()));
    PutText(file, "WAVE");
    file.insert(file.end(), chunks_.begin(), chunks_.end());
    return file;
}

}  // namespace Content
