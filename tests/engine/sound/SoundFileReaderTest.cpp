#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <numbers>

#include "engine/kernel/FileError.h"
#include "engine/sound/SoundFileReaderEMP.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"
#include "tests/engine/sound/SoundTestSupport.h"

namespace {

using Content::OggVorbisWriter;
using Content::WavWriter;
using soundtest::Bytes;
using Vantor::SoundFileReader;

const WavWriter::Format kStereo16{1, 2, 22050, 16};
const char* const kWavPath = "Failed to load \"data\\audio\\test.wav\" sound file - ";
const char* const kOggPath = "Failed to load \"data\\audio\\test.ogg\" sound file - ";

// Everything the reader hands out, in pieces of the given size.
Bytes ReadAll(SoundFileReader& reader, std::uint32_t piece) {
    Bytes all;
    Bytes buffer(piece);
    for (;;) {
        std::uint32_t read = 0;
        bool end = false;
        reader.Read(buffer.data(), piece, read, end);
        all.insert(all.end(), buffer.begin(), buffer.begin() + read);
        if (end) return all;
        if (read == 0) {
            ADD_FAILURE() << "a read gave nothing without reporting the end";
            return all;
        }
    }
}

Bytes Chunk(std::size_t size, std::uint8_t fill = 0xEE) { return Bytes(size, fill); }

void PutU32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

class SoundFileReaderTest : public soundtest::SoundKernelTest {
protected:
    std::unique_ptr<Vantor::SoundFileReaderWAV> OpenWav(const Bytes& file) {
        WriteData("audio/test.wav", file);
        return std::make_unique<Vantor::SoundFileReaderWAV>(L"audio\\test.wav");
    }

    std::string WavError(const Bytes& file) {
        try {
            OpenWav(file);
        } catch (const Vantor::FileError& error) {
            return error.GetText();
        }
        return "no error";
    }

    std::unique_ptr<Vantor::SoundFileReaderOGG> OpenOgg(const Bytes& file) {
        WriteData("audio/test.ogg", file);
        return std::make_unique<Vantor::SoundFileReaderOGG>(L"audio\\test.ogg");
    }

