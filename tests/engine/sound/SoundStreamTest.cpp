#include <gtest/gtest.h>

#include <algorithm>

#include "tests/engine/sound/SoundBufferTestSupport.h"

namespace {

using Content::WavWriter;
using soundtest::Bytes;
using Vantor::SoundBuffer;
using Vantor::SoundBuffer_DS7;

constexpr std::uint32_t kRing = SoundBuffer::kRingSize;
constexpr std::uint32_t kChunk = SoundBuffer::kChunkSize;
// Frame lengths in microseconds, taken in turn: uneven, like a real frame clock.
constexpr std::uint64_t kFrameLengths[] = {16000, 33000, 7000, 16667, 50000, 12000};

class SoundStreamTest : public soundtest::SoundBufferTest {
protected:
    struct Played {
        std::vector<std::int16_t> output;
        // The buffer's estimate after each frame.
        std::vector<std::uint64_t> bytesPlayed;
    };

    // Frames until the buffer stops or the time is up.
    static Played PlayFrames(SoundBuffer_DS7& buffer, std::uint64_t microseconds) {
        Played played;
        std::uint64_t elapsed = 0;
        for (std::size_t frame = 0; elapsed < microseconds && buffer.IsPlaying(); ++frame) {
            const std::uint64_t length = kFrameLengths[frame % std::size(kFrameLengths)];
            const std::vector<std::int16_t> output = Frame(buffer, length);
            played.output.insert(played.output.end(), output.begin(), output.end());
            played.bytesPlayed.push_back(buffer.GetBytesPlayed());
            elapsed += length;
        }
        return played;
    }

    // PCM of the given length written as a stream, stereo 16-bit at the output's rate.
    Bytes WriteStream(const std::string& name, std::uint32_t bytes) {
        const Bytes pcm = soundtest::NoiseBytes(bytes, 11);
        WriteData(name, WavWriter::Write({1, 2, 22050, 16}, pcm));
        return pcm;
    }

