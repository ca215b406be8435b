#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "tests/engine/sound/SoundTestSupport.h"

namespace {

using soundtest::Bytes;

class SoundBufferSdlTest : public soundtest::SoundKernelTest {};

// SDL's audio thread plays the buffer: a static sound of 0.1 s must be reported
// stopped soon after its data has played, and not before.
TEST_F(SoundBufferSdlTest, PlayedBufferReportsStoppedOnceItsDataHasPlayed) {
    Vantor::SoundSystem_DS7 system(false, soundtest::GameWindow());
    Vantor::SoundSystem::Instance(&system);
    WriteData("audio/click.wav", Content::WavWriter::Write({1, 1, 22050, 16}, soundtest::NoiseBytes(4410)));
    std::vector<std::uint8_t> scratch(Vantor::SoundBuffer::kRingSize);
    Vantor::SoundBuffer_DS7 buffer(L"audio\\click.wav", scratch.data(), true);
    ASSERT_NE(buffer.GetSecondaryBuffer(), nullptr);

    const auto start = std::chrono::steady_clock::now();
    buffer.Play(false);
    EXPECT_TRUE(buffer.IsPlaying());
    while (buffer.IsPlaying()) {
        ASSERT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << "the buffer never stopped";
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
    EXPECT_TRUE(Errors().empty());
}

}  // namespace