    std::string OggError(const Bytes& file) {
        try {
            OpenOgg(file);
        } catch (const Vantor::FileError& error) {
            return error.GetText();
        }
        return "no error";
    }
};

// ---- WAV: chunk layout -------------------------------------------------------------

struct ChunkLayout {
    const char* name;
    std::function<WavWriter(const Bytes& pcm)> build;
};

TEST_F(SoundFileReaderTest, WavChunksAreFoundInAnyOrderAndBetweenOthers) {
    const Bytes pcm = soundtest::NoiseBytes(1000);
    const Bytes format = WavWriter::FormatFields(kStereo16);
    Bytes longFormat = format;
    longFormat.insert(longFormat.end(), {0, 0});  // the 18-byte form with an empty extension
    const ChunkLayout layouts[] = {
        {"format then data", [&](const Bytes& data) { return WavWriter().AddFormat(kStereo16).AddData(data); }},
        {"lists before both",
         [&](const Bytes& data) {
             return WavWriter()
                 .AddChunk("LIST", Chunk(26))
                 .AddFormat(kStereo16)
                 .AddChunk("LIST", Chunk(7))
                 .AddData(data);
         }},
        {"data first, format ending the file",
         [&](const Bytes& data) { return WavWriter().AddData(data).AddFormat(kStereo16); }},
        {"a 14-byte format chunk passed over",
         [&](const Bytes& data) {
             return WavWriter().AddChunk("fmt ", Chunk(14, 0)).AddFormat(kStereo16).AddData(data);
         }},
        {"an 18-byte format chunk",
         [&](const Bytes& data) { return WavWriter().AddChunk("fmt ", longFormat).AddData(data); }},
    };
    for (const ChunkLayout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        auto reader = OpenWav(layout.build(pcm).Build());
        EXPECT_EQ(reader->GetChannels(), 2u);
        EXPECT_EQ(reader->GetBitsPerSample(), 16u);
        EXPECT_EQ(reader->GetSampleRate(), 22050u);
        EXPECT_EQ(reader->GetTotalBytes(), pcm.size());
        EXPECT_EQ(ReadAll(*reader, 333), pcm);
    }
}

TEST_F(SoundFileReaderTest, WavFormatsOtherThanMonoOrStereoPcmOf8Or16BitsAreRefused) {
    const struct {
        const char* name;
        WavWriter::Format format;
    } refused[] = {
        {"floating point", {3, 2, 22050, 16}},
        {"three channels", {1, 3, 22050, 16}},
        {"24 bits", {1, 2, 22050, 24}},
        {"no channels", {1, 0, 22050, 16}},
        {"no sample rate", {1, 2, 0, 16}},
    };
    for (const auto& entry : refused) {
        SCOPED_TRACE(entry.name);
        EXPECT_EQ(WavError(WavWriter::Write(entry.format, Chunk(64))), std::string(kWavPath) + "no format chunk");
    }
    for (const WavWriter::Format accepted : {WavWriter::Format{1, 1, 11025, 8}, WavWriter::Format{1, 2, 44100, 16}})
        EXPECT_EQ(WavError(WavWriter::Write(accepted, Chunk(64))), "no error");
}

TEST_F(SoundFileReaderTest, WavHeaderMustBeRiffWaveWithASize) {
    const Bytes good = WavWriter::Write(kStereo16, Chunk(64));
    Bytes sizeZero = good;
    PutU32(sizeZero, 4, 0);
    Bytes notRiff = good;
    notRiff[3] = 'X';
    Bytes notWave = good;
    notWave[11] = 'X';
    for (const Bytes& file : {sizeZero, notRiff, notWave})
        EXPECT_EQ(WavError(file), std::string(kWavPath) + "no RIFF header");
}

// Chunk sizes are unsigned: one that runs past the end must end the walk, not send it
// backwards (0xFFFFFFF8 read as signed would seek back onto the chunk's own header).
TEST_F(SoundFileReaderTest, WavChunkRunningPastTheEndEndsTheWalk) {
    const Bytes pcm = Chunk(64);
    for (std::uint32_t size : {0xFFFFFFF8u, 0xFFFFFFF0u, 0x80000000u, 0x7FFFFFF0u}) {
        SCOPED_TRACE(size);
        Bytes beforeFormat = WavWriter().AddChunk("LIST", Chunk(8)).AddFormat(kStereo16).AddData(pcm).Build();
        PutU32(beforeFormat, 16, size);
        EXPECT_EQ(WavError(beforeFormat), std::string(kWavPath) + "no format chunk");

        Bytes beforeData = WavWriter().AddFormat(kStereo16).AddChunk("LIST", Chunk(8)).AddData(pcm).Build();
        PutU32(beforeData, 40, size);
        EXPECT_EQ(WavError(beforeData), std::string(kWavPath) + "no data chunk");
    }
    EXPECT_EQ(WavError(WavWriter().AddFormat(kStereo16).AddChunk("LIST", Chunk(8)).Build()),
              std::string(kWavPath) + "no data chunk");
}

TEST_F(SoundFileReaderTest, WavChunkHeaderCutOffByTheEndFailsInTheFileLayer) {
    Bytes cut = WavWriter().AddChunk("LIST", Chunk(8)).Build();
    cut.insert(cut.end(), {'f', 'm', 't'});
    EXPECT_THROW(OpenWav(cut), Vantor::FileError);
}

TEST_F(SoundFileReaderTest, WavEndIsReportedWithTheLastDataByteAndRewindStartsAgain) {
    const Bytes pcm = soundtest::NoiseBytes(1000);
    auto reader = OpenWav(WavWriter::Write(kStereo16, pcm));
    Bytes buffer(1000);
    std::uint32_t read = 0;
    bool end = false;
    reader->Read(buffer.data(), 600, read, end);
    EXPECT_EQ(read, 600u);
    EXPECT_FALSE(end);
    reader->Read(buffer.data() + 600, 400, read, end);
    EXPECT_EQ(read, 400u);
    EXPECT_TRUE(end);
    EXPECT_EQ(buffer, pcm);
    reader->Read(buffer.data(), 10, read, end);
    EXPECT_EQ(read, 0u);
    EXPECT_TRUE(end);

    reader->Rewind();
    EXPECT_EQ(ReadAll(*reader, 4096), pcm);
}

TEST_F(SoundFileReaderTest, WavShorterThanItsDataChunkEndsAtTheFirstShortRead) {
    const Bytes pcm = soundtest::NoiseBytes(1000);
    Bytes file = WavWriter::Write(kStereo16, pcm);
    PutU32(file, 40, 5000);
    auto reader = OpenWav(file);
    EXPECT_EQ(reader->GetTotalBytes(), 5000u);
    Bytes buffer(5000);
    std::uint32_t read = 0;
    bool end = false;
    reader->Read(buffer.data(), 5000, read, end);
    EXPECT_EQ(read, 1000u);
    EXPECT_TRUE(end);
}

TEST_F(SoundFileReaderTest, MissingFileGivesTheFileLayersError) {
    try {
        Vantor::SoundFileReaderWAV reader(L"audio\\missing.wav");
        FAIL() << "no error";
    } catch (const Vantor::FileError& error) {
        EXPECT_EQ(error.GetText(), "Failed to open \"data\\audio\\missing.wav\" file");
    }
}

// ---- The read contract of every reader --------------------------------------------

TEST_F(SoundFileReaderTest, ARequestForNothingReadsNothingAndReportsTheEnd) {
    std::vector<std::unique_ptr<SoundFileReader>> readers;
    readers.push_back(OpenWav(WavWriter::Write(kStereo16, Chunk(64))));
    readers.push_back(OpenOgg(OggVorbisWriter::Encode(soundtest::Noise(2000), 1, 22050)));
    readers.push_back(std::make_unique<Vantor::SoundFileReaderEMP>());
    for (auto& reader : readers) {
        std::uint8_t byte = 0x55;
        std::uint32_t read = 99;
        bool end = false;
        reader->Read(&byte, 0, read, end);
        EXPECT_EQ(read, 0u);
        EXPECT_TRUE(end);
        EXPECT_EQ(byte, 0x55);
    }
}

TEST_F(SoundFileReaderTest, SilentReaderGivesEightBytesOf128) {
    Vantor::SoundFileReaderEMP reader;
    EXPECT_EQ(reader.GetTotalBytes(), 8u);
    EXPECT_EQ(reader.GetChannels(), 1u);
    EXPECT_EQ(reader.GetBitsPerSample(), 8u);
    EXPECT_EQ(reader.GetSampleRate(), 22050u);
    EXPECT_TRUE(reader.GetFileName().empty());

    Bytes buffer(8, 0);
    std::uint32_t read = 0;
    bool end = true;
    reader.Read(buffer.data(), 6, read, end);
    EXPECT_EQ(read, 6u);
    EXPECT_FALSE(end);
    reader.Read(buffer.data() + 6, 6, read, end);
    EXPECT_EQ(read, 2u);
    EXPECT_TRUE(end);
    EXPECT_EQ(buffer, Bytes(8, 128));

    reader.Rewind();
    reader.Read(buffer.data(), 100, read, end);
    EXPECT_EQ(read, 8u);
    EXPECT_TRUE(end);
}

// ---- Ogg Vorbis -------------------------------------------------------------------

// A 440 Hz tone on the left, silence on the right.
std::vector<std::int16_t> ToneOnTheLeft(std::size_t frames, long rate) {
    std::vector<std::int16_t> samples(frames * 2, 0);
    for (std::size_t i = 0; i < frames; ++i)
        samples[2 * i] = static_cast<std::int16_t>(12000 * std::sin(2 * std::numbers::pi * 440.0 * i / rate));
    return samples;
}

double Energy(const Bytes& pcm, int channel) {
    double sum = 0;
    for (std::size_t i = 2 * channel; i + 1 < pcm.size(); i += 4) {
        const auto sample = static_cast<std::int16_t>(pcm[i] | pcm[i + 1] << 8);
        sum += static_cast<double>(sample) * sample;
    }
    return sum;
}

TEST_F(SoundFileReaderTest, StereoOggIsDecodedFromAPackFile) {
    const Bytes ogg = OggVorbisWriter::Encode(ToneOnTheLeft(44100, 44100), 2, 44100);
    WritePack("sounds.pak", "audio\\music.ogg", ogg);
    WriteData("audio/loose.ogg", ogg);
    RestartFileManager();

    Vantor::SoundFileReaderOGG packed(L"audio\\music.ogg");
    EXPECT_EQ(packed.GetChannels(), 2u);
    EXPECT_EQ(packed.GetSampleRate(), 44100u);
    EXPECT_EQ(packed.GetBitsPerSample(), 16u);
    EXPECT_EQ(packed.GetTotalBytes(), 176400u);
    const Bytes decoded = ReadAll(packed, 1000);
    ASSERT_EQ(decoded.size(), 176400u);
    EXPECT_GT(Energy(decoded, 0), 1000 * Energy(decoded, 1));

    // The same as the loose file, and the same again after a rewind.
    Vantor::SoundFileReaderOGG loose(L"audio\\loose.ogg");
    EXPECT_EQ(ReadAll(loose, 176400), decoded);
    packed.Rewind();
    EXPECT_EQ(ReadAll(packed, 4096), decoded);
    // Closed and opened again, as a static buffer does.
    packed.Close();
    packed.Open();
    EXPECT_EQ(ReadAll(packed, 65536), decoded);
}

// Ogg pages with their checksums, for damaged and unusual streams.
struct OggPage {
    Bytes bytes;