    static bool IsSilent(const std::vector<std::int16_t>& samples, std::size_t from) {
        return std::all_of(samples.begin() + std::min(from, samples.size()), samples.end(),
                           [](std::int16_t sample) { return sample == 0; });
    }
};

// The stream runs out of data, plays silence, and is stopped by the first frame whose
// estimate is more than one chunk past the data, not earlier.
TEST_F(SoundStreamTest, StreamPlaysTheFileBitForBitAndStopsOneChunkAfterIt) {
    const std::uint32_t size = 2 * kRing + 3 * kChunk + 1000;
    const Bytes pcm = WriteStream("music/long.wav", size);
    auto buffer = Make(L"music\\long.wav", false);
    ASSERT_TRUE(buffer->IsStreamed());
    Mixed();
    buffer->Play(false);

    const Played played = PlayFrames(*buffer, 30000000);
    const std::vector<std::int16_t> data = AsOutput(pcm);
    ASSERT_GE(played.output.size(), data.size());
    EXPECT_TRUE(std::equal(data.begin(), data.end(), played.output.begin()));
    EXPECT_TRUE(IsSilent(played.output, data.size()));

    EXPECT_FALSE(buffer->IsPlaying());
    EXPECT_TRUE(buffer->HasEnded());
    ASSERT_GE(played.bytesPlayed.size(), 2u);
    EXPECT_GT(played.bytesPlayed.back(), std::uint64_t{size} + kChunk);
    EXPECT_LE(played.bytesPlayed[played.bytesPlayed.size() - 2], std::uint64_t{size} + kChunk);
    EXPECT_TRUE(Errors().empty());
}

// The silence after the data is the format's own: 128 for 8-bit data.
TEST_F(SoundStreamTest, EightBitStreamIsPaddedWith128) {
    const Bytes pcm = soundtest::NoiseBytes(kRing + kChunk / 2, 5);
    WriteData("music/eight.wav", WavWriter::Write({1, 1, 22050, 8}, pcm));
    auto buffer = Make(L"music\\eight.wav", false);
    buffer->Play(false);
    // Played past the data, but not so far that the padding was written over again.
    const std::uint32_t paddedChunk = (kRing + kChunk / 2) / kChunk % SoundBuffer::kChunkCount;
    PlayFrames(*buffer, 1000000ull * (kRing + kChunk) / 22050);
    ASSERT_TRUE(buffer->IsPlaying());
    const Bytes ring = DeviceBytes(buffer->GetSecondaryBuffer());
    EXPECT_TRUE(std::equal(pcm.begin() + kRing, pcm.end(), ring.begin() + paddedChunk * kChunk));
    EXPECT_TRUE(std::all_of(ring.begin() + paddedChunk * kChunk + kChunk / 2, ring.begin() + (paddedChunk + 1) * kChunk,
                            [](std::uint8_t byte) { return byte == 128; }));
}

TEST_F(SoundStreamTest, LoopingStreamContinuesWithTheBeginningInsideTheSameChunk) {
    // Not a whole number of chunks, so the wrap falls inside one.
    const std::uint32_t size = kRing + 5 * kChunk + 4 * 37;
    const Bytes pcm = WriteStream("music/loop.wav", size);
    auto buffer = Make(L"music\\loop.wav", false);
    buffer->SetLooping(true);
    Mixed();
    buffer->Play(true);

    const std::uint64_t threeTimes = 3 * 1000000ull * size / (22050 * 4);
    const Played played = PlayFrames(*buffer, threeTimes);
    EXPECT_TRUE(buffer->IsPlaying());
    EXPECT_FALSE(buffer->HasEnded());
    const std::vector<std::int16_t> data = AsOutput(pcm);
    ASSERT_GE(played.output.size(), 3 * data.size() - 4000);
    for (std::size_t i = 0; i < played.output.size(); ++i)
        ASSERT_EQ(played.output[i], data[i % data.size()]) << "output sample " << i;
}

// Menu music left running overnight: the ring is refilled from a clock that gives
// whole turns of the ring back hundreds of times an hour, and must not lose a fraction
// of a millisecond each time. The mixer skips the hours; the last seconds are heard.
TEST_F(SoundStreamTest, LoopingStreamIsBitExactToItsSourceAfterFortyHours) {
    const std::uint32_t size = kRing + 7 * kChunk + 4 * 101;
    const Bytes pcm = WriteStream("music/night.wav", size);
    auto buffer = Make(L"music\\night.wav", false);
    buffer->SetLooping(true);
    Mixed();
    buffer->Play(true);

    // Uneven frames of one second on average, 40 hours of them.
    constexpr std::uint64_t kLongFrames[] = {1000000, 733000, 1267000};
    constexpr std::uint64_t kHours = 40;
    for (std::uint64_t frame = 0; frame < kHours * 3600; ++frame) {
        platform::seam::AdvanceVirtualTimeUnmixed(kLongFrames[frame % 3]);
        buffer->Update();
    }
    const std::uint64_t bytesPerSecond = 22050 * 4;
    const std::uint64_t played = kHours * 3600 * bytesPerSecond;
    // Within a millisecond of the device after 40 hours.
    EXPECT_NEAR(static_cast<double>(buffer->GetBytesPlayed()), static_cast<double>(played), bytesPerSecond / 1000.0);

    Mixed();
    const std::vector<std::int16_t> heard = PlayFrames(*buffer, 10000000).output;
    const std::vector<std::int16_t> data = AsOutput(pcm);
    const std::size_t start = (played / 2) % data.size();
    ASSERT_GE(heard.size(), 2u * 22050 * 9);
    for (std::size_t i = 0; i < heard.size(); ++i)
        ASSERT_EQ(heard[i], data[(start + i) % data.size()]) << "output sample " << i;
}

TEST_F(SoundStreamTest, PausedStreamResumesWithItsRingAndStoppedStreamStartsAgain) {
    const Bytes pcm = WriteStream("music/long.wav", 2 * kRing);
    const std::vector<std::int16_t> data = AsOutput(pcm);
    auto buffer = Make(L"music\\long.wav", false);
    Mixed();
    buffer->Play(false);
    std::vector<std::int16_t> heard = PlayFrames(*buffer, 4000000).output;

    buffer->Pause();
    buffer->SetStreamState(SoundBuffer::kPaused);
    const std::vector<std::int16_t> paused = Frame(*buffer, 500000);
    EXPECT_TRUE(IsSilent(paused, 0));
    buffer->Play(false);
    EXPECT_EQ(buffer->GetStreamState(), SoundBuffer::kPlaying);
    const std::vector<std::int16_t> resumed = PlayFrames(*buffer, 4000000).output;
    heard.insert(heard.end(), resumed.begin(), resumed.end());
    ASSERT_LE(heard.size(), data.size());
    EXPECT_TRUE(std::equal(heard.begin(), heard.end(), data.begin()));

    buffer->Stop();
    buffer->SetStreamState(SoundBuffer::kStopped);
    EXPECT_EQ(buffer->GetSecondaryBuffer(), nullptr);
    EXPECT_EQ(buffer->GetBytesPlayed(), 0u);
    buffer->Play(false);
    const std::vector<std::int16_t> again = PlayFrames(*buffer, 7000000).output;
    EXPECT_TRUE(std::equal(again.begin(), again.end(), data.begin()));
}

// The chunks are reported in play order, each once a turn, in the first frame in which
// the position two chunks behind the estimate is past the chunk's end.
TEST_F(SoundStreamTest, PlayedChunksTrailTheEstimateByTwoChunks) {
    WriteStream("music/long.wav", 3 * kRing);
    auto buffer = Make(L"music\\long.wav", false);
    buffer->Play(false);

    std::vector<std::uint32_t> order;
    std::uint64_t before = 0;
    for (int frame = 0; frame < 1500; ++frame) {
        platform::seam::AdvanceVirtualTime(kFrameLengths[frame % std::size(kFrameLengths)]);
        std::vector<std::uint32_t> played;
        buffer->UnqueueProcessedBuffers(&played);
        const std::uint64_t after = buffer->GetBytesPlayed();
        if (before < 0xC000) {
            EXPECT_TRUE(played.empty()) << "frame " << frame;
        }
        for (std::uint32_t index : played) {
            // Reported once the trailing position has passed the chunk's end in this turn.
            const std::uint64_t end = (order.size() + 1) * std::uint64_t{kChunk};
            EXPECT_GT(after - std::min<std::uint64_t>(after, 0xC000), end);
            EXPECT_LE(before - std::min<std::uint64_t>(before, 0xC000), end + kChunk);
            order.push_back(index);
        }
        before = after;
    }
    ASSERT_GT(order.size(), 2 * SoundBuffer::kChunkCount);
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], i % SoundBuffer::kChunkCount) << i;
}

}  // namespace
