#include "content/OggVorbisWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <string>

#include "engine/kernel/Error.h"

namespace Content {

namespace {

constexpr long kFramesPerBlock = 1024;

// The encoder's state, cleared in reverse order of its set-up.
class Encoder {
public:
    Encoder(int channels, long sampleRate, float quality, int serial) {
        vorbis_info_init(&info_);
        if (channels < 1 || sampleRate < 1 || vorbis_encode_init_vbr(&info_, channels, sampleRate, quality) != 0) {
            vorbis_info_clear(&info_);
            throw Vantor::Error("The Vorbis encoder refuses " + std::to_string(channels) + " channels at " +
                                std::to_string(sampleRate) + " Hz");
        }
        vorbis_comment_init(&comment_);
        vorbis_analysis_init(&dsp_, &info_);
        vorbis_block_init(&dsp_, &block_);
        ogg_stream_init(&stream_, serial);
    }
    ~Encoder() {
        ogg_stream_clear(&stream_);
        vorbis_block_clear(&block_);
        vorbis_dsp_clear(&dsp_);
        vorbis_comment_clear(&comment_);
        vorbis_info_clear(&info_);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    void WriteHeaders(OggVorbisWriter::Bytes& out) {
        ogg_packet identification, comments, codebooks;
        vorbis_analysis_headerout(&dsp_, &comment_, &identification, &comments, &codebooks);
        ogg_stream_packetin(&stream_, &identification);
        ogg_stream_packetin(&stream_, &comments);
        ogg_stream_packetin(&stream_, &codebooks);
        // The audio starts on a page of its own.
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page) != 0) Append(page, out);
    }

    void WriteSamples(const std::int16_t* samples, long frames, int channels, OggVorbisWriter::Bytes& out) {
        float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(frames));
        for (long frame = 0; frame < frames; ++frame)
            for (int channel = 0; channel < channels; ++channel)
                buffer[channel][frame] = samples[frame * channels + channel] / 32768.0f;
        vorbis_analysis_wrote(&dsp_, static_cast<int>(frames));
        Drain(out);
    }

    void Finish(OggVorbisWriter::Bytes& out) {
        vorbis_analysis_wrote(&dsp_, 0);
        Drain(out);
    }

private:
    void Drain(OggVorbisWriter::Bytes& out) {
        while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
            vorbis_analysis(&block_, nullptr);
            vorbis_bitrate_addblock(&block_);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1) {
                ogg_stream_packetin(&stream_, &packet);
                ogg_page page;
                // Once the last packet is in, the rest comes out however short.
                while (ogg_stream_pageout(&stream_, &page) != 0) Append(page, out);
            }
        }
    }

    static void Append(const ogg_page& page, OggVorbisWriter::Bytes& out) {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    }

    vorbis_info info_;
    vorbis_comment comment_;
    vorbis_dsp_state dsp_;
    vorbis_block block_;
    ogg_stream_state stream_;
};

}  // namespace

OggVorbisWriter::Bytes OggVorbisWriter::Encode(const std::vector<std::int16_t>& samples, int channels,
                                               long sampleRate, float quality, int serial) {
    Encoder encoder(channels, sampleRate, quality, serial);
    Bytes out;
    encoder.WriteHeaders(out);
    const long frames = static_cast<long>(samples.size()) / channels;
    for (long first = 0; first < frames; first += kFramesPerBlock)
        encoder.WriteSamples(samples.data() + first * channels, std::min(kFramesPerBlock, frames - first), channels,
                             out);
    encoder.Finish(out);
    return out;
}

}  // namespace Content