    std::uint32_t Sequence() const { return Field(18); }
    std::int64_t Granule() const {
        std::int64_t value = 0;
        std::memcpy(&value, bytes.data() + 6, 8);
        return value;
    }
    std::uint32_t Field(std::size_t offset) const {
        return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
               static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
    }

    void Seal() {
        PutU32(bytes, 22, 0);
        std::uint32_t crc = 0;
        for (std::uint8_t byte : bytes) {
            crc ^= static_cast<std::uint32_t>(byte) << 24;
            for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
        }
        PutU32(bytes, 22, crc);
    }
};

std::vector<OggPage> SplitPages(const Bytes& stream) {
    std::vector<OggPage> pages;
    std::size_t offset = 0;
    while (offset + 27 <= stream.size()) {
        const std::size_t segments = stream[offset + 26];
        std::size_t size = 27 + segments;
        for (std::size_t i = 0; i < segments; ++i) size += stream[offset + 27 + i];
        pages.push_back({Bytes(stream.begin() + offset, stream.begin() + offset + size)});
        offset += size;
    }
    return pages;
}

Bytes JoinPages(const std::vector<OggPage>& pages) {
    Bytes stream;
    for (const OggPage& page : pages) stream.insert(stream.end(), page.bytes.begin(), page.bytes.end());
    return stream;
}

// The identification header is the first page's packet: "\x01vorbis", version,
// channels (1 byte), sample rate (4 bytes).
Bytes WithIdentification(const Bytes& ogg, std::uint8_t channels, std::uint32_t rate) {
    std::vector<OggPage> pages = SplitPages(ogg);
    Bytes& first = pages[0].bytes;
    const std::size_t packet = 27 + first[26];
    first[packet + 11] = channels;
    PutU32(first, packet + 12, rate);
    pages[0].Seal();
    return JoinPages(pages);
}

TEST_F(SoundFileReaderTest, OggThatIsNotMonoOrStereoOrHasNoRateIsRefused) {
    const Bytes stereo = OggVorbisWriter::Encode(ToneOnTheLeft(4000, 22050), 2, 22050);
    ASSERT_EQ(OggError(stereo), "no error");
    EXPECT_EQ(OggError(OggVorbisWriter::Encode(soundtest::Noise(3 * 4000), 3, 22050)),
              std::string(kOggPath) + "incorrect format");
    EXPECT_EQ(OggError(WithIdentification(stereo, 0, 22050)), std::string(kOggPath) + "incorrect format");
    EXPECT_EQ(OggError(WithIdentification(stereo, 2, 0)), std::string(kOggPath) + "incorrect format");
    EXPECT_EQ(OggError(soundtest::NoiseBytes(5000)), std::string(kOggPath) + "incorrect format");
    EXPECT_EQ(OggError(WavWriter::Write(kStereo16, Chunk(64))), std::string(kOggPath) + "incorrect format");
}

// Every page of the run comes after a gap and holds no whole packet: each makes the
// decoder report a hole, one after the other. A read must give up on such a run
// rather than ask again without limit.
TEST_F(SoundFileReaderTest, OggReadEndsAfterARunOfDecodeFailures) {
    const Bytes clean = OggVorbisWriter::Encode(soundtest::Noise(22050 * 3), 1, 22050);
    std::vector<OggPage> pages = SplitPages(clean);
    std::size_t firstAudio = 0;
    while (pages[firstAudio].Granule() == 0) ++firstAudio;
    ASSERT_GT(pages.size(), firstAudio + 4);

    std::vector<OggPage> damaged(pages.begin(), pages.begin() + firstAudio + 2);
    const std::uint32_t serial = pages[0].Field(14);
    for (int i = 0; i < Vantor::SoundFileReaderOGG::kMaxConsecutiveDecodeFailures + 20; ++i) {
        OggPage gap{Bytes(27, 0)};
        std::memcpy(gap.bytes.data(), "OggS", 4);
        gap.bytes[5] = 0x01;  // continues a packet whose start was lost
        std::memset(gap.bytes.data() + 6, 0xFF, 8);  // no packet ends here
        PutU32(gap.bytes, 14, serial);
        PutU32(gap.bytes, 18, 100000 + 2 * i);
        gap.bytes[26] = 1;
        gap.bytes.push_back(255);
        const Bytes junk = soundtest::NoiseBytes(255, i + 7);
        gap.bytes.insert(gap.bytes.end(), junk.begin(), junk.end());
        gap.Seal();
        damaged.push_back(gap);
    }
    damaged.insert(damaged.end(), pages.begin() + firstAudio + 2, pages.end());

    auto reader = OpenOgg(JoinPages(damaged));
    Bytes buffer(reader->GetTotalBytes());
    std::uint32_t read = 0;
    bool end = false;
    reader->Read(buffer.data(), reader->GetTotalBytes(), read, end);
    EXPECT_TRUE(end);
    EXPECT_LT(read, reader->GetTotalBytes() / 2);
    // The decoder itself goes on: the data after the damage is still there.
    std::uint32_t after = 0;
    reader->Read(buffer.data(), reader->GetTotalBytes(), after, end);
    EXPECT_GT(after, reader->GetTotalBytes() / 2);
}

}  // namespace
